#include "report_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "report_document.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>

#include <climits>
#endif

namespace coredesign::report {
namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

std::string SystemError(int code) {
    const char* text = std::strerror(code);
    return text ? text : "unknown error";
}

}  // namespace

std::string ReportFilePath(const std::string& tempFolder) {
    return tempFolder + kSeparator + "temp.htm";
}

std::string ProgramFolder() {
#ifdef _WIN32
    char buffer[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return std::string();
    std::string path(buffer, length);
#else
    char buffer[PATH_MAX + 1] = {};
    const ssize_t length = ::readlink("/proc/self/exe", buffer, PATH_MAX);
    if (length <= 0) return std::string();
    std::string path(buffer, static_cast<std::size_t>(length));
#endif
    const auto slash = path.find_last_of(kSeparator);
    return slash == std::string::npos ? std::string() : path.substr(0, slash == 0 ? 1 : slash);
}

bool WriteReportFile(const std::string& path, const ResultsTexts& results, const Module1& rec,
                     const std::string& programFolder, std::string& failure) {
    const std::string content = BuildReportDocument(results, rec, programFolder) + "\r\n";
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        failure = SystemError(errno);
        return false;
    }
    const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    const int writeError = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        failure = SystemError(written ? errno : writeError);
        return false;
    }
    failure.clear();
    return true;
}

bool WriteReportFile(const std::string& path, const ResultsTexts& results, const Module1& rec, std::string& failure) {
    return WriteReportFile(path, results, rec, ProgramFolder(), failure);
}

}  // namespace coredesign::report

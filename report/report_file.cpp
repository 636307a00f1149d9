#include "report_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "folders.h"
#include "private_file.h"
#include "report_document.h"

namespace coredesign::report {
namespace {

std::string SystemError(int code) {
    const char* text = std::strerror(code);
    return text ? text : "unknown error";
}

// The file's bytes: the document as one line, then CR LF.
std::string FileContent(const ResultsTexts& results, const DesignRecord& rec, const std::string& programFolder) {
    return BuildReportDocument(results, rec, programFolder) + "\r\n";
}

}  // namespace

std::string ReportFilePath(const std::string& tempFolder) {
    return tempFolder + platform::kPathSeparator + "temp.htm";
}

bool WriteReportFile(const std::string& path, const ResultsTexts& results, const DesignRecord& rec,
                     const std::string& programFolder, std::string& failure) {
    const std::string content = FileContent(results, rec, programFolder);
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

bool WriteReportFile(const std::string& path, const ResultsTexts& results, const DesignRecord& rec,
                     std::string& failure) {
    return WriteReportFile(path, results, rec, platform::ProgramFolder(), failure);
}

bool WriteTemporaryReport(const std::string& path, const ResultsTexts& results, const DesignRecord& rec,
                          std::string& failure) {
    platform::FileFailure refused;
    if (!platform::WritePrivateFile(path, FileContent(results, rec, platform::ProgramFolder()), refused)) {
        failure = refused.description;
        return false;
    }
    failure.clear();
    return true;
}

}  // namespace coredesign::report

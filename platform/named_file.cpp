#include "named_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "folders.h"

namespace coredesign::platform {
namespace {

std::string SystemError(int code) {
    const char* text = std::strerror(code);
    return text ? text : "unknown error";
}

}  // namespace

std::string JoinPath(const std::string& folder, const std::string& name) {
    return folder + kPathSeparator + name;
}

bool WriteNamedFile(const std::string& path, const std::string& content, std::string& failure) {
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

bool WriteFileWhole(const std::string& path, const std::string& content, std::string& failure) {
    const std::string partial = path + ".partial";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        if (!out) {
            failure = std::strerror(errno);
            return false;
        }
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        out.flush();
        if (!out) {
            failure = std::strerror(errno);
            out.close();
            std::remove(partial.c_str());
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(partial, path, error);
    if (error) {
        failure = error.message();
        std::remove(partial.c_str());
        return false;
    }
    return true;
}

}  // namespace coredesign::platform

#include "named_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "folders.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace coredesign::platform {
namespace {

std::string SystemError(int code) {
    const char* text = std::strerror(code);
    return text ? text : "unknown error";
}

// Reads at most `maxBytes` bytes of an open file.
bool ReadAtMost(std::FILE* file, std::size_t maxBytes, std::string& content, std::string& failure) {
    content.clear();
    char buffer[65536];
    errno = 0;
    while (content.size() < maxBytes) {
        const std::size_t want = std::min(sizeof buffer, maxBytes - content.size());
        const std::size_t got = std::fread(buffer, 1, want, file);
        content.append(buffer, got);
        if (got < want) break;
    }
    if (std::ferror(file)) {
        failure = SystemError(errno ? errno : EIO);
        return false;
    }
    failure.clear();
    return true;
}

}  // namespace

bool ReadNamedFile(const std::string& path, std::size_t maxBytes, std::string& content, std::string& failure) {
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        failure = SystemError(errno);
        return false;
    }
    const bool read = ReadAtMost(file, maxBytes, content, failure);
    std::fclose(file);
    return read;
}

bool ReadStandardInput(std::size_t maxBytes, std::string& content, std::string& failure) {
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);
#endif
    return ReadAtMost(stdin, maxBytes, content, failure);
}

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

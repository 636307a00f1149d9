#include "folders.h"

#include <cstdlib>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#endif

namespace coredesign::platform {
namespace {

bool IsAbsolute(const std::string& path) {
#ifdef _WIN32
    // \\server\share, \folder or C:\folder (a drive's current folder, C:folder, counts as given)
    return !path.empty() && (path[0] == '\\' || path[0] == '/' || (path.size() > 1 && path[1] == ':'));
#else
    return !path.empty() && path[0] == '/';
#endif
}

// The temporary folder as the environment names it.
std::string NamedTempFolder() {
    if (const char* temp = std::getenv("TEMP"); temp && *temp) return temp;
#ifdef _WIN32
    char buffer[MAX_PATH + 1];
    const DWORD length = GetTempPathA(sizeof buffer, buffer);
    if (length > 0 && length < sizeof buffer) {
        std::string folder(buffer, length);
        if (folder.size() > 3 && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
        return folder;
    }
    return "C:\\Windows\\Temp";
#else
    if (const char* tmpdir = std::getenv("TMPDIR"); tmpdir && *tmpdir) return tmpdir;
    return "/tmp";
#endif
}

}  // namespace

const std::string& StartFolder() {
    static const std::string folder = [] {
#ifdef _WIN32
        char buffer[MAX_PATH + 1] = {};
        const DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
        return length > 0 && length < sizeof buffer ? std::string(buffer, length) : std::string();
#else
        char buffer[PATH_MAX + 1] = {};
        return ::getcwd(buffer, sizeof buffer) ? std::string(buffer) : std::string();
#endif
    }();
    return folder;
}

std::string TempFolder() {
    std::string folder = NamedTempFolder();
    if (IsAbsolute(folder) || StartFolder().empty()) return folder;
    // A relative name is taken from the folder the program started in.
    const std::string& start = StartFolder();
    const bool separated = start.back() == kPathSeparator || start.back() == '/';
    return start + (separated ? "" : std::string(1, kPathSeparator)) + folder;
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
    const auto slash = path.find_last_of(kPathSeparator);
    return slash == std::string::npos ? std::string() : path.substr(0, slash == 0 ? 1 : slash);
}

std::string ShortPath(const std::string& path) {
#ifdef _WIN32
    char buffer[256] = {};
    const DWORD length = GetShortPathNameA(path.c_str(), buffer, 255);
    if (length == 0 || length >= 255) return std::string();
    return std::string(buffer, length);
#else
    (void)path;
    return std::string();
#endif
}

bool IsRegularFile(const std::string& path) {
#ifdef _WIN32
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
#else
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
#endif
}

}  // namespace coredesign::platform

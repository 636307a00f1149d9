#include "runtime.h"

#include "folders.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include <dlfcn.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>
#endif

namespace coredesign::platform {

#ifdef _WIN32
namespace {
std::string LastErrorText() {
    const DWORD code = GetLastError();
    char* text = nullptr;
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = length && text ? std::string(text, length) : "error " + std::to_string(code);
    if (text) LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) message.pop_back();
    return message;
}
}  // namespace

void* LoadModule(const std::string& path, std::string& failure) {
    HMODULE module = LoadLibraryA(path.c_str());
    if (!module) failure = path + ": " + LastErrorText();
    return reinterpret_cast<void*>(module);
}

void* ModuleSymbol(void* module, const char* name, std::string& failure) {
    FARPROC symbol = GetProcAddress(static_cast<HMODULE>(module), name);
    if (!symbol) failure = std::string(name) + ": " + LastErrorText();
    return reinterpret_cast<void*>(symbol);
}

bool RunningAsRoot() {
    return false;
}

std::string CreateTemporaryFile(const std::string& folder, const std::string& prefix, const std::string& suffix,
                                std::string& failure) {
    const std::string stem = folder + kPathSeparator + prefix + std::to_string(GetCurrentProcessId()) + "-";
    for (int k = 0; k < 1000; ++k) {
        const std::string path = stem + std::to_string(k) + suffix;
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
            return path;
        }
        if (GetLastError() != ERROR_FILE_EXISTS) break;
    }
    failure = LastErrorText();
    return std::string();
}
#else
void* LoadModule(const std::string& path, std::string& failure) {
    void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        const char* reason = ::dlerror();
        failure = reason ? reason : path + ": cannot be loaded";
    }
    return module;
}

void* ModuleSymbol(void* module, const char* name, std::string& failure) {
    ::dlerror();
    void* symbol = ::dlsym(module, name);
    if (!symbol) {
        const char* reason = ::dlerror();
        failure = reason ? reason : std::string(name) + ": no such symbol";
    }
    return symbol;
}

bool RunningAsRoot() {
    return ::geteuid() == 0;
}

std::string CreateTemporaryFile(const std::string& folder, const std::string& prefix, const std::string& suffix,
                                std::string& failure) {
    std::string pattern = folder + kPathSeparator + prefix + "XXXXXX" + suffix;
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemps(name.data(), static_cast<int>(suffix.size()));
    if (fd < 0) {
        failure = std::strerror(errno);
        return std::string();
    }
    ::close(fd);
    return std::string(name.data());
}
#endif

}  // namespace coredesign::platform

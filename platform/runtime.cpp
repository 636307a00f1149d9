#include "runtime.h"

#include "folders.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <dlfcn.h>
#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

#include <vector>
#endif

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "write_all.h"

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

namespace {
constexpr int kEndingSignals[] = {SIGINT, SIGTERM};
char gGuardedPath[MAX_PATH + 1];
void (*gPreviousHandlers[std::size(kEndingSignals)])(int);

extern "C" void RemoveGuardedFileAndEnd(int signal) {
    DeleteFileA(gGuardedPath);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// A new file in `folder`, named with the process's number and a count; its
// descriptor, or -1 with errno set.
int CreateUnique(const std::string& folder, const std::string& prefix, const std::string& suffix, std::string& path) {
    const std::string stem = folder + kPathSeparator + prefix + std::to_string(GetCurrentProcessId()) + "-";
    for (int k = 0; k < 1000; ++k) {
        path = stem + std::to_string(k) + suffix;
        const int fd =
            ::_open(path.c_str(), _O_WRONLY | _O_BINARY | _O_CREAT | _O_EXCL | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

bool Guard(const std::string& path) {
    if (gGuardedPath[0] || path.size() >= sizeof gGuardedPath) return false;
    std::memcpy(gGuardedPath, path.c_str(), path.size() + 1);
    for (std::size_t k = 0; k < std::size(kEndingSignals); ++k) {
        gPreviousHandlers[k] = std::signal(kEndingSignals[k], RemoveGuardedFileAndEnd);
        if (gPreviousHandlers[k] == SIG_IGN) std::signal(kEndingSignals[k], SIG_IGN);
    }
    return true;
}

void Unguard() {
    for (std::size_t k = 0; k < std::size(kEndingSignals); ++k) std::signal(kEndingSignals[k], gPreviousHandlers[k]);
    gGuardedPath[0] = '\0';
}

// Windows delivers the ending signals on a thread of their own: nothing to hold back.
class EndingSignalsHeld {
public:
    EndingSignalsHeld() {}
    ~EndingSignalsHeld() {}
};
}  // namespace
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

namespace {
constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP};
// The file the handlers remove, NUL-terminated; empty while none is looked after.
char gGuardedPath[4096];
struct sigaction gPreviousActions[std::size(kEndingSignals)];

// Only what is safe in a signal handler: the file goes, then the signal is
// raised again. Its default action, given back on entry (SA_RESETHAND), ends
// the process once the handler returns.
extern "C" void RemoveGuardedFileAndEnd(int signal) {
    ::unlink(gGuardedPath);
    ::raise(signal);
}

// A new file in `folder`, readable by the user only; its descriptor, or -1
// with errno set.
int CreateUnique(const std::string& folder, const std::string& prefix, const std::string& suffix, std::string& path) {
    const std::string pattern = folder + kPathSeparator + prefix + "XXXXXX" + suffix;
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkostemps(name.data(), static_cast<int>(suffix.size()), O_CLOEXEC);
    path = name.data();
    return fd;
}

bool Guard(const std::string& path) {
    if (gGuardedPath[0] || path.size() >= sizeof gGuardedPath) return false;
    std::memcpy(gGuardedPath, path.c_str(), path.size() + 1);
    struct sigaction action {};
    action.sa_handler = RemoveGuardedFileAndEnd;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND;
    for (std::size_t k = 0; k < std::size(kEndingSignals); ++k) {
        ::sigaction(kEndingSignals[k], nullptr, &gPreviousActions[k]);
        if (gPreviousActions[k].sa_handler != SIG_IGN) ::sigaction(kEndingSignals[k], &action, nullptr);
    }
    return true;
}

void Unguard() {
    for (std::size_t k = 0; k < std::size(kEndingSignals); ++k)
        ::sigaction(kEndingSignals[k], &gPreviousActions[k], nullptr);
    gGuardedPath[0] = '\0';
}

// The ending signals held back in this thread while it lives, so that none
// comes between a file's creation and its handlers, or its removal and theirs.
class EndingSignalsHeld {
public:
    EndingSignalsHeld() {
        sigset_t ending;
        sigemptyset(&ending);
        for (int signal : kEndingSignals) sigaddset(&ending, signal);
        ::pthread_sigmask(SIG_BLOCK, &ending, &previous_);
    }
    ~EndingSignalsHeld() { ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
    EndingSignalsHeld(const EndingSignalsHeld&) = delete;
    EndingSignalsHeld& operator=(const EndingSignalsHeld&) = delete;

private:
    sigset_t previous_{};
};
}  // namespace

#endif

TemporaryFile::TemporaryFile(const std::string& folder, const std::string& prefix, const std::string& suffix,
                             const std::string& content) {
    int fd = -1;
    {
        const EndingSignalsHeld held;
        fd = CreateUnique(folder, prefix, suffix, path_);
        if (fd < 0) {
            failure_ = std::strerror(errno);
            path_.clear();
            return;
        }
        guarded_ = Guard(path_);
    }
    int error = WriteAll(fd, content);
#ifdef _WIN32
    if (::_close(fd) != 0 && !error) error = errno;
#else
    if (::close(fd) != 0 && !error) error = errno;
#endif
    if (!error) return;
    failure_ = std::strerror(error);
    Remove();
}

TemporaryFile::~TemporaryFile() {
    Remove();
}

void TemporaryFile::Remove() {
    if (path_.empty()) return;
    const EndingSignalsHeld held;
    std::remove(path_.c_str());
    path_.clear();
    if (guarded_) Unguard();
    guarded_ = false;
}

}  // namespace coredesign::platform

// The desktop shell on Linux and other freedesktop systems: `xdg-mime` tells
// which desktop entry opens a kind of document, `gio launch` starts that entry
// with an address. The programs are started directly with their arguments as
// a list (no shell ever sees them), found on PATH, and waited for with a
// time limit.
#ifndef _WIN32

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "desktop_shell.h"
#include "folders.h"

extern char** environ;

namespace coredesign::platform {
namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kQueryTimeout = std::chrono::seconds(10);
constexpr auto kLaunchTimeout = std::chrono::seconds(15);
constexpr long kLaunchFailed = 5;

// Closes a descriptor when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() { Reset(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }
    void Reset() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_;
};

// Starts `arguments[0]`, found on PATH, with these arguments. Its standard
// input and error are /dev/null, its standard output `output` (or /dev/null
// when that is -1). False when the program cannot be started.
bool Start(const std::vector<std::string>& arguments, int output, bool newSession, pid_t& pid) {
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    if (posix_spawn_file_actions_init(&actions) != 0) return false;
    if (posix_spawnattr_init(&attributes) != 0) {
        posix_spawn_file_actions_destroy(&actions);
        return false;
    }
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (output >= 0)
        posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO);
    else
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    // The child starts with the default signal handling, whatever this process set up.
    sigset_t all;
    sigfillset(&all);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setsigmask(&attributes, &none);
    short flags = POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK;
    if (newSession) flags |= POSIX_SPAWN_SETSID;
    posix_spawnattr_setflags(&attributes, flags);

    const int error = posix_spawnp(&pid, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return error == 0;
}

// Waits until the child ends or the deadline passes. True with its wait
// status when it ended; when the deadline passes it is killed and false.
bool WaitUntil(pid_t pid, Clock::time_point deadline, int& status) {
    for (;;) {
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid) return true;
        if (done < 0 && errno != EINTR) return false;  // not our child any more
        if (Clock::now() >= deadline) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ::kill(pid, SIGKILL);
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return false;
}

bool ExitedWithZero(int status) {
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Runs a program and returns what it wrote to its standard output, when it
// started, ended within the time limit and exited with status 0.
bool RunAndRead(const std::vector<std::string>& arguments, std::string& output) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) return false;
    Descriptor reading(ends[0]), writing(ends[1]);
    pid_t pid = 0;
    if (!Start(arguments, writing.Get(), false, pid)) return false;
    writing.Reset();

    const Clock::time_point deadline = Clock::now() + kQueryTimeout;
    char buffer[4096];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) break;
        pollfd ready{reading.Get(), POLLIN, 0};
        const int polled = ::poll(&ready, 1, static_cast<int>(left));
        if (polled < 0 && errno == EINTR) continue;
        if (polled <= 0) break;
        const ssize_t got = ::read(reading.Get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;  // the end of its output
        output.append(buffer, static_cast<std::size_t>(got));
    }
    int status = 0;
    return WaitUntil(pid, deadline, status) && ExitedWithZero(status);
}

// Starts a program that is not waited for; it is reaped when it ends.
bool StartDetached(const std::vector<std::string>& arguments) {
    pid_t pid = 0;
    if (!Start(arguments, -1, true, pid)) return false;
    std::thread([pid] {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
    return true;
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

std::string Trimmed(const std::string& text) {
    std::size_t first = 0, last = text.size();
    while (first < last && IsSpace(text[first])) ++first;
    while (last > first && IsSpace(text[last - 1])) --last;
    return text.substr(first, last - first);
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The desktop entry id registered as the default for a MIME type, or empty.
std::string DefaultDesktopEntry(const std::string& mimeType) {
    std::string answer;
    if (!RunAndRead({"xdg-mime", "query", "default", mimeType}, answer)) return {};
    // The first line only, and only a plain desktop entry id.
    const std::string all = Trimmed(answer);
    std::string id = Trimmed(all.substr(0, all.find('\n')));
    if (!EndsWith(id, ".desktop") || id.front() == '.' || id.find_first_of("/\\") != std::string::npos) return {};
    return id;
}

bool IsFolder(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool Exists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

std::string Joined(const std::string& folder, const std::string& name) {
    if (!name.empty() && name.front() == '/') return name;
    std::string path = folder;
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path + "/" + name;
}

// The applications folders of the XDG data folders, most personal first:
// XDG_DATA_HOME (else ~/.local/share), then each of XDG_DATA_DIRS (else
// /usr/local/share and /usr/share). Relative entries are ignored.
std::vector<std::string> ApplicationsFolders() {
    std::vector<std::string> data;
    const char* home = std::getenv("XDG_DATA_HOME");
    if (home && *home == '/') {
        data.emplace_back(home);
    } else if (const char* user = std::getenv("HOME"); user && *user) {
        data.push_back(Joined(user, ".local/share"));
    }
    const char* dirs = std::getenv("XDG_DATA_DIRS");
    if (!dirs || !*dirs) dirs = "/usr/local/share:/usr/share";
    const std::string list = dirs;
    for (std::size_t start = 0; start <= list.size();) {
        const std::size_t colon = std::min(list.find(':', start), list.size());
        const std::string dir = list.substr(start, colon - start);
        if (!dir.empty() && dir.front() == '/' && std::find(data.begin(), data.end(), dir) == data.end())
            data.push_back(dir);
        start = colon + 1;
    }
    std::vector<std::string> folders;
    folders.reserve(data.size());
    for (const std::string& d : data) folders.push_back(Joined(d, "applications"));
    return folders;
}

// The file of a desktop entry id, searched in the applications folders; a '-'
// in the id may stand for a subfolder.
std::string DesktopEntryFile(const std::string& id) {
    std::vector<std::size_t> dashes;
    for (std::size_t i = 0; i < id.size(); ++i)
        if (id[i] == '-') dashes.push_back(i);
    const std::size_t used = std::min<std::size_t>(dashes.size(), 6);
    const int variants = 1 << used;
    for (const std::string& folder : ApplicationsFolders()) {
        for (int mask = 0; mask < variants; ++mask) {
            std::string relative = id;
            for (std::size_t bit = 0; bit < used; ++bit)
                if (mask & (1 << bit)) relative[dashes[bit]] = '/';
            std::string candidate = Joined(folder, relative);
            if (IsRegularFile(candidate)) return candidate;
        }
    }
    return {};
}

// The MIME type of a document by its name's suffix. The web link asks only
// about web pages; any other kind has no registered program here.
std::string MimeTypeOf(const std::string& file) {
    const std::size_t slash = file.find_last_of('/');
    const std::string name = slash == std::string::npos ? file : file.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    std::string suffix = dot == std::string::npos ? std::string() : name.substr(dot + 1);
    for (char& c : suffix) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return suffix == "html" || suffix == "htm" ? "text/html" : std::string();
}

class FreedesktopShell final : public DesktopShell {
public:
    long LookUpProgram(const std::string& file, const std::string& folder, std::string& program) override {
        program.clear();
        if (folder.empty() || !IsFolder(folder)) return kPathNotFound;
        if (!Exists(Joined(folder, file))) return kFileNotFound;
        const std::string mimeType = MimeTypeOf(file);
        if (mimeType.empty()) return kNoAssociation;
        const std::string id = DefaultDesktopEntry(mimeType);
        if (id.empty() || DesktopEntryFile(id).empty()) return kNoAssociation;
        program = id;
        return kFound;
    }

    // The parent window is not needed: the launched browser is a program of
    // its own. The address opens in the browser registered for HTML pages.
    long OpenAddress(WindowHandle, const std::string&, const std::string& address, const std::string&,
                     const std::string&, int) override {
        std::string url = address;
        if (url.find("://") == std::string::npos) url = "http://" + url;
        const std::string id = DefaultDesktopEntry("text/html");
        if (id.empty()) return kNoAssociation;
        const std::string entry = DesktopEntryFile(id);
        if (entry.empty()) return kFileNotFound;

        pid_t pid = 0;
        if (!Start({"gio", "launch", entry, url}, -1, false, pid)) {
            // No gio: let xdg-open pick the browser for the address.
            return StartDetached({"xdg-open", url}) ? kOpened : kFileNotFound;
        }
        int status = 0;
        if (!WaitUntil(pid, Clock::now() + kLaunchTimeout, status) || !ExitedWithZero(status)) return kLaunchFailed;
        return kOpened;
    }
};

}  // namespace

DesktopShell& SystemShell() {
    static FreedesktopShell shell;
    return shell;
}

}  // namespace coredesign::platform

#endif  // !_WIN32

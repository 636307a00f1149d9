// A shell command run with what it writes caught, a full disk stood in for
// by the file size limit, and devices of the test's own. POSIX only (not in
// the Windows build's tests).
#pragma once

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "temp_folder.h"

namespace coredesign::testing {

// While the object lives, no file of the process may grow beyond `bytes`, as
// on a full disk: a write past the limit fails (EFBIG) instead of ending the
// process. (Even root cannot write past it, where a read-only folder would
// not stop root.)
class ScopedFileSizeLimit {
public:
    explicit ScopedFileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~ScopedFileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    ScopedFileSizeLimit(const ScopedFileSizeLimit&) = delete;
    ScopedFileSizeLimit& operator=(const ScopedFileSizeLimit&) = delete;

private:
    rlimit old_{};
    void (*oldHandler_)(int) = SIG_DFL;
};

// A copy of one of the system's character devices in the test's own folder:
// the null device (minor 3) or the full one (minor 7), which takes no byte.
// Making it needs root; false otherwise.
inline bool MakeDevice(const std::string& path, unsigned minor) {
    return ::geteuid() == 0 && ::mknod(path.c_str(), S_IFCHR | 0666, makedev(1, minor)) == 0 &&
           ::chmod(path.c_str(), 0666) == 0;
}

// The type and permission bits of what `path` names, the name itself when a link.
inline mode_t LinkMode(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 ? info.st_mode : 0;
}

// A shell command run with its standard output and error caught in files of
// `dir`: its exit status (-1 when it did not exit), and what it wrote.
struct CommandResult {
    int exitStatus = -1;
    std::string out, err;
};
inline CommandResult RunCommand(const std::string& command, const TempFolder& dir) {
    const std::string out = dir.File(".command-out"), err = dir.File(".command-err");
    const int status = std::system((command + " >'" + out + "' 2>'" + err + "'").c_str());
    CommandResult r{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(out), ReadFile(err)};
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return r;
}

}  // namespace coredesign::testing

#include "private_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "write_all.h"
#endif

namespace coredesign::platform {
namespace {

bool SystemFailure(int number, FileFailure& failure) {
    const char* text = std::strerror(number);
    failure = {number, text ? text : "unknown error"};
    return false;
}

}  // namespace

#ifndef _WIN32
namespace {

constexpr mode_t kPrivate = S_IRUSR | S_IWUSR;
// A name that changes under us between two looks is given up after this many tries.
constexpr int kAttempts = 4;

bool Refuse(const std::string& path, const char* what, FileFailure& failure) {
    failure = {EEXIST, path + " " + what + " (left untouched)"};
    return false;
}

// A name the program may use: a regular file of this user's own with no
// other name. Otherwise false, with what it is.
bool IsOwnFile(const struct stat& info, const std::string& path, FileFailure& failure) {
    if (S_ISLNK(info.st_mode)) return Refuse(path, "is a symbolic link", failure);
    if (!S_ISREG(info.st_mode)) return Refuse(path, "is not a regular file", failure);
    if (info.st_uid != ::geteuid()) return Refuse(path, "belongs to another user", failure);
    if (info.st_nlink != 1) return Refuse(path, "has other names (hard links)", failure);
    return true;
}

// The name's status without following a link: 1 a file of this user's own,
// 0 nothing there, -1 refused or failed (`failure` says which).
int LookAt(const std::string& path, struct stat& info, FileFailure& failure) {
    if (::lstat(path.c_str(), &info) == 0) return IsOwnFile(info, path, failure) ? 1 : -1;
    if (errno == ENOENT) return 0;
    SystemFailure(errno, failure);
    return -1;
}

// A descriptor open for writing on a new private file, or on the existing
// file of this user's own emptied and made private; -1 with the failure.
int OpenForWriting(const std::string& path, FileFailure& failure) {
    int error = EAGAIN;  // a name that keeps changing under us is told as busy
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, kPrivate);
        if (fd >= 0) return fd;
        if (errno != EEXIST) {
            error = errno;
            break;
        }

        struct stat named {};
        const int state = LookAt(path, named, failure);
        if (state < 0) return -1;
        if (state == 0) continue;  // gone again: create it anew
        // Not blocking, so that a name turned into a pipe in between cannot hold the program.
        fd = ::open(path.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0 && errno == ENOENT) continue;
        if (fd < 0 && errno == ELOOP) {
            Refuse(path, "is a symbolic link", failure);
            return -1;
        }
        if (fd < 0) {
            error = errno;
            break;
        }
        // The open file must be the one looked at, and still ours, before it is emptied.
        struct stat opened {};
        bool usable = ::fstat(fd, &opened) == 0 ? IsOwnFile(opened, path, failure) : SystemFailure(errno, failure);
        if (usable && (opened.st_dev != named.st_dev || opened.st_ino != named.st_ino))
            usable = Refuse(path, "was replaced while it was opened", failure);
        const int flags = usable ? ::fcntl(fd, F_GETFL) : -1;
        if (usable &&
            (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0 ||
             ((opened.st_mode & 07777) != kPrivate && ::fchmod(fd, kPrivate) != 0) || ::ftruncate(fd, 0) != 0))
            usable = SystemFailure(errno, failure);
        if (usable) return fd;
        ::close(fd);
        return -1;
    }
    SystemFailure(error, failure);
    return -1;
}

}  // namespace

bool WritePrivateFile(const std::string& path, const std::string& content, FileFailure& failure) {
    const int fd = OpenForWriting(path, failure);
    if (fd < 0) return false;
    const int error = WriteAll(fd, content);
    const bool written = error == 0 || SystemFailure(error, failure);
    if (::close(fd) != 0 && written) return SystemFailure(errno, failure);
    return written;
}

bool CreatePrivateFile(const std::string& path, FileFailure& failure) {
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, kPrivate);
        if (fd >= 0) return ::close(fd) == 0 || SystemFailure(errno, failure);
        if (errno != EEXIST) return SystemFailure(errno, failure);
        // An earlier file of ours under the name is removed; then the name is created anew.
        struct stat named {};
        if (LookAt(path, named, failure) < 0) return false;
        if (::unlink(path.c_str()) != 0 && errno != ENOENT) return SystemFailure(errno, failure);
    }
    return SystemFailure(EAGAIN, failure);
}

bool RemovePrivateFile(const std::string& path, FileFailure& failure) {
    struct stat named {};
    const int state = LookAt(path, named, failure);
    if (state <= 0) return state == 0;
    return ::unlink(path.c_str()) == 0 || errno == ENOENT || SystemFailure(errno, failure);
}

#else  // _WIN32: the files are written as before, with the C library.

bool WritePrivateFile(const std::string& path, const std::string& content, FileFailure& failure) {
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return SystemFailure(errno ? errno : EIO, failure);
    const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    const int writeError = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written) return SystemFailure(writeError ? writeError : EIO, failure);
    if (!closed) return SystemFailure(errno ? errno : EIO, failure);
    return true;
}

bool CreatePrivateFile(const std::string& path, FileFailure& failure) {
    return WritePrivateFile(path, std::string(), failure);
}

bool RemovePrivateFile(const std::string& path, FileFailure& failure) {
    errno = 0;
    if (std::remove(path.c_str()) == 0 || errno == ENOENT) return true;
    return SystemFailure(errno ? errno : EIO, failure);
}

#endif

}  // namespace coredesign::platform

#include "named_file.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "folders.h"
#include "write_all.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace coredesign::platform {
namespace {

#ifdef _WIN32
constexpr int kWriteOnly = _O_WRONLY | _O_BINARY | _O_NOINHERIT;
constexpr int kCreateNew = kWriteOnly | _O_CREAT | _O_EXCL;
constexpr int kNewFileMode = _S_IREAD | _S_IWRITE;
constexpr int kOwnerOnly = _S_IREAD | _S_IWRITE;
constexpr char kSeparators[] = "/\\";
int Open(const std::string& path, int flags, int mode = 0) {
    return ::_open(path.c_str(), flags, mode);
}
int Close(int fd) {
    return ::_close(fd);
}
int Remove(const std::string& path) {
    return ::_unlink(path.c_str());
}
int ToDisk(int fd) {
    return ::_commit(fd);
}
int ProcessId() {
    return ::_getpid();
}
#else
constexpr int kWriteOnly = O_WRONLY | O_NOCTTY | O_CLOEXEC;
constexpr int kCreateNew = kWriteOnly | O_CREAT | O_EXCL | O_NOFOLLOW;
constexpr int kNewFileMode = 0666;  // less the user's umask, as for any new file
constexpr int kOwnerOnly = 0600;
constexpr char kSeparators[] = "/";
int Open(const std::string& path, int flags, int mode = 0) {
    return ::open(path.c_str(), flags, mode);
}
int Close(int fd) {
    return ::close(fd);
}
int Remove(const std::string& path) {
    return ::unlink(path.c_str());
}
int ToDisk(int fd) {
    return ::fsync(fd);
}
int ProcessId() {
    return static_cast<int>(::getpid());
}
#endif

bool Fail(int error, std::string& failure) {
    const char* text = std::strerror(error);
    failure = text ? text : "unknown error";
    return false;
}

// Writes `content` into the open `fd` and closes it; `toDisk` (a regular
// file) flushes it to the disk first, where a full disk may show only then.
bool WriteAndClose(int fd, const std::string& content, bool toDisk, std::string& failure) {
    int error = WriteAll(fd, content);
    if (!error && toDisk && ToDisk(fd) != 0) error = errno;
    if (Close(fd) != 0 && !error) error = errno;
    return error ? Fail(error, failure) : true;
}

// A name for the new file beside `target`, unlike any other of this process
// and hard to guess for anyone else: a dot, the target's name (cut to stay
// within the length of a name), sixteen hexadecimal digits and "~".
std::string SideName(const std::string& target) {
    static std::atomic<std::uint64_t> counter{0};
    std::uint64_t x = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                      (static_cast<std::uint64_t>(ProcessId()) << 40) ^ (++counter * 0x9E3779B97F4A7C15ULL);
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;  // splitmix64's mix: every bit of x moves every digit
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    x ^= x >> 31;
    char digits[17];
    std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(x));
    const std::size_t slash = target.find_last_of(kSeparators);
    const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
    return target.substr(0, start) + "." + target.substr(start, 200) + "." + digits + "~";
}

// The new file beside `target`, kept to the user while it is written when
// it `replaces` one; its descriptor, or -1 with errno set.
int CreateBeside(const std::string& target, bool replaces, std::string& side) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        side = SideName(target);
        const int fd = Open(side, kCreateNew, replaces ? kOwnerOnly : kNewFileMode);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

#ifdef _WIN32
// What a name stands for before it is written: nothing yet, a device or a
// FIFO (open for writing, `fd`), or a regular file (its status).
struct Existing {
    bool exists = false;
    int fd = -1;
    struct _stat64 status {};
};

// Windows: the name is looked at without opening it, so that no handle of
// this process stands in the way of another's replacing it. A folder or a
// read-only file is refused as opening it for writing is (EACCES); no device
// is met. 0, or the error number.
int LookAt(const std::string& path, Existing& existing) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD code = GetLastError();
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) return 0;
        return code == ERROR_INVALID_NAME ? EINVAL : EACCES;
    }
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) return EACCES;
    existing.exists = true;
    return 0;
}

// Links are not followed on Windows: the name is the target.
int FinalName(const std::string& path, std::string& name) {
    name = path;
    return 0;
}

bool TakeOver(int, const Existing&) {
    return true;
}

// Another program (a second writer, a virus scanner) may hold the file for a
// moment: the replacement is tried again a few times before it fails.
int Rename(const std::string& from, const std::string& to) {
    DWORD code = 0;
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return 0;
        code = GetLastError();
        if (code != ERROR_ACCESS_DENIED && code != ERROR_SHARING_VIOLATION) break;
        Sleep(5);
    }
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) return ENOENT;
    return code == ERROR_ACCESS_DENIED || code == ERROR_SHARING_VIOLATION ? EACCES : EIO;
}
#else
struct Existing {
    bool exists = false;
    int fd = -1;
    struct stat status {};
};

// The name opened as any program opens a file it is given, but not emptied:
// the permissions are checked and a link is followed. A device or a FIFO
// stays open for writing into it. 0, or the error number.
int LookAt(const std::string& path, Existing& existing) {
    const int fd = Open(path, kWriteOnly);
    if (fd < 0) return errno == ENOENT ? 0 : errno;
    existing.exists = true;
    const int error = ::fstat(fd, &existing.status) == 0 ? 0 : errno;
    if (!error && !S_ISREG(existing.status.st_mode)) {
        existing.fd = fd;
        return 0;
    }
    Close(fd);
    return error;
}

// The name the links of `path` end at: the file it stands for, or the free
// name a dangling link points to. 0, or the error that stopped the way there.
int FinalName(const std::string& path, std::string& name) {
    name = path;
    for (int hop = 0; hop < 40; ++hop) {
        struct stat info {};
        if (::lstat(name.c_str(), &info) != 0) return errno == ENOENT ? 0 : errno;
        if (!S_ISLNK(info.st_mode)) return 0;
        std::string target(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 255) + 1, '\0');
        const ssize_t n = ::readlink(name.c_str(), target.data(), target.size());
        if (n < 0) return errno;
        if (n == 0 || static_cast<std::size_t>(n) >= target.size()) return EAGAIN;  // changed while it was read
        target.resize(static_cast<std::size_t>(n));
        const std::size_t slash = name.rfind('/');
        if (target[0] == '/' || slash == std::string::npos) {
            name = target;
        } else {
            name.resize(slash + 1);  // the link's folder, where a relative target counts from
            name += target;
        }
    }
    return ELOOP;
}

// The new file takes the mode of the file it replaces, and its owner and
// group where the user may give them (root may; anyone else's new file is
// theirs, as any file they make).
bool TakeOver(int fd, const Existing& existing) {
    const struct stat& replaced = existing.status;
    struct stat own {};
    if (::fstat(fd, &own) != 0) return false;
    if ((own.st_uid != replaced.st_uid || own.st_gid != replaced.st_gid) &&
        ::fchown(fd, replaced.st_uid, replaced.st_gid) != 0 && errno != EPERM)
        return false;
    return ::fchmod(fd, replaced.st_mode & 07777) == 0;
}

int Rename(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}
#endif

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
    if (std::ferror(file)) return Fail(errno ? errno : EIO, failure);
    failure.clear();
    return true;
}

}  // namespace

int WriteAll(int fd, const std::string& content) {
    for (std::size_t done = 0; done < content.size();) {
        const std::size_t chunk = std::min<std::size_t>(content.size() - done, 1 << 30);
#ifdef _WIN32
        const int n = ::_write(fd, content.data() + done, static_cast<unsigned>(chunk));
#else
        const ssize_t n = ::write(fd, content.data() + done, chunk);
#endif
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return n < 0 ? errno : EIO;
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    return folder + kPathSeparator + name;
}

bool WriteNamedFile(const std::string& path, const std::string& content, std::string& failure) {
    failure.clear();
    Existing existing;
    if (const int error = LookAt(path, existing)) return Fail(error, failure);
    if (existing.fd >= 0) return WriteAndClose(existing.fd, content, false, failure);  // a device or a FIFO

    std::string target, side;
    if (const int error = FinalName(path, target)) return Fail(error, failure);
    const int fd = CreateBeside(target, existing.exists, side);
    if (fd < 0 && errno == EACCES && existing.exists) {
        // A folder where no new file can be made: the file written in place.
        const int inPlace = Open(path, kWriteOnly | O_TRUNC);
        return inPlace >= 0 ? WriteAndClose(inPlace, content, true, failure) : Fail(errno, failure);
    }
    if (fd < 0) return Fail(errno, failure);
    int error = existing.exists && !TakeOver(fd, existing) ? errno : 0;
    if (error) Close(fd);
    if (!error && !WriteAndClose(fd, content, true, failure)) error = -1;  // told already
    if (!error) error = Rename(side, target);
    if (!error) return true;
    Remove(side);
    return error > 0 ? Fail(error, failure) : false;
}

bool ReadNamedFile(const std::string& path, std::size_t maxBytes, std::string& content, std::string& failure) {
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return Fail(errno, failure);
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

}  // namespace coredesign::platform

// Runs a program as a process of its own and collects what it writes and how
// it ends, for the tests that link no Qt (the others use QProcess). A run
// that hangs is ended by the test's time limit.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace coredesign::testing {

struct ProcessResult {
    int exitStatus = -1;  // -1 when it did not exit normally (a crash)
    std::string out, err;
};

inline std::string ReadAll(int fd) {
    std::string text;
    char buf[4096];
    for (ssize_t n; (n = read(fd, buf, sizeof buf)) != 0;) {
        if (n > 0)
            text.append(buf, static_cast<size_t>(n));
        else if (errno != EINTR)
            break;
    }
    return text;
}

// `env` entries ("NAME=value") are added to the environment. Standard error
// goes to a temporary file, so that neither stream can block the other.
inline ProcessResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                                const std::vector<std::string>& env = {}) {
    ProcessResult result;
    int outPipe[2];
    std::FILE* errFile = std::tmpfile();
    if (!errFile || pipe(outPipe) != 0) return result;
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(outPipe[1], STDOUT_FILENO);
        dup2(fileno(errFile), STDERR_FILENO);
        close(outPipe[0]);
        for (const std::string& e : env) putenv(const_cast<char*>(e.c_str()));
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(outPipe[1]);
    result.out = ReadAll(outPipe[0]);
    close(outPipe[0]);
    int status = 0;
    while (pid > 0 && waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (pid > 0 && WIFEXITED(status)) result.exitStatus = WEXITSTATUS(status);
    lseek(fileno(errFile), 0, SEEK_SET);
    result.err = ReadAll(fileno(errFile));
    std::fclose(errFile);
    return result;
}

// The program `name` in a folder of PATH; empty when there is none.
inline std::string FindOnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "";
    for (std::size_t start = 0; start <= dirs.size();) {
        const std::size_t end = std::min(dirs.find(':', start), dirs.size());
        const std::string candidate = dirs.substr(start, end - start) + "/" + name;
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
        start = end + 1;
    }
    return std::string();
}

}  // namespace coredesign::testing

// Runs the command-line program as a separate process and collects what it
// writes and how it ends. (A run that hangs is ended by the test's time limit.)
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace clitest {

struct ProcessResult {
    int exitStatus = -1;  // -1 when it did not exit normally
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

// `env` entries ("NAME=value") are added to (or replace in) the environment.
// Standard error goes to a temporary file, so that neither stream can block the other.
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
        close(outPipe[1]);
        for (const std::string& e : env) {
            const auto eq = e.find('=');
            setenv(e.substr(0, eq).c_str(), e.substr(eq + 1).c_str(), 1);
        }
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

}  // namespace clitest

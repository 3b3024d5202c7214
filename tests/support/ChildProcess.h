#pragma once

#include <functional>
#include <sys/wait.h>
#include <unistd.h>

namespace vantrel::test {

// Runs a function in a forked child process and answers its exit status (or 128 + the signal that ended
// it). For tests that need a second process, a killed process or limits that must not touch the runner.
inline int runInChild(const std::function<int()>& body) {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(body());
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

} // namespace vantrel::test

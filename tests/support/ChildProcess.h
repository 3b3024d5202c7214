#pragma once

#include <functional>
#include <sys/wait.h>
#include <unistd.h>

namespace vantrel::test {

// Starts a function in a forked child process, which ends with the function's answer as its exit status.
// For tests that need a second process, a killed process or limits that must not touch the runner.
inline pid_t startChild(const std::function<int()>& body) {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(body());
    return child;
}

// Waits for a child and answers its exit status (or 128 + the signal that ended it).
inline int waitForChild(pid_t child) {
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

inline int runInChild(const std::function<int()>& body) {
    return waitForChild(startChild(body));
}

} // namespace vantrel::test

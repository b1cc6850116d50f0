#pragma once

#include <functional>

#include <sys/wait.h>
#include <unistd.h>

/// Runs body in a forked child process and returns its exit status (-1 when it did not
/// exit normally). The child ends with _exit, so no test machinery runs twice.
inline int runInChild(const std::function<int()>& body)
{
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(body());
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

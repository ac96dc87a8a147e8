#pragma once

#ifndef _WIN32
#include <cstdint>
#include <fstream>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lyricast::test {

// Runs `action` in a child process that may take only `room` bytes of
// address space more than it holds already, and tells how the child ended:
// its exit status (0 when `action` returned true, 1 when false), or 128 and
// the signal that ended it (an allocation that fails ends it so).
inline int StatusUnderMemoryLimit(const std::function<bool()>& action,
                                  std::uint64_t room = 256u << 20) {
    const pid_t child = ::fork();
    if (child == 0) {
        std::uint64_t pages = 0;
        std::ifstream("/proc/self/statm") >> pages;
        const rlim_t limit = pages * static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE)) + room;
        const rlimit bounds{limit, limit};
        if (::setrlimit(RLIMIT_AS, &bounds) != 0)
            ::_exit(2);
        ::_exit(action() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

} // namespace lyricast::test
#endif

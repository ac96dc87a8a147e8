#include "platform/ShellOpen.h"

#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace lyricast {

void ShellOpen(const std::string& path) {
    // A short-lived shell starts the opener in the background and returns at
    // once, so the opener belongs to init and never lingers as our zombie.
    const char* script = "xdg-open \"$1\" >/dev/null 2>&1 &";
    char* const argv[] = {const_cast<char*>("sh"),         const_cast<char*>("-c"),
                          const_cast<char*>(script),       const_cast<char*>("sh"),
                          const_cast<char*>(path.c_str()), nullptr};
    pid_t shell = 0;
    if (posix_spawn(&shell, "/bin/sh", nullptr, nullptr, argv, environ) == 0)
        waitpid(shell, nullptr, 0);
}

} // namespace lyricast

#include "platform/ShellOpen.h"

#include <cerrno>
#include <fcntl.h>
#include <spawn.h>
#include <string_view>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace lyricast {
namespace {

// The desktop entry this program is installed with (packaging/): a desktop
// that gives it folders would have the window open another of itself.
constexpr std::string_view kOwnDesktopEntry = "lyricast-convert.desktop";

// What a program prints on its standard output, trimmed of the line's end;
// nothing when it cannot be started.
std::string OutputOf(const char* program, char* const argv[]) {
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const bool started = posix_spawnp(&child, program, &actions, nullptr, argv, environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    std::string output;
    char buffer[256];
    while (started) {
        const ssize_t got = read(pipeEnds[0], buffer, sizeof buffer);
        if (got > 0)
            output.append(buffer, static_cast<std::size_t>(got));
        else if (got == 0 || errno != EINTR)
            break;
    }
    close(pipeEnds[0]);
    if (started)
        waitpid(child, nullptr, 0);
    while (!output.empty() && (output.back() == '\n' || output.back() == ' '))
        output.pop_back();
    return output;
}

// The desktop entry the desktop opens folders with, as xdg-utils tells it.
std::string FolderHandler() {
    char* const argv[] = {const_cast<char*>("xdg-mime"), const_cast<char*>("query"),
                          const_cast<char*>("default"), const_cast<char*>("inode/directory"),
                          nullptr};
    return OutputOf("xdg-mime", argv);
}

} // namespace

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

// xdg-open would hand a folder to whatever claims folders, this program
// included, or to a web browser when nothing does; so the claim is looked
// at first.
bool ShellOpenFolder(const std::string& folder) {
    const std::string handler = FolderHandler();
    if (handler.empty() || handler == kOwnDesktopEntry)
        return false;
    ShellOpen(folder);
    return true;
}

} // namespace lyricast

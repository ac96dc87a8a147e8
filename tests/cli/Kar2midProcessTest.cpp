// kar2mid as a program: what only a whole process shows (how it meets
// signals). Built on POSIX systems only; the program's path comes from the
// build.
#include "support/SmfBuilder.h"
#include "support/TempDir.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lyricast::test {
namespace {

namespace fs = std::filesystem;

const Bytes kKaraoke = Smf(1, {Track("00 ff 01 02 48 69  00 90 3c 64  60 80 3c 40  00 ff 2f 00")});

// One word for the shell, whatever it holds.
std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

struct Finished {
    int status = -1;
    std::string output; // standard output and standard error, as they came
};

// Runs a shell command with the signals' usual effects, as a terminal's shell would.
Finished RunShell(const std::string& command) {
    std::signal(SIGPIPE, SIG_DFL);
    Finished finished;
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr)
        return finished;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        finished.output.append(buffer, got);
    const int wait = ::pclose(pipe);
    finished.status = WIFEXITED(wait) ? WEXITSTATUS(wait) : 128 + WTERMSIG(wait);
    return finished;
}

std::size_t CountEnding(const fs::path& folder, const std::string& end) {
    std::size_t count = 0;
    for (const auto& entry : fs::directory_iterator(folder))
        count += entry.path().filename().string().ends_with(end) ? 1 : 0;
    return count;
}

// A reader that has gone ends the printing, not the conversion.
TEST(Kar2midProcess, AClosedPipeEndsThePrintingNotTheRun) {
    TempDir dir;
    const std::string name(100, 'n'); // 600 lines that no pipe can hold unread
    for (int i = 0; i < 600; ++i)
        WriteBytes(dir / ("many/" + name + std::to_string(i) + ".kar"), kKaraoke);
    const Finished run = RunShell(
        "bash -c '\"$0\" \"$1\" | head -n 3 >\"$2\"; exit \"${PIPESTATUS[0]}\"' " +
        Quoted(KAR2MID_PROGRAM) + " " + Quoted(dir / "many") + " " + Quoted(dir / "head.txt"));
    EXPECT_EQ(run.status, 1) << run.output;
    EXPECT_NE(run.output.find("kar2mid: cannot write the standard output"), std::string::npos)
        << run.output;
    EXPECT_EQ(CountEnding(dir.path() / "many", ".MID"), 600u);
    EXPECT_EQ(CountEnding(dir.path() / "many", ".tmp"), 0u);
    const Bytes headBytes = ReadBytes(dir / "head.txt");
    const std::string head(headBytes.begin(), headBytes.end());
    EXPECT_EQ(std::count(head.begin(), head.end(), '\n'), 3) << head;
    EXPECT_TRUE(head.starts_with("converted: ")) << head;
}

} // namespace
} // namespace lyricast::test

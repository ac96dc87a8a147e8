// kar2mid as a program: what only a whole process shows (signals, the rights
// of the user who runs it). Built on POSIX systems only; the program's path
// comes from the build.
#include "support/SmfBuilder.h"
#include "support/TempDir.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
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

// However many files are being written at once, an interrupt leaves none of
// their temporary files behind, and still ends the program as it would.
TEST(Kar2midProcess, ATermSignalLeavesNoTemporaryFileWhateverTheJobs) {
    TempDir dir;
    for (int i = 0; i < 3000; ++i)
        WriteBytes(dir / ("many/" + std::to_string(i) + ".kar"), kKaraoke);
    for (int run = 0; run < 3; ++run) {
        const Finished killed =
            RunShell("bash -c '\"$0\" -j 200 \"$1\" >/dev/null 2>&1 & p=$!; "
                     "until compgen -G \"$1/*.MID\" >/dev/null; do sleep 0.01; done; "
                     "kill -TERM $p; wait $p' " +
                     Quoted(KAR2MID_PROGRAM) + " " + Quoted(dir / "many"));
        EXPECT_EQ(killed.status, 128 + SIGTERM) << killed.output;
        EXPECT_EQ(CountEnding(dir.path() / "many", ".tmp"), 0u) << "run " << run;
        for (const auto& entry : fs::directory_iterator(dir.path() / "many"))
            if (entry.path().extension() == ".MID")
                fs::remove(entry.path());
    }
}

// How to run a program as the user nobody: nothing needed when this is not
// root (the modes bind it already), else setpriv or runuser.
std::optional<std::string> AsAnOrdinaryUser() {
    if (::geteuid() != 0)
        return "";
    if (::access("/usr/bin/setpriv", X_OK) == 0)
        return "/usr/bin/setpriv --reuid=nobody --regid=nogroup --clear-groups ";
    if (::access("/usr/sbin/runuser", X_OK) == 0)
        return "/usr/sbin/runuser -u nobody -- ";
    return std::nullopt;
}

// Folders without the right to read or to search them are failures, each in
// its place; the summary counts them and the status says so, with any number
// of jobs, converting or listing.
TEST(Kar2midProcess, FoldersThatCannotBeReadFailInTheirPlace) {
    const auto asUser = AsAnOrdinaryUser();
    if (!asUser)
        GTEST_SKIP() << "running as root, with neither setpriv nor runuser to become "
                        "an ordinary user";
    TempDir dir;
    const std::string top = dir / "top";
    WriteBytes(dir / "top/a.kar", kKaraoke);
    WriteBytes(dir / "top/locked/b.kar", kKaraoke);
    WriteBytes(dir / "top/unsearchable/c.kar", kKaraoke);
    WriteBytes(dir / "top/z.kar", kKaraoke);
    // A copy the other user can reach, and a folder it can write its outputs in.
    const std::string program = dir / "kar2mid";
    fs::copy_file(KAR2MID_PROGRAM, program);
    fs::permissions(dir.path(),
                    fs::perms::all & ~fs::perms::others_write & ~fs::perms::group_write);
    fs::permissions(top, fs::perms::all);
    fs::permissions(top + "/locked", fs::perms::none);
    fs::permissions(top + "/unsearchable",
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const auto kar2mid = [&](const std::string& args) {
        return RunShell(*asUser + Quoted(program) + " " + args);
    };
    if (const Finished reach = RunShell(*asUser + "test -x " + Quoted(top)); reach.status != 0)
        GTEST_SKIP() << "the ordinary user cannot reach " << top << ": " << reach.output;

    const std::string locked = "failed: " + top + "/locked: Permission denied\n";
    const std::string unsearchable = "failed: " + top + "/unsearchable: Permission denied\n";
    const Finished alone = kar2mid(Quoted(top + "/locked"));
    EXPECT_EQ(alone.status, 1);
    EXPECT_EQ(alone.output, locked + "0 converted, 1 failed\n");

    for (const char* jobs : {"1", "4"}) {
        const Finished walked = kar2mid(std::string("-j ") + jobs + " --recursive " + Quoted(top));
        EXPECT_EQ(walked.status, 1) << jobs;
        EXPECT_EQ(walked.output, "converted: " + top + "/a.kar -> " + top + "/a.MID\n" + locked +
                                     unsearchable + "converted: " + top + "/z.kar -> " + top +
                                     "/z.MID\n2 converted, 2 failed\n")
            << jobs;
    }
    const Finished listed = kar2mid("--list --recursive " + Quoted(top));
    EXPECT_EQ(listed.status, 1);
    EXPECT_EQ(listed.output, top + "/a.kar\t.KAR\tGood\t1\n" + locked + unsearchable + top +
                                 "/z.kar\t.KAR\tGood\t1\n");
    const Finished lockedList = kar2mid("--list " + Quoted(top + "/locked"));
    EXPECT_EQ(lockedList.status, 1);
    EXPECT_EQ(lockedList.output, locked);

    const Finished notEntered = kar2mid(Quoted(top));
    EXPECT_EQ(notEntered.status, 0) << "a walk that does not go down meets no locked folder";
    EXPECT_TRUE(notEntered.output.ends_with("2 converted, 0 failed\n")) << notEntered.output;
    fs::permissions(top + "/locked", fs::perms::owner_all);
    fs::permissions(top + "/unsearchable", fs::perms::owner_all);
}

} // namespace
} // namespace lyricast::test

// The window program's start and end, through a fake toolkit whose folder
// pane moves the process's current folder as the real ones do.
#include "window/StartUp.h"
#include "FakeViews.h"
#include "platform/CurrentDirectory.h"
#include "platform/PathRules.h"
#include "support/Platform.h"
#include "support/SmfBuilder.h"
#include "support/TempDir.h"
#include "window/AbsolutePath.h"
#include "window/TMainForm.h"
#include "window/ToutPathForm.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <optional>
#include <stdexcept>

namespace lyricast::test {
namespace {

namespace fs = std::filesystem;

const Bytes kKaraoke = Smf(1, {Track("00 ff 01 03 61 2f 62  00 ff 2f 00")});

std::string Join(const std::string& folder, const std::string& name) {
    return PathRules::Native().Join(folder, name);
}

// A toolkit that makes nothing but the core and fakes, and records each step.
class FakeProgram final : public WindowProgram {
public:
    std::vector<std::string> arguments;
    std::vector<std::string> steps;
    FakeMainView view;
    FakeOutPathView outView;
    FakeSettings settings;
    std::optional<TMainForm> form;
    std::optional<ToutPathForm> outPath;
    std::string failAt; // the step that raises an error

    FakeProgram() {
        view.onShowFolder = [this](const std::string& to) {
            SetCurrentDir(to);
            view.folder = GetCurrentDir();
        };
    }

    std::vector<std::string> CreateApplication() override {
        Step("application");
        return arguments;
    }
    void CreateWindows() override {
        Step("windows");
        view.folder = GetCurrentDir();
        form.emplace(view);
        outPath.emplace(*form, outView);
        form->outPathForm = &*outPath;
    }
    TMainForm& Form() override { return *form; }
    MainFormView& View() override { return view; }
    void RestoreSettings() override {
        Step("restore");
        form->RestoreSettings(settings);
    }
    void SaveSettings() override {
        Step("save");
        form->SaveSettings(settings);
    }
    void ShowWindow() override { Step("show"); }
    int RunEventLoop() override {
        Step("loop");
        view.Settle();
        return 7;
    }
    void ShowStartError(const std::string& text) override { steps.push_back("error: " + text); }

private:
    void Step(const std::string& name) {
        steps.push_back(name);
        if (name == failAt)
            throw std::runtime_error("No display");
    }
};

class StartUpTest : public ::testing::Test {
protected:
    TempDir tree;
    FakeProgram program;
    std::string start, other;

    void SetUp() override {
        startedIn_ = GetCurrentDir();
        start = Join(tree.str(), "start");
        other = Join(tree.str(), "other");
        WriteBytes(Join(start, "song.kar"), kKaraoke);
        WriteBytes(Join(Join(start, "songs"), "a.kar"), kKaraoke);
        WriteBytes(Join(other, "song.kar"), Hex("00 01 02"));
        program.settings.values["Folder"] = other;
        SetCurrentDir(start);
        start = GetCurrentDir(); // as the system spells it
    }
    void TearDown() override { SetCurrentDir(startedIn_); }

    std::vector<std::string> Rows() const {
        std::vector<std::string> rows;
        for (const FileRow& row : program.view.rows)
            rows.push_back(row.path + (row.good ? " Good" : " Bad"));
        return rows;
    }

private:
    std::string startedIn_;
};

// The remembered folder moves the current folder before the window shows;
// the command line's files are still those of the folder the program was
// started in, and the rows name them whole, so a later convert finds them
// wherever the user has gone since.
TEST_F(StartUpTest, FilesNamedOnTheCommandLineAreReadWhereTheProgramStarted) {
    program.arguments = {"song.kar"};
    if (kWindows) // the drive's own current folder: moved too by the remembered one
        program.arguments.push_back(std::string(PathRules::Native().DrivePart(start)) + "song.kar");
    EXPECT_EQ(RunWindowProgram(program), 7);
    EXPECT_EQ(program.steps, (std::vector<std::string>{"application", "windows", "restore", "show",
                                                       "loop", "save"}));
    EXPECT_EQ(program.view.folder, other) << "the remembered folder was opened";
    const std::string song = Join(start, "song.kar");
    EXPECT_EQ(Rows(), std::vector<std::string>(program.arguments.size(), song + " Good"));

    program.view.selected = {0};
    program.form->LMDButton3Click();
    program.view.Settle();
    EXPECT_TRUE(fs::exists(Join(start, "song.MID")));
    EXPECT_FALSE(fs::exists(Join(other, "song.MID")));
    EXPECT_EQ(program.settings.values["Folder"], other) << "saved once the loop is over";
}

// Without a command line the window comes back to its folder listed, not
// just shown; a folder gone since lists nothing.
TEST_F(StartUpTest, TheRememberedFolderIsListedAtStart) {
    RunWindowProgram(program);
    EXPECT_EQ(program.view.folder, other);
    EXPECT_EQ(Rows(), std::vector<std::string>{Join(other, "song.kar") + " Bad"});

    FakeProgram gone;
    gone.settings.values["Folder"] = Join(tree.str(), "gone");
    RunWindowProgram(gone);
    EXPECT_TRUE(gone.view.rows.empty());
    EXPECT_TRUE(gone.view.Shown("message: ").empty()) << "no scan, so no unread folder to name";
}

TEST_F(StartUpTest, AFolderNamedOnTheCommandLineIsOpenedWhereTheProgramStarted) {
    program.arguments = {"songs"};
    RunWindowProgram(program);
    EXPECT_EQ(program.view.folder, Join(start, "songs"));
    EXPECT_EQ(Rows(), std::vector<std::string>{Join(Join(start, "songs"), "a.kar") + " Good"});
}

// Dropped paths are whole already; one that is not is read against the
// start folder too, never against wherever the pane stands.
TEST_F(StartUpTest, DroppedPathsAreReadAgainstTheStartFolder) {
    RunWindowProgram(program);
    program.form->OpenPaths({"song.kar"});
    program.view.Settle();
    EXPECT_EQ(Rows(), std::vector<std::string>{Join(start, "song.kar") + " Good"});
}

TEST_F(StartUpTest, AnErrorOnTheWayIsShownAndEndsTheProgram) {
    program.failAt = "windows";
    EXPECT_EQ(RunWindowProgram(program), 1);
    EXPECT_EQ(program.steps,
              (std::vector<std::string>{"application", "windows", "error: No display."}));

    FakeProgram later;
    later.failAt = "show";
    EXPECT_EQ(RunWindowProgram(later), 1);
    EXPECT_EQ(later.steps.back(), "error: No display.");
}

#ifndef _WIN32
// Ctrl+C or a kill during a batch removes the temporary file of each output
// being written, as it does for kar2mid.
TEST_F(StartUpTest, AnInterruptIsSetToRemoveTemporaryFiles) {
    struct sigaction before {};
    struct sigaction after {};
    ::sigaction(SIGTERM, nullptr, &before);
    struct sigaction byDefault {};
    byDefault.sa_handler = SIG_DFL;
    ::sigaction(SIGTERM, &byDefault, nullptr);
    RunWindowProgram(program);
    ::sigaction(SIGTERM, &before, &after);
    EXPECT_NE(after.sa_handler, SIG_DFL);
}
#endif

TEST(AbsoluteAgainst, RelativePathsJoinTheFolderUnderBothPathRules) {
    const PathRules& posix = PathRules::Posix();
    EXPECT_EQ(AbsoluteAgainst("song.kar", "/home/u", posix), "/home/u/song.kar");
    EXPECT_EQ(AbsoluteAgainst("k/a.kar", "/", posix), "/k/a.kar");
    EXPECT_EQ(AbsoluteAgainst("../a.kar", "/home/u", posix), "/home/u/../a.kar");
    EXPECT_EQ(AbsoluteAgainst("/srv/a.kar", "/home/u", posix), "/srv/a.kar");
    EXPECT_EQ(AbsoluteAgainst("C:a.kar", "/home/u", posix), "/home/u/C:a.kar")
        << "no drives in POSIX names";

    const PathRules& windows = PathRules::Windows();
    EXPECT_EQ(AbsoluteAgainst("song.kar", "C:\\K", windows), "C:\\K\\song.kar");
    EXPECT_EQ(AbsoluteAgainst("sub/a.kar", "C:\\", windows), "C:\\sub/a.kar");
    EXPECT_EQ(AbsoluteAgainst("\\Songs\\a.kar", "D:\\K", windows), "D:\\Songs\\a.kar");
    EXPECT_EQ(AbsoluteAgainst("\\Songs", "\\\\srv\\share\\K", windows), "\\\\srv\\share\\Songs");
    EXPECT_EQ(AbsoluteAgainst("C:\\a.kar", "D:\\K", windows), "C:\\a.kar");
    EXPECT_EQ(AbsoluteAgainst("\\\\srv\\share\\a.kar", "D:\\K", windows), "\\\\srv\\share\\a.kar");
    EXPECT_EQ(AbsoluteAgainst("Y:a.kar", "D:\\K", windows), "Y:a.kar")
        << "a drive's own folder is the system's to tell";

    EXPECT_EQ(AbsoluteAgainst("a.kar", "", posix), "a.kar");
    EXPECT_EQ(AbsoluteAgainst("", "C:\\K", windows), "");
}

} // namespace
} // namespace lyricast::test

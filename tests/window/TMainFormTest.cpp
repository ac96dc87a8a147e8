#include "FakeViews.h"
#include "platform/FileError.h"
#include "platform/PathRules.h"
#include "support/SmfBuilder.h"
#include "support/TempDir.h"
#include "window/AppInfo.h"
#include "window/HelpPage.h"
#include "window/TMainForm.h"
#include "window/ToutPathForm.h"

#include <gtest/gtest.h>

namespace lyricast::test {
namespace {

namespace fs = std::filesystem;

const Bytes kKaraoke = Smf(1, {Track("00 ff 01 03 61 2f 62  00 ff 2f 00"), Track("00 91 3c 64  00 ff 2f 00")});
const Bytes kNotMidi = Hex("00 01 02 03");

std::string Join(const std::string& folder, const std::string& name) {
    return PathRules::Native().Join(folder, name);
}

class TMainFormTest : public ::testing::Test {
protected:
    TempDir tree;
    FakeMainView view;
    TMainForm form{view};
    FakeOutPathView outView;
    ToutPathForm outPath{form, outView};

    void SetUp() override {
        form.outPathForm = &outPath;
        view.folder = tree.str();
    }

    std::string Add(const std::string& relative, const Bytes& bytes = kKaraoke) {
        const std::string path = Join(tree.str(), relative);
        WriteBytes(path, bytes);
        return path;
    }

    // Opens the folder as a double-click does, and runs the scan's walk as its worker would.
    void Scan() {
        form.DirectoryListBox1DblClick();
        std::shared_ptr<FileScanning> scan = view.workers.back();
        form.ScanFolder(*scan);
        view.workers.clear();
    }

    std::vector<std::string> Captions() const {
        std::vector<std::string> captions;
        for (const FileRow& row : view.rows)
            captions.push_back(row.path + (row.good ? " Good " : " Bad ") + std::to_string(row.trackCount));
        return captions;
    }
};

TEST_F(TMainFormTest, ScanListsKaraokeFilesWithTheirVerdicts) {
    Add("b.kar");
    Add("a.KAR", kNotMidi);
    Add("c.mid");
    Add("sub/d.kar");
    Scan();
    EXPECT_EQ(Captions(), (std::vector<std::string>{Join(tree.str(), "a.KAR") + " Bad 0",
                                                    Join(tree.str(), "b.kar") + " Good 2"}));
    EXPECT_EQ(view.rows[0].extension, ".KAR");
    EXPECT_EQ(form.rows.size(), 2u);
    EXPECT_EQ(view.Shown("status: "),
              (std::vector<std::string>{"status: Scanning : " + Join(tree.str(), "a.KAR"),
                                        "status: Scanning : " + Join(tree.str(), "b.kar"), "status: "}));
    EXPECT_TRUE(view.progressVisible) << "an opened folder shows the bar empty";
    EXPECT_EQ(view.progressPosition, 0);
    EXPECT_FALSE(form.ScanRunning());
}

TEST_F(TMainFormTest, SubFoldersAreWalkedDepthFirstWhenAsked) {
    Add("a.kar");
    Add("m/b.kar");
    Add("z.kar");
    Add(".hidden/c.kar");
    form.subDirClick();
    EXPECT_TRUE(form.subDir);
    Scan();
    EXPECT_EQ(Captions(), (std::vector<std::string>{Join(tree.str(), "a.kar") + " Good 2",
                                                    Join(Join(tree.str(), "m"), "b.kar") + " Good 2",
                                                    Join(tree.str(), "z.kar") + " Good 2"}));
}

TEST_F(TMainFormTest, SeventeenScansGoRoundTheRingStoppingTheOneBefore) {
    std::vector<int> used;
    std::vector<std::shared_ptr<FileScanning>> started;
    for (int i = 0; i < 17; ++i) {
        form.DirectoryListBox1Change();
        used.push_back(form.scanIndex);
        started.push_back(view.workers.back());
        int taken = 0;
        for (const auto& slot : form.scanThreads) taken += slot.taken ? 1 : 0;
        EXPECT_EQ(taken, 1);
    }
    EXPECT_EQ(used, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 0}));
    for (int i = 0; i < 16; ++i) EXPECT_TRUE(started[static_cast<std::size_t>(i)]->Terminated()) << i;
    EXPECT_FALSE(started.back()->Terminated());

    // A scan stopped before its walk began walks nothing and leaves the window alone.
    Add("a.kar");
    view.shown.clear();
    form.ScanFolder(*started.front());
    EXPECT_TRUE(view.rows.empty());
    EXPECT_TRUE(view.shown.empty());
}

TEST_F(TMainFormTest, ANewScanDuringAWalkLeavesOnlyItsOwnRows) {
    for (int i = 0; i < 5; ++i) Add("many/f" + std::to_string(i) + "/t.kar");
    Add("other/x.kar");
    form.subDirClick();
    view.folder = Join(tree.str(), "many");
    form.DirectoryListBox1DblClick();
    const std::shared_ptr<FileScanning> first = view.workers.back();
    view.workers.clear();

    // The walk lets the UI answer at every folder: the user opens another one there.
    bool reopened = false;
    view.onProcessEvents = [&] {
        if (reopened || view.rows.empty()) return;
        reopened = true;
        view.folder = Join(tree.str(), "other");
        form.DirectoryListBox1DblClick();
        form.ScanFolder(*view.workers.back());
    };
    form.ScanFolder(*first);
    ASSERT_TRUE(reopened);
    EXPECT_EQ(Captions(), (std::vector<std::string>{Join(Join(tree.str(), "other"), "x.kar") + " Good 2"}));
    EXPECT_EQ(view.shown.back(), "status: ") << "the newer scan cleared the status; the older did not touch it";
}

TEST_F(TMainFormTest, ClosingStopsEveryLiveScanAndWaitsForThem) {
    form.DirectoryListBox1Change();
    const std::shared_ptr<FileScanning> scan = view.workers.back();
    EXPECT_TRUE(form.ScanRunning());
    form.FinishScans();
    EXPECT_TRUE(scan->Terminated());
    EXPECT_TRUE(view.workers.empty());
}

TEST_F(TMainFormTest, ShowOnlyKarTogglesAndEmptiesTheList) {
    Add("a.kar");
    Scan();
    ASSERT_EQ(view.rows.size(), 1u);
    EXPECT_TRUE(form.showOnlyKar);
    form.ShowOnlyKAR1Click();
    EXPECT_FALSE(form.showOnlyKar);
    EXPECT_TRUE(view.rows.empty());
    EXPECT_TRUE(form.rows.empty());
    form.ShowOnlyKAR1Click();
    EXPECT_TRUE(form.showOnlyKar);
}

TEST_F(TMainFormTest, RowsAreBlueWhenGoodAndGreenOtherwise) {
    EXPECT_EQ(TMainForm::fileListViewCustomDrawItem(1), (RowColour{0, 0, 255}));
    EXPECT_EQ(TMainForm::fileListViewCustomDrawItem(0), (RowColour{0, 128, 0}));
    EXPECT_EQ(MainWindowCaption(), std::string("Lyricast Convert Vers. ") + kLyricastVersion + " By Lyricast Team");
}

TEST_F(TMainFormTest, MenuEntriesReachTheirViews) {
    form.SelectDestinationFolder1Click();
    form.About1Click();
    form.Exit1Click();
    EXPECT_EQ(view.shown, (std::vector<std::string>{"output dialog", "about", "close"}));
}

TEST_F(TMainFormTest, HelpOpensThePageBesideTheProgramOrInTheInstalledLayout) {
    const std::string sep(1, PathRules::Native().separator);
    const std::string program = Join(tree.str(), "bin") + sep;
    fs::create_directories(program);
    form.programFolder = program;
    form.Help2Click();
    EXPECT_TRUE(view.opened.empty()) << "no page anywhere: nothing is opened";

    const std::string installed = Join(Join(Join(Join(tree.str(), "share"), "lyricast-convert"), "Help"), "Help.html");
    WriteBytes(installed, Hex("3c 68 74 6d 6c 3e"));
    form.Help2Click();
    ASSERT_EQ(view.opened.size(), 1u);
    EXPECT_TRUE(fs::equivalent(view.opened[0], installed)) << view.opened[0];

    WriteBytes(program + sep + "Help" + sep + "Help.html", Hex("3c 68 74 6d 6c 3e"));
    form.Help2Click();
    EXPECT_EQ(view.opened.back(), program + sep + "Help" + sep + "Help.html") << "the page beside the program first";
}

TEST(HelpPage, CandidatesUnderBothPathRules) {
    EXPECT_EQ(HelpPageCandidates("C:\\Prog\\", PathRules::Windows()),
              (std::vector<std::string>{"C:\\Prog\\\\Help\\Help.html",
                                        "C:\\Prog\\..\\share\\lyricast-convert\\Help\\Help.html"}));
    EXPECT_EQ(HelpPageCandidates("/usr/bin/", PathRules::Posix()),
              (std::vector<std::string>{"/usr/bin//Help/Help.html",
                                        "/usr/bin/../share/lyricast-convert/Help/Help.html"}));
    EXPECT_EQ(HelpPageCandidates("", PathRules::Posix()), (std::vector<std::string>{"Help/Help.html"}));
}

class BatchTest : public TMainFormTest {
protected:
    std::string good1, bad, good2;

    void SetUp() override {
        TMainFormTest::SetUp();
        good1 = Add("songs/Hey.Jude.kar");
        bad = Add("songs/NotMidi.kar", kNotMidi);
        good2 = Add("songs/twinkle.KAR");
        view.folder = Join(tree.str(), "songs");
        Scan();
        ASSERT_EQ(view.rows.size(), 3u);
        view.shown.clear();
    }

    bool Written(const std::string& path) const { return fs::exists(path); }
};

TEST_F(BatchTest, NothingSelectedOnlySaysSo) {
    form.LMDButton3Click();
    EXPECT_EQ(view.shown, std::vector<std::string>{"message: Please select file/s"});
    EXPECT_FALSE(view.progressVisible && view.progressMaximum != 100);
}

TEST_F(BatchTest, GoodSelectedRowsAreConvertedBesideTheirSources) {
    view.selected = {0, 1, 2};
    form.LMDButton3Click();
    const std::string songs = Join(tree.str(), "songs");
    EXPECT_EQ(view.shown, (std::vector<std::string>{
                              "progress: 0/3",
                              "status: Converting : " + good1,
                              "progress: 1/3",
                              "status: Converting : " + good2,
                              "progress: 2/3",
                              "progress: hidden",
                              "status: ",
                          }));
    EXPECT_TRUE(Written(Join(songs, "Hey.Jude.MID")));
    EXPECT_TRUE(Written(Join(songs, "twinkle.MID")));
    EXPECT_FALSE(Written(Join(songs, "NotMidi.MID")));
    EXPECT_EQ(form.rows.size(), 3u) << "the list is left as it was";
}

TEST_F(BatchTest, UnselectedRowsAreLeftAlone) {
    view.selected = {2};
    form.LMDButton3Click();
    EXPECT_FALSE(Written(Join(Join(tree.str(), "songs"), "Hey.Jude.MID")));
    EXPECT_TRUE(Written(Join(Join(tree.str(), "songs"), "twinkle.MID")));
}

TEST_F(BatchTest, AlwaysSaveToNeedsAFolderThenWritesThere) {
    view.selected = {0};
    outPath.savePathClick();
    form.LMDButton3Click();
    EXPECT_EQ(view.shown, std::vector<std::string>{"message: Please select an output folder"});

    const std::string out = Join(tree.str(), "out");
    fs::create_directories(out);
    form.outputFolder = out;
    form.LMDButton3Click();
    EXPECT_TRUE(Written(Join(out, "Hey.Jude.MID")));
    EXPECT_FALSE(Written(Join(Join(tree.str(), "songs"), "Hey.Jude.MID")));
}

TEST_F(BatchTest, AFileErrorEndsTheBatchInTheErrorBox) {
    view.selected = {0, 2};
    outPath.savePathClick();
    form.outputFolder = Join(tree.str(), "missing");
    CallHandler(view, [this] { form.LMDButton3Click(); });
    ASSERT_FALSE(view.shown.empty());
    EXPECT_TRUE(view.shown.back().starts_with("error: Cannot create file " +
                                              Join(Join(tree.str(), "missing"), "Hey.Jude.MID")))
        << view.shown.back();
    EXPECT_EQ(view.Shown("status: Converting"), std::vector<std::string>{"status: Converting : " + good1})
        << "the rest of the batch is not done";
}

TEST(ErrorBox, AFullStopIsAddedAfterALetterOrDigit) {
    EXPECT_EQ(ErrorBoxText("Cannot open file a.kar"), "Cannot open file a.kar.");
    EXPECT_EQ(ErrorBoxText("I/O error 5"), "I/O error 5.");
    EXPECT_EQ(ErrorBoxText("IO-Error!"), "IO-Error!");
    EXPECT_EQ(ErrorBoxText("Done."), "Done.");
    EXPECT_EQ(ErrorBoxText("a,"), "a,");
    EXPECT_EQ(ErrorBoxText(""), "");
    EXPECT_EQ(ErrorBoxText("Caf\xc3\xa9"), "Caf\xc3\xa9.") << "a letter beyond ASCII sorts after \".\" too";
}

TEST(ErrorBox, CallHandlerShowsWhatAHandlerRaisesAndGoesOn) {
    FakeMainView view;
    CallHandler(view, [] { throw FileError::CannotOpen("x.kar"); });
    CallHandler(view, [] {});
    EXPECT_EQ(view.shown, std::vector<std::string>{"error: Cannot open file x.kar."});
}

} // namespace
} // namespace lyricast::test

// The batch on a collection, through fake views: files that are there before
// it (replaced, skipped, or asked about), the folder tree kept below the
// output folder, the summary's word on them, and the report.
#include "FakeViews.h"
#include "support/SmfBuilder.h"
#include "support/TempDir.h"
#include "window/BatchSummary.h"
#include "window/ExistingQuestion.h"
#include "window/StatusText.h"
#include "window/TMainForm.h"
#include "window/ToutPathForm.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace lyricast::test {
namespace {

namespace fs = std::filesystem;

const Bytes kKaraoke = Smf(1, {Track("00 ff 01 03 61 2f 62  00 ff 2f 00")});
const Bytes kOld = Hex("6f 6c 64"); // a file that was at an output before the batch

class CollectionBatchTest : public ::testing::Test {
protected:
    TempDir tree;
    FakeMainView view;
    TMainForm form{view};
    FakeOutPathView outView;
    ToutPathForm outPath{form, outView};

    void SetUp() override {
        form.outPathForm = &outPath;
        form.jobs = 2;
        fs::create_directories(Native("out"));
        form.outputFolder = Native("out");
        outPath.savePathClick();
    }

    std::string Native(const std::string& relative) const {
        return (tree.path() / fs::path(relative).make_preferred()).string();
    }
    std::string Add(const std::string& relative, const Bytes& bytes = kKaraoke) {
        WriteBytes(Native(relative), bytes);
        return Native(relative);
    }
    // Lists `folder` (with its sub-folders) and selects every row.
    void List(const std::string& folder) {
        view.folder = Native(folder);
        if (!form.subDir)
            form.subDirClick();
        form.DirectoryListBox1Change();
        view.Settle();
        view.selected.clear();
        for (std::size_t i = 0; i < view.rows.size(); ++i)
            view.selected.push_back(i);
        view.shown.clear();
    }
    void Convert() {
        form.LMDButton3Click();
        view.Settle();
    }
    std::vector<std::string> Questions() const { return view.Shown("question: "); }
};

// Songs a, b and c, of which a and c have outputs there already.
class ExistingFilesTest : public CollectionBatchTest {
protected:
    void SetUp() override {
        CollectionBatchTest::SetUp();
        for (const char* name : {"a", "b", "c"})
            Add(std::string("songs/") + name + ".kar");
        WriteBytes(Native("out/a.MID"), kOld);
        WriteBytes(Native("out/c.MID"), kOld);
        List("songs");
    }
    bool Replaced(const char* name) const { return ReadBytes(Native(name)) != kOld; }
};

TEST_F(ExistingFilesTest, ReplaceWritesOverThemAndCountsThem) {
    Convert();
    EXPECT_TRUE(Replaced("out/a.MID"));
    EXPECT_TRUE(Replaced("out/c.MID"));
    EXPECT_TRUE(Questions().empty());
    ASSERT_TRUE(view.summary);
    EXPECT_EQ(view.summary->head, "3 files converted.\n2 existing files replaced.");
    EXPECT_EQ(view.summary->details,
              (std::vector<std::string>{"Existing files replaced:", Native("out/a.MID"),
                                        Native("out/c.MID")}));
    EXPECT_FALSE(view.summary->warning);
}

TEST_F(ExistingFilesTest, SkipLeavesThemAndCountsThem) {
    outPath.existingSkipClick();
    Convert();
    EXPECT_FALSE(Replaced("out/a.MID"));
    EXPECT_FALSE(Replaced("out/c.MID"));
    EXPECT_TRUE(fs::exists(Native("out/b.MID")));
    EXPECT_EQ(view.summary->head, "1 file converted.\n2 existing files skipped.");
    EXPECT_EQ(view.summary->details,
              (std::vector<std::string>{"Existing files skipped:", Native("out/a.MID"),
                                        Native("out/c.MID")}));
    EXPECT_FALSE(view.summary->warning) << "the user's choice is no fault";
}

// One question for the batch, before anything is written, naming the files there.
TEST_F(ExistingFilesTest, AskAsksOnceBeforeWritingAndYesReplaces) {
    outPath.existingAskClick();
    view.existingAnswers = {ExistingAnswer::Yes};
    form.LMDButton3Click();
    view.RunWorkers();
    EXPECT_FALSE(fs::exists(Native("out/b.MID"))) << "nothing written before the answer";
    view.Settle();
    EXPECT_EQ(Questions(), std::vector<std::string>{
                               "question: " + ExistingQuestionText(std::vector<std::string>{
                                                  Native("out/a.MID"), Native("out/c.MID")})});
    EXPECT_TRUE(Replaced("out/a.MID"));
    EXPECT_EQ(view.summary->head, "3 files converted.\n2 existing files replaced.");
    EXPECT_EQ(outPath.ifExists, ExistingChoice::Ask) << "the next batch asks again";

    view.existingAnswers = {ExistingAnswer::Yes};
    Convert();
    EXPECT_EQ(Questions().size(), 2u);
}

TEST_F(ExistingFilesTest, AskAnsweredNoOrClosedLeavesThem) {
    outPath.existingAskClick();
    view.existingAnswers = {ExistingAnswer::No};
    Convert();
    EXPECT_FALSE(Replaced("out/a.MID"));
    EXPECT_TRUE(fs::exists(Native("out/b.MID")));
    EXPECT_EQ(view.summary->head, "1 file converted.\n2 existing files skipped.");
    EXPECT_EQ(outPath.ifExists, ExistingChoice::Ask);

    fs::remove(Native("out/b.MID"));
    view.existingAnswers.clear(); // the question closed without an answer
    Convert();
    EXPECT_FALSE(Replaced("out/c.MID"));
    EXPECT_EQ(Questions().size(), 2u);
    EXPECT_EQ(view.summary->head, "1 file converted.\n2 existing files skipped.");
}

// "to All" answers for the batches after this one too: the dialog's choice
// becomes it, and they ask no more.
TEST_F(ExistingFilesTest, AskAnsweredToAllBecomesTheChoice) {
    outPath.existingAskClick();
    view.existingAnswers = {ExistingAnswer::NoToAll};
    Convert();
    EXPECT_FALSE(Replaced("out/a.MID"));
    EXPECT_EQ(outPath.ifExists, ExistingChoice::Skip);
    EXPECT_EQ(outView.shown.back(), "if a file exists: Skip");
    Convert();
    EXPECT_EQ(Questions().size(), 1u);
    EXPECT_EQ(view.summary->head, "0 files converted.\n3 existing files skipped.");

    outPath.existingAskClick();
    view.existingAnswers = {ExistingAnswer::YesToAll};
    Convert();
    EXPECT_TRUE(Replaced("out/a.MID"));
    EXPECT_EQ(outPath.ifExists, ExistingChoice::Replace);
    Convert();
    EXPECT_EQ(Questions().size(), 2u);
    EXPECT_EQ(view.summary->head, "3 files converted.\n3 existing files replaced.");
}

TEST_F(CollectionBatchTest, AskAsksNothingWhenNothingIsThere) {
    Add("songs/a.kar");
    List("songs");
    outPath.existingAskClick();
    Convert();
    EXPECT_TRUE(Questions().empty());
    EXPECT_EQ(view.summary->head, "1 file converted.");
}

TEST(ExistingQuestion, NamesAFewFilesAndCountsTheRest) {
    EXPECT_EQ(ExistingQuestionText(std::vector<std::string>{"/out/a.MID"}),
              "1 file to be written is there already:\n/out/a.MID\n\nReplace it?\n(\"Yes to "
              "All\" and \"No to All\" answer so for the batches after this one too, without "
              "asking.)");
    const std::vector<std::string> many = {"a", "b", "c", "d"};
    EXPECT_TRUE(ExistingQuestionText(many, 2).starts_with(
        "4 files to be written are there already:\na\nb\nand 2 more.\n\nReplace them?"));
    std::vector<std::string> captions;
    for (const ExistingAnswerButton& button : ExistingAnswerButtons())
        captions.push_back(button.caption);
    EXPECT_EQ(captions, (std::vector<std::string>{"&Yes", "Yes to &All", "&No", "N&o to All"}));
    EXPECT_EQ(kExistingAnswerByDefault, ExistingAnswer::No) << "Enter replaces nothing";
}

// Same-named songs in different folders no longer clash; a folder that
// cannot be made fails its file with why.
TEST_F(CollectionBatchTest, KeepSubFoldersWritesTheTreeBelowTheOutputFolder) {
    Add("songs/Rock/Queen/song.kar");
    Add("songs/Pop/song.kar");
    Add("songs/top.kar");
    WriteBytes(Native("out/Jazz"), kOld);
    const std::string jazz = Add("songs/Jazz/song.kar");
    List("songs");
    outPath.keepTreeClick();
    Convert();
    EXPECT_TRUE(fs::is_regular_file(Native("out/Rock/Queen/song.MID")));
    EXPECT_TRUE(fs::is_regular_file(Native("out/Pop/song.MID")));
    EXPECT_TRUE(fs::is_regular_file(Native("out/top.MID")));
    EXPECT_EQ(view.summary->head, "3 files converted.\n\n1 file refused or failed:");
    ASSERT_EQ(view.summary->details.size(), 1u);
    EXPECT_TRUE(view.summary->details[0].starts_with(jazz + ": Cannot create folder " +
                                                     Native("out/Jazz") + ": "))
        << view.summary->details[0];

    // Files named one by one are each in their own folder's place: the output folder.
    fs::remove_all(Native("out"));
    fs::create_directories(Native("out"));
    form.ListFiles({Native("songs/Rock/Queen/song.kar")});
    view.Settle();
    view.selected = {0};
    Convert();
    EXPECT_TRUE(fs::is_regular_file(Native("out/song.MID")));

    // Beside the sources, there is no tree to keep.
    outPath.saveOriClick();
    Convert();
    EXPECT_TRUE(fs::is_regular_file(Native("songs/Rock/Queen/song.MID")));
}

TEST_F(CollectionBatchTest, TheReportIsSavedFromTheSummaryWithARowForEachRowSelected) {
    const std::string good = Add("songs/a.kar");
    const std::string bad = Add("songs/b.kar", Hex("00 01 02"));
    const std::string there = Add("songs/c.kar");
    WriteBytes(Native("out/c.MID"), kOld);
    List("songs");
    outPath.existingSkipClick();
    view.saveAnswers = {std::nullopt, Native("report.csv"), Native("gone/report.csv")};
    Convert();
    EXPECT_EQ(
        view.Shown("save: "),
        std::vector<std::string>(3, "save: Save Report as " + Native("out/lyricast-report.csv")));
    const Bytes report = ReadBytes(Native("report.csv"));
    EXPECT_EQ(std::string(report.begin(), report.end()),
              "source,output,result,reason,lyrics\r\n" + good + "," + Native("out/a.MID") +
                  ",converted,,\r\n" + bad +
                  ",,bad,\"judged \"\"Bad\"\" when it was listed\",\r\n" + there + "," +
                  Native("out/c.MID") + ",skipped," + Native("out/c.MID") + " exists,\r\n");
    const std::vector<std::string> errors = view.Shown("error: ");
    ASSERT_EQ(errors.size(), 1u) << "a report that cannot be written is said so";
    EXPECT_TRUE(errors[0].starts_with("error: Cannot create file " + Native("gone/report.csv")))
        << errors[0];
}

TEST(BatchSummary, ExistingFilesAreCountedAndListedUnderTheirOwnHeadings) {
    BatchTally tally{2,
                     1,
                     0,
                     false,
                     {{"/k/x.kar", "not a MIDI file"}},
                     {"/out/a.MID"},
                     {"/out/b.MID", "/out/c.MID"}};
    const BatchSummary summary = SummaryOf(tally);
    EXPECT_EQ(summary.head,
              "2 files converted.\n1 existing file replaced.\n2 existing files "
              "skipped.\n1 file judged \"Bad\" skipped.\n\n1 file refused or failed:");
    EXPECT_EQ(summary.details,
              (std::vector<std::string>{"/k/x.kar: not a MIDI file", "",
                                        "Existing files replaced:", "/out/a.MID", "",
                                        "Existing files skipped:", "/out/b.MID", "/out/c.MID"}));
    EXPECT_TRUE(summary.warning);
}

// The label stays whole; the path gives up folders in its middle.
TEST(StatusText, ALongPathIsShortenedInTheMiddleAfterItsLabel) {
    const auto within = [](std::size_t width) {
        return [width](const std::string& text) { return text.size() <= width; };
    };
    const StatusText status{"Converting : ", "/home/u/Karaoke/set 08/Youre_The_One.kar"};
    EXPECT_EQ(FittedStatus(status, PathRules::Posix(), "...", within(100)), status.Whole());
    EXPECT_EQ(FittedStatus(status, PathRules::Posix(), "...", within(47)),
              "Converting : /home/.../set 08/Youre_The_One.kar");
    EXPECT_EQ(FittedStatus({"Converting : ", "C:\\K\\a\\b\\song.kar"}, PathRules::Windows(), "...",
                           within(29)),
              "Converting : C:\\K\\...\\song.kar");
    EXPECT_EQ(FittedStatus({"Stopping..."}, PathRules::Posix(), "...", within(3)), "Stopping...");
}

} // namespace
} // namespace lyricast::test

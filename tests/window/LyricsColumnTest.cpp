#include "FakeViews.h"
#include "platform/PathRules.h"
#include "support/SmfBuilder.h"
#include "support/TempDir.h"
#include "window/FileColumns.h"
#include "window/TMainForm.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace lyricast::test {
namespace {

// Songs of one kind each, as the column tells them apart.
const Bytes kPlain = Smf(1, {Track("00 ff 01 02 48 69  00 ff 01 03 2f 59 6f  00 ff 2f 00"),
                             Track("00 91 3c 64  00 ff 2f 00")});
const Bytes kNoWords = Smf(1, {Track("00 91 3c 64  00 ff 2f 00")});
const Bytes kTagsOnly = Smf(1, {Track("00 ff 01 05 40 54 53 6f 6e  00 ff 2f 00")});
const Bytes kBothStreams = Smf(1, {Track("00 ff 01 02 48 69  00 ff 05 02 48 69  00 ff 2f 00")});
const Bytes kNotMidi = Hex("00 01 02 03");

class LyricsColumnTest : public ::testing::Test {
protected:
    TempDir tree;
    FakeMainView view;
    TMainForm form{view};

    void SetUp() override { view.folder = tree.str(); }

    void Add(const std::string& name, const Bytes& bytes) {
        WriteBytes(PathRules::Native().Join(tree.str(), name), bytes);
    }
    void AddSongs() {
        Add("a plain.kar", kPlain);
        Add("b none.kar", kNoWords);
        Add("c tags.kar", kTagsOnly);
        Add("d both.kar", kBothStreams);
        Add("e bad.kar", kNotMidi);
    }
    // Runs the scan and nothing else: its rows are in, the pass queued.
    void ScanOnly() {
        form.DirectoryListBox1DblClick();
        view.RunSteps();   // the walk starts
        view.RunWorkers(); // the walk
        view.RunSteps();   // its rows and its end
    }
};

TEST_F(LyricsColumnTest, TheColumnTellsEachKindOfSongApartOnceThePassHasRun) {
    AddSongs();
    ScanOnly();
    EXPECT_EQ(view.lyricsColumn, std::vector<std::string>(5, ""))
        << "the scan's rows come first, the column empty";
    EXPECT_FALSE(form.LyricsColumnComplete());
    view.Settle();
    EXPECT_EQ(view.lyricsColumn, (std::vector<std::string>{"2 / 2 lines", "none", "tags only",
                                                           "2 / 1 lines (both)", ""}))
        << "a \"Bad\" row is not read";
    EXPECT_TRUE(form.LyricsColumnComplete());
    std::vector<std::string> kept;
    for (const FileRow& row : form.rows)
        kept.push_back(row.lyrics.text);
    EXPECT_EQ(kept, view.lyricsColumn) << "the rows keep what the view shows";
}

TEST_F(LyricsColumnTest, TheColumnSortsNotReadThenNoneThenTagsThenByWords) {
    AddSongs();
    Add("f long.kar",
        Smf(1, {Track("00 ff 01 01 61  00 ff 01 01 62  00 ff 01 01 63  00 ff 2f 00")}));
    form.DirectoryListBox1DblClick();
    view.Settle();
    const auto lyricsColumn = static_cast<int>(kLyricsColumn);
    ASSERT_STREQ(FileColumns()[kLyricsColumn].caption, "Lyrics");
    form.fileListViewColumnClick(lyricsColumn);
    EXPECT_EQ(view.lyricsColumn,
              (std::vector<std::string>{"", "none", "tags only", "2 / 1 lines (both)",
                                        "2 / 2 lines", "3 / 1 lines"}))
        << "as many words: by the text";
    form.fileListViewColumnClick(lyricsColumn);
    EXPECT_EQ(view.lyricsColumn.front(), "3 / 1 lines") << "a second click reverses";
}

// Rows sorted while the pass runs still get their own texts.
TEST_F(LyricsColumnTest, RowsSortedWhileThePassRunsGetTheirOwnTexts) {
    AddSongs();
    ScanOnly();
    form.fileListViewColumnClick(0);
    form.fileListViewColumnClick(0); // by name, backwards: "e bad" first
    view.Settle();
    for (std::size_t index = 0; index < view.rows.size(); ++index)
        EXPECT_EQ(view.lyricsColumn[index], form.rows[index].lyrics.text);
    EXPECT_EQ(view.lyricsColumn.front(), "") << form.rows.front().path;
    EXPECT_EQ(view.lyricsColumn.back(), "2 / 2 lines") << form.rows.back().path;
}

TEST_F(LyricsColumnTest, ANewScanOrClosingStopsThePassAndDropsWhatItFound) {
    AddSongs();
    ScanOnly();
    view.RunWorkers(); // the pass has read every file; its texts wait for the UI thread
    form.DirectoryListBox1DblClick();
    view.RunSteps();
    EXPECT_TRUE(view.rows.empty());
    EXPECT_TRUE(view.lyricsColumn.empty()) << "the first pass's texts reach no row";
    view.Settle();
    EXPECT_EQ(view.lyricsColumn.size(), 5u);
    EXPECT_EQ(view.lyricsColumn.front(), "2 / 2 lines") << "the new scan's pass filled its rows";

    form.DirectoryListBox1DblClick();
    view.RunSteps();
    view.RunWorkers();
    view.RunSteps();
    form.StopWork(); // the window closes with the pass queued
    view.Settle();
    EXPECT_EQ(view.lyricsColumn, std::vector<std::string>(5, ""));
}

TEST_F(LyricsColumnTest, AnotherStyleReadsTheColumnAgain) {
    Add("song.kar", Smf(1, {Track("00 ff 01 05 40 54 53 6f 6e  00 ff 01 02 48 69  00 ff 2f 00")}));
    form.DirectoryListBox1DblClick();
    view.Settle();
    EXPECT_EQ(view.lyricsColumn, std::vector<std::string>{"2 / 1 lines"}) << "the tag a lyric";
    form.ChooseLyricStyle({LyricStyle::Kind::Keyboard, 40});
    EXPECT_EQ(view.lyricsColumn, std::vector<std::string>{""}) << "emptied while read again";
    view.Settle();
    EXPECT_EQ(view.lyricsColumn, std::vector<std::string>{"1 / 1 lines"}) << "no tag in keyboard";
}

TEST_F(LyricsColumnTest, AFileThatNoLongerReadsSaysSo) {
    Add("song.kar", kPlain);
    ScanOnly();
    Add("song.kar", kNotMidi);
    view.Settle();
    EXPECT_EQ(view.lyricsColumn, std::vector<std::string>{"unreadable"});
    EXPECT_TRUE(form.LyricsColumnComplete());
}

} // namespace
} // namespace lyricast::test

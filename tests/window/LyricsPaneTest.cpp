#include "window/LyricsPane.h"
#include "FakeViews.h"
#include "platform/PathRules.h"
#include "support/SmfBuilder.h"
#include "support/TempDir.h"
#include "window/TMainForm.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace lyricast::test {
namespace {

class FakeLyricsPaneView final : public LyricsPaneView {
public:
    std::vector<LyricsPaneText> shown;
    std::size_t codePageIndex = 99;

    void ShowLyrics(const LyricsPaneText& text) override { shown.push_back(text); }
    void ShowCodePage(std::size_t index) override { codePageIndex = index; }
};

std::size_t IndexOf(CodePage page) {
    const auto pages = DisplayCodePages();
    return static_cast<std::size_t>(std::find(pages.begin(), pages.end(), page) - pages.begin());
}

// "@TSong" then "Hi", "/there" and "\\" (a paragraph) "Yo", in Cyrillic
// letters for the second song: "Привет".
const Bytes kEnglish = Smf(1, {Track("00 ff 01 06 40 54 53 6f 6e 67  00 ff 01 02 48 69"
                                     "  00 ff 01 06 2f 74 68 65 72 65  00 ff 01 03 5c 59 6f"
                                     "  00 ff 2f 00")});
const Bytes kCyrillic = Smf(1, {Track("00 ff 01 06 cf f0 e8 e2 e5 f2  00 ff 2f 00")});
const Bytes kNotMidi = Hex("00 01 02 03");

class LyricsPaneTest : public ::testing::Test {
protected:
    TempDir tree;
    FakeMainView view;
    TMainForm form{view};
    FakeLyricsPaneView paneView;
    LyricsPane pane{paneView};

    void SetUp() override {
        view.folder = tree.str();
        form.LinkLyricsPane(pane);
        WriteBytes(PathRules::Native().Join(tree.str(), "a english.kar"), kEnglish);
        WriteBytes(PathRules::Native().Join(tree.str(), "b cyrillic.kar"), kCyrillic);
        WriteBytes(PathRules::Native().Join(tree.str(), "c bad.kar"), kNotMidi);
        form.DirectoryListBox1DblClick();
        view.Settle();
        paneView.shown.clear();
    }
    const LyricsPaneText& Select(std::vector<std::size_t> rows) {
        view.selected = std::move(rows);
        form.fileListViewSelectItem();
        view.Settle();
        return paneView.shown.back();
    }
};

TEST_F(LyricsPaneTest, OneSongShowsItsTitleLinesAndWarningsInTheStyle) {
    const LyricsPaneText& asWritten = Select({0});
    EXPECT_EQ(asWritten.lines, (std::vector<std::string>{"@TSongHi", "there Yo"}))
        << "as written, the tag is a lyric and \\ only a space";
    EXPECT_EQ(asWritten.warnings, std::vector<std::string>{"Header tags (@T, @L, ...) are among "
                                                           "the words: they will show as lyrics."});
    form.ChooseLyricStyle({LyricStyle::Kind::Keyboard, 3});
    view.Settle();
    const LyricsPaneText& keyboard = paneView.shown.back();
    EXPECT_EQ(keyboard.title, "Song");
    EXPECT_EQ(keyboard.lines, (std::vector<std::string>{"Hi", "there", "", "Yo"}));
    EXPECT_EQ(keyboard.warnings, std::vector<std::string>{"1 line is longer than 3 characters."});
    EXPECT_EQ(keyboard.note, "Text shown in UTF-8, as guessed from its bytes.");
}

TEST_F(LyricsPaneTest, NoRowSeveralRowsAndABadRowSayWhyNoSongIsShown) {
    EXPECT_EQ(Select({}).note, "Select a file to see its lyrics.");
    EXPECT_EQ(Select({0, 1}).note, "2 files selected: select one to see its lyrics.");
    const LyricsPaneText& bad = Select({2});
    EXPECT_EQ(bad.note,
              "This file is \"Bad\": it does not read as a MIDI file, so it has no lyrics.");
    EXPECT_TRUE(bad.lines.empty());
    Select({0});
    form.fileListViewColumnClick(0);
    EXPECT_EQ(paneView.shown.back().note, "Select a file to see its lyrics.")
        << "sorting clears the selection";
}

TEST_F(LyricsPaneTest, AReadingOvertakenByAnotherSelectionIsDropped) {
    view.selected = {0};
    form.fileListViewSelectItem();
    view.selected = {1};
    form.fileListViewSelectItem();
    view.Settle();
    ASSERT_FALSE(paneView.shown.empty());
    EXPECT_EQ(paneView.shown.back().lines.size(), 1u);
    const auto songs =
        std::count_if(paneView.shown.begin(), paneView.shown.end(), [](const LyricsPaneText& text) {
            return text.note.empty() || !text.lines.empty();
        });
    EXPECT_EQ(songs, 1) << "only the second song was shown";
}

TEST_F(LyricsPaneTest, TheCodePagePickedDecodesTheSameBytesAgain) {
    pane.CodePageComboChange(IndexOf(CodePage::Cyrillic1251));
    EXPECT_EQ(Select({1}).lines,
              std::vector<std::string>{"\xd0\x9f\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82"});
    EXPECT_EQ(paneView.shown.back().note, "Text shown in Cyrillic (1251).");
    EXPECT_TRUE(paneView.shown.back().warnings.empty());

    pane.CodePageComboChange(IndexOf(CodePage::Utf8));
    const LyricsPaneText& utf8 = paneView.shown.back();
    EXPECT_EQ(utf8.lines.front().find("\xef\xbf\xbd"), 0u) << "not UTF-8: U+FFFD";
    EXPECT_EQ(utf8.warnings.back(), NotDecodedWarning(CodePage::Utf8));

    FakeSettings store;
    form.SaveSettings(store);
    EXPECT_EQ(store.values.at("LyricsCodePage"), CodePageKey(CodePage::Utf8));
    FakeMainView nextView;
    TMainForm next{nextView};
    FakeLyricsPaneView nextPaneView;
    LyricsPane nextPane{nextPaneView};
    next.LinkLyricsPane(nextPane);
    EXPECT_EQ(nextPaneView.codePageIndex, 0u) << "Auto until the settings say otherwise";
    next.RestoreSettings(store);
    EXPECT_EQ(nextPane.Chosen(), CodePage::Utf8);
    EXPECT_EQ(nextPaneView.codePageIndex, IndexOf(CodePage::Utf8));
    store.values["LyricsCodePage"] = "klingon";
    next.RestoreSettings(store);
    EXPECT_EQ(nextPane.Chosen(), CodePage::Utf8) << "a damaged value changes nothing";
}

} // namespace
} // namespace lyricast::test

#include "FakeViews.h"
#include "platform/PathRules.h"
#include "support/SmfBuilder.h"
#include "support/TempDir.h"
#include "window/LyricStyleText.h"
#include "window/MainMenu.h"
#include "window/TLyricStyleForm.h"
#include "window/TMainForm.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace lyricast::test {
namespace {

// A dialog whose longest-line box holds `typed`.
class FakeLyricStyleView final : public LyricStyleView {
public:
    std::string typed;
    std::vector<std::string> shown;

    void ShowStyle(LyricStyle::Kind kind, const std::string& lineLength,
                   bool lineLengthEnabled) override {
        typed = lineLength;
        shown.push_back(LyricStyleKey(kind) + " " + lineLength +
                        (lineLengthEnabled ? "" : ", disabled"));
    }
    std::string LineLengthText() const override { return typed; }
    void ShowError(const std::string& text) override { shown.push_back("error: " + text); }
    void CloseDialog() override { shown.push_back("closed"); }
};

class LyricStyleFormTest : public ::testing::Test {
protected:
    FakeMainView mainView;
    TMainForm mainForm{mainView};
    FakeLyricStyleView view;
    TLyricStyleForm form{mainForm, view};
};

TEST_F(LyricStyleFormTest, OpensOnTheWindowsStyleAndOkMakesTheChoiceTheWindows) {
    form.FormShow();
    EXPECT_EQ(view.shown, std::vector<std::string>{"as-written 0, disabled"})
        << "as written by default, the longest line only for Keyboard";
    form.keyboardClick();
    view.typed = "40";
    form.OkClick();
    EXPECT_EQ(mainForm.lyricStyle, (LyricStyle{LyricStyle::Kind::Keyboard, 40}));
    EXPECT_EQ(view.shown.back(), "closed");

    view.shown.clear();
    form.FormShow();
    form.asWrittenClick();
    EXPECT_EQ(view.shown, (std::vector<std::string>{"keyboard 40", "as-written 40, disabled"}));
    form.OkClick();
    EXPECT_EQ(mainForm.lyricStyle, (LyricStyle{LyricStyle::Kind::AsWritten, 40}))
        << "the length is kept for the next time Keyboard is chosen";
}

TEST_F(LyricStyleFormTest, CancelAndAWrongLengthLeaveTheStyleAsItWas) {
    form.FormShow();
    form.keyboardClick();
    form.CancelClick();
    EXPECT_EQ(mainForm.lyricStyle, LyricStyle{});
    for (const char* wrong : {"1025", "-1", "40x", "", " 40", "99999999999"}) {
        view.shown.clear();
        form.keyboardClick();
        view.typed = wrong;
        form.OkClick();
        EXPECT_EQ(view.shown.back(),
                  "error: The longest line is a number from 0 to 1024 (0 sets no limit).")
            << wrong;
        EXPECT_EQ(mainForm.lyricStyle, LyricStyle{}) << wrong;
    }
    view.typed = "1024";
    form.OkClick();
    EXPECT_EQ(mainForm.lyricStyle, (LyricStyle{LyricStyle::Kind::Keyboard, 1024}));
}

TEST_F(LyricStyleFormTest, TheEntrySitsBelowIncludeSubDirAndOpensTheDialog) {
    const Menu& options = MainMenu()[1];
    ASSERT_GE(options.entries.size(), 2u);
    EXPECT_STREQ(options.entries[options.entries.size() - 2].caption, "Include &Sub Dir");
    const MenuEntry& entry = options.entries.back();
    EXPECT_STREQ(entry.caption, "&Lyric Style...");
    (mainForm.*entry.handler)();
    EXPECT_EQ(mainView.shown, std::vector<std::string>{"lyric style dialog"});
}

TEST(LyricStyleSettings, TheStyleComesBackInTheNextRunAndDamageLeavesEachPart) {
    FakeSettings store;
    {
        FakeMainView view;
        TMainForm form{view};
        form.SaveSettings(store);
        EXPECT_EQ(store.values.at("LyricStyle"), "as-written");
        EXPECT_EQ(store.values.at("LongestLine"), "0");
        form.ChooseLyricStyle({LyricStyle::Kind::Keyboard, 40});
        form.SaveSettings(store);
    }
    FakeMainView view;
    TMainForm next{view};
    next.RestoreSettings(store);
    EXPECT_EQ(next.lyricStyle, (LyricStyle{LyricStyle::Kind::Keyboard, 40}));

    store.values["LyricStyle"] = "Keyboard";
    store.values["LongestLine"] = "2000";
    TMainForm damaged{view};
    damaged.RestoreSettings(store);
    EXPECT_EQ(damaged.lyricStyle, LyricStyle{});
    store.values["LongestLine"] = "12";
    damaged.RestoreSettings(store);
    EXPECT_EQ(damaged.lyricStyle, (LyricStyle{LyricStyle::Kind::AsWritten, 12}));
}

// The batch writes in the chosen style, and the status bar says which.
TEST(LyricStyleBatch, ABatchWritesInTheChosenStyleAndSaysSo) {
    TempDir tree;
    const PathRules& rules = PathRules::Native();
    const std::string source = rules.Join(tree.str(), "song.kar");
    WriteBytes(source, Smf(1, {Track("00 ff 01 05 40 54 53 6f 6e  00 ff 01 02 48 69  00 ff 2f 00"),
                               Track("00 91 3c 64  00 ff 2f 00")}));
    for (const LyricStyle style : {LyricStyle{}, LyricStyle{LyricStyle::Kind::Keyboard, 40}}) {
        FakeMainView view;
        view.folder = tree.str();
        TMainForm form{view};
        form.ChooseLyricStyle(style);
        form.DirectoryListBox1DblClick();
        view.Settle();
        view.selected = {0};
        view.shown.clear();
        form.LMDButton3Click();
        view.Settle();
        const std::vector<std::uint8_t> written = ReadBytes(rules.Join(tree.str(), "song.MID"));
        const std::vector<std::uint8_t> tag = Hex("ff 05 05 40 54 53 6f 6e"); // "@TSon" as a lyric
        const bool tagAsLyric =
            std::search(written.begin(), written.end(), tag.begin(), tag.end()) != written.end();
        const auto counts = view.Shown("counts: ");
        ASSERT_EQ(counts.size(), 2u);
        if (style.kind == LyricStyle::Kind::AsWritten) {
            EXPECT_TRUE(tagAsLyric) << "as written, every text is a lyric";
            EXPECT_EQ(counts.front(), "counts: Lyrics: as written");
        } else {
            EXPECT_FALSE(tagAsLyric) << "a keyboard shows no tags";
            EXPECT_EQ(counts.front(), "counts: Lyrics: keyboard, lines of at most 40");
        }
        EXPECT_EQ(counts.back(), "counts: 1 file, 1 good") << "after the batch, the scan's counts";
    }
}

} // namespace
} // namespace lyricast::test

// The one description both windows build their menu bar and file list
// from: what each entry says and does, and what each column shows.
#include "window/MainMenu.h"
#include "FakeViews.h"
#include "window/FileColumns.h"
#include "window/TMainForm.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace lyricast::test {
namespace {

std::string Shown(std::string caption) {
    caption.erase(std::remove(caption.begin(), caption.end(), '&'), caption.end());
    return caption;
}

// Each menu as "Menu: entry, entry, -, entry" with "-" for a separator and
// a key after the entry's caption.
std::vector<std::string> MenuLines() {
    std::vector<std::string> lines;
    for (const Menu& menu : MainMenu()) {
        std::string line = Shown(menu.caption) + ":";
        for (const MenuEntry& entry : menu.entries) {
            line += entry.IsSeparator() ? " -" : " " + Shown(entry.caption);
            if (entry.key.kind != MenuKey::Kind::None)
                line += " (" + KeyText(entry.key) + ")";
        }
        lines.push_back(line);
    }
    return lines;
}

const MenuEntry& Entry(const std::string& name) {
    for (const Menu& menu : MainMenu())
        for (const MenuEntry& entry : menu.entries)
            if (name == entry.name)
                return entry;
    throw std::out_of_range(name);
}

TEST(MainMenu, EveryEntryHasItsCaptionPlaceAndKey) {
    EXPECT_EQ(MenuLines(),
              (std::vector<std::string>{
                  "File: Open Folder... (Ctrl+O) Scan Again (F5) Stop (Esc) - Exit",
                  "Options: Show Only  KAR - Select Output Folder - Include Sub Dir Lyric Style...",
                  "Help: Help (F1) - About",
              }));
    std::vector<std::string> mnemonics;
    for (const Menu& menu : MainMenu()) {
        mnemonics.push_back(menu.caption);
        for (const MenuEntry& entry : menu.entries)
            if (!entry.IsSeparator())
                mnemonics.push_back(entry.caption);
    }
    EXPECT_EQ(mnemonics, (std::vector<std::string>{"&File", "&Open Folder...", "&Scan Again",
                                                   "S&top", "E&xit", "&Options", "Show Only  &KAR",
                                                   "Select &Output Folder", "Include &Sub Dir",
                                                   "&Lyric Style...", "&Help", "&Help", "&About"}));
    EXPECT_EQ(Entry("Exit1").handler, &TMainForm::Exit1Click);
    EXPECT_EQ(Entry("ShowOnlyKAR1").handler, &TMainForm::ShowOnlyKAR1Click);
    EXPECT_EQ(Entry("SelectDestinationFolder1").handler, &TMainForm::SelectDestinationFolder1Click);
    EXPECT_EQ(Entry("subDir").handler, &TMainForm::subDirClick);
    EXPECT_EQ(Entry("Help2").handler, &TMainForm::Help2Click);
    EXPECT_EQ(Entry("About1").handler, &TMainForm::About1Click);
    EXPECT_EQ(Entry("ScanAgain1").handler, &TMainForm::DirectoryListBox1Change);
    EXPECT_EQ(KeyText({MenuKey::Kind::Letter, 'A', 0, true}), "Ctrl+A");
    EXPECT_EQ(KeyText({}), "");
}

TEST(MainMenu, ChecksFollowTheOptionsEntriesToggle) {
    FakeMainView view;
    TMainForm form(view);
    const auto checks = [&form] {
        std::string marks;
        for (const Menu& menu : MainMenu())
            for (const MenuEntry& entry : menu.entries)
                if (entry.checked != nullptr)
                    marks += std::string(entry.name) + (entry.checked(form) ? "+ " : "- ");
        return marks;
    };
    EXPECT_EQ(checks(), "ShowOnlyKAR1+ subDir- ");
    (form.*Entry("subDir").handler)();
    (form.*Entry("ShowOnlyKAR1").handler)();
    EXPECT_EQ(checks(), "ShowOnlyKAR1- subDir+ ");
}

TEST(MainMenu, OpenFolderAsksForOneAndScansWhatIsChosen) {
    FakeMainView view;
    view.folder = "/k";
    TMainForm form(view);
    (form.*Entry("OpenFolder1").handler)();
    EXPECT_EQ(view.shown, std::vector<std::string>{"ask: Open Folder from /k"});
    EXPECT_TRUE(view.steps.empty()) << "cancelled: nothing scanned";

    view.folderAnswer = "/k/songs";
    (form.*Entry("OpenFolder1").handler)();
    EXPECT_EQ(view.folder, "/k/songs");
    EXPECT_EQ(view.shown.back(), "counts: ") << "the list emptied for the scan";
    form.FinishWork();
}

TEST(FileColumns, CaptionsWidthsAndTheTextsOfARow) {
    std::vector<std::string> columns;
    for (const FileColumn& column : FileColumns())
        columns.push_back(std::string(column.caption) + " " + std::to_string(column.width));
    EXPECT_EQ(columns, (std::vector<std::string>{"File Name 300", "Ext 50", "Status 50",
                                                 "Num.Tracks 70", "Lyrics 120"}));
    EXPECT_EQ(RowTexts({"/k/a.kar", ".KAR", true, 17, "/k", {true, "2 / 1 lines"}}),
              (std::vector<std::string>{"/k/a.kar", ".KAR", "Good", "17", "2 / 1 lines"}));
    EXPECT_EQ(RowTexts({"/k/b.kar", ".KAR", false, 0}),
              (std::vector<std::string>{"/k/b.kar", ".KAR", "Bad", "0", ""}));
    EXPECT_EQ((FileRow{"", "", true, 0}).GoodMark(), 1);
    EXPECT_EQ((FileRow{"", "", false, 3}).GoodMark(), 0);
}

} // namespace
} // namespace lyricast::test

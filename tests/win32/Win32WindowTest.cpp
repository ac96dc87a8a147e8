// The Win32 view: what the main window and its dialogs show and report, on
// a hidden window under Wine (or Windows). Skips when no window can be made.
#include "MessagePump.h"
#include "platform/CurrentDirectory.h"
#include "platform/DisplayText.h"
#include "support/SmfBuilder.h"
#include "support/TempDir.h"
#include "ui/win32/Controls.h"
#include "ui/win32/ExistingQuestionDialog.h"
#include "ui/win32/FolderBrowseDialog.h"
#include "ui/win32/IniSettings.h"
#include "ui/win32/MainLayout.h"
#include "ui/win32/MainMenu.h"
#include "ui/win32/MainWindow.h"
#include "ui/win32/OutPathDialog.h"
#include "ui/win32/SummaryDialog.h"
#include "ui/win32/WideText.h"
#include "ui/win32/Win32Program.h"
#include "window/AppInfo.h"
#include "window/BatchSummary.h"
#include "window/ExistingQuestion.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <thread>
#include <vector>

namespace lyricast {
namespace {

using test::PumpMessages;
using test::PumpUntil;
using test::TempDir;

bool CanMakeWindows() {
    HWND probe = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                                 nullptr);
    if (probe == nullptr)
        return false;
    DestroyWindow(probe);
    return true;
}

std::string ColumnCaption(HWND list, int column) {
    std::array<wchar_t, 64> text{};
    LVCOLUMNW info{};
    info.mask = LVCF_TEXT;
    info.pszText = text.data();
    info.cchTextMax = static_cast<int>(text.size());
    SendMessageW(list, LVM_GETCOLUMNW, static_cast<WPARAM>(column),
                 reinterpret_cast<LPARAM>(&info));
    return Utf8(text.data());
}

std::string MenuText(HMENU menu, UINT position) {
    std::array<wchar_t, 64> text{};
    GetMenuStringW(menu, position, text.data(), static_cast<int>(text.size()), MF_BYPOSITION);
    return Utf8(text.data());
}

Box PlaceOf(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

// The colours the window gives row 0 of the given good mark, asked as the list asks them.
NMLVCUSTOMDRAW Drawn(MainWindow& window, int goodMark) {
    NMLVCUSTOMDRAW draw{};
    draw.nmcd.hdr.hwndFrom = window.fileListView->Handle();
    draw.nmcd.hdr.idFrom = MainWindow::kFileListView;
    draw.nmcd.hdr.code = NM_CUSTOMDRAW;
    draw.nmcd.dwDrawStage = CDDS_PREPAINT;
    EXPECT_EQ(SendMessageW(window.Handle(), WM_NOTIFY, MainWindow::kFileListView,
                           reinterpret_cast<LPARAM>(&draw)),
              CDRF_NOTIFYITEMDRAW);
    draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
    draw.nmcd.lItemlParam = goodMark;
    draw.nmcd.uItemState = CDIS_SELECTED;
    SendMessageW(window.Handle(), WM_NOTIFY, MainWindow::kFileListView,
                 reinterpret_cast<LPARAM>(&draw));
    return draw;
}

COLORREF DrawnColour(MainWindow& window, int goodMark) {
    return Drawn(window, goodMark).clrText;
}

class Win32WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!CanMakeWindows())
            GTEST_SKIP() << "no window can be made here (no display)";
        startFolder_ = GetCurrentDir();
        window_ = std::make_unique<MainWindow>();
    }
    void TearDown() override {
        window_.reset();
        if (!startFolder_.empty())
            SetCurrentDir(startFolder_);
    }

    std::unique_ptr<MainWindow> window_;

private:
    std::string startFolder_;
};

TEST_F(Win32WindowTest, MainWindowHasItsCaptionSizeAndParts) {
    MainWindow& window = *window_;
    EXPECT_EQ(WindowText(window.Handle()), MainWindowCaption());
    RECT client{};
    GetClientRect(window.Handle(), &client);
    EXPECT_EQ(client.right, 781);
    EXPECT_EQ(client.bottom, 464);
    EXPECT_EQ(WindowText(window.LMDButton3), "Convert File/s");
    EXPECT_EQ(PlaceOf(window.LMDButton3), window.Layout().convertButton);
    EXPECT_EQ(PlaceOf(window.fileListView->Handle()), window.Layout().fileList);
    EXPECT_FALSE(GetWindowLongW(window.ProgressBar1, GWL_STYLE) & WS_VISIBLE);
    std::array<int, 4> panels{};
    EXPECT_EQ(SendMessageW(window.StatusBar1, SB_GETPARTS, panels.size(),
                           reinterpret_cast<LPARAM>(panels.data())),
              2);
    EXPECT_EQ(panels[0], kStatusPanelWidth);
    EXPECT_NE(GetClassLongPtrW(window.Handle(), GCLP_HICON), 0);
}

TEST_F(Win32WindowTest, LayoutDocksEachPartAndTheSplitterKeepsRoomOnBothSides) {
    const MainLayout layout = LayOutMainWindow(781, 464, 19, kLeftPaneWidth);
    EXPECT_EQ(layout.leftPane, (Box{0, 0, 233, 417}));
    EXPECT_EQ(layout.splitter, (Box{233, 0, 4, 417}));
    EXPECT_EQ(layout.listPane, (Box{237, 0, 544, 417}));
    EXPECT_EQ(layout.progressBar, (Box{0, 417, 572, 28}));
    EXPECT_EQ(layout.convertButton, (Box{602, 419, 163, 25}));
    EXPECT_EQ(layout.driveBox, (Box{7, 6, 225, 19}));
    EXPECT_EQ(ClampLeftWidth(-50, 781), 40);
    EXPECT_EQ(ClampLeftWidth(5000, 781), 781 - 4 - 40);
    EXPECT_EQ(ClampLeftWidth(300, 781), 300);

    // The file list above the lyrics pane, its splitter between them.
    EXPECT_EQ(layout.fileList, (Box{238, 1, 542, 261}));
    EXPECT_EQ(layout.lyricsSplitter, (Box{238, 262, 542, 4}));
    EXPECT_EQ(layout.lyricsPane, (Box{238, 266, 542, 150}));
    const LyricsPaneLayout pane = LayOutLyricsPane(layout.lyricsPane, 0);
    EXPECT_EQ(pane.codePageBox.x + pane.codePageBox.width, 238 + 542 - 4);
    EXPECT_LT(pane.title.x + pane.title.width, pane.codePageCaption.x);
    EXPECT_EQ(pane.note.y + pane.note.height, 266 + 150 - 2);
    EXPECT_EQ(pane.warnings.height, 0);
    const LyricsPaneLayout warned = LayOutLyricsPane(layout.lyricsPane, 2);
    EXPECT_EQ(warned.warnings.height, 30) << "a line a warning";
    EXPECT_EQ(warned.lines.height, pane.lines.height - 30);
    EXPECT_EQ(LayOutLyricsPane(layout.lyricsPane, 9).warnings.height, 45) << "three at most";
    EXPECT_EQ(ClampLyricsHeight(5000, 415), 415 - 4 - 40) << "the list keeps some room";
    EXPECT_EQ(ClampLyricsHeight(0, 415), 40);
}

TEST_F(Win32WindowTest, FileListHasItsColumnsAndShowsTheRowsAdded) {
    MainWindow& window = *window_;
    HWND list = window.fileListView->Handle();
    const std::array<const char*, 5> captions = {"File Name", "Ext", "Status", "Num.Tracks",
                                                 "Lyrics"};
    const std::array<int, 5> widths = {300, 50, 50, 70, 120};
    const auto width = [list](int column) {
        return static_cast<int>(
            SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
    };
    for (int column = 0; column < 5; ++column) {
        const char* caption = captions[static_cast<std::size_t>(column)];
        EXPECT_EQ(ColumnCaption(list, column), caption);
        if (column > 0) { // the file name takes what the others leave: below
            EXPECT_GE(width(column), widths[static_cast<std::size_t>(column)]) << caption;
        }
        const auto text = static_cast<int>(SendMessageW(
            list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(Wide(caption).c_str())));
        EXPECT_GT(width(column), text + 8) << caption << " reads whole in its header";
    }
    // The file name takes what the others leave, as the window's width changes.
    RECT client{};
    GetClientRect(list, &client);
    EXPECT_EQ(width(0) + width(1) + width(2) + width(3) + width(4), client.right);
    SetWindowPos(window.Handle(), nullptr, 0, 0, 1000, 600, SWP_NOMOVE | SWP_NOZORDER);
    GetClientRect(list, &client);
    EXPECT_EQ(width(0) + width(1) + width(2) + width(3) + width(4), client.right);
    EXPECT_GE(width(0), widths[0]) << "as wide as designed once the window has room";
    const auto extended =
        static_cast<DWORD>(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    EXPECT_TRUE(extended & LVS_EX_GRIDLINES);
    EXPECT_TRUE(extended & LVS_EX_FULLROWSELECT);
    const auto style = static_cast<DWORD>(GetWindowLongW(list, GWL_STYLE));
    EXPECT_FALSE(style & LVS_SINGLESEL);
    EXPECT_FALSE(style & LVS_EDITLABELS);

    const FileRow rows[] = {{"C:\\Songs\\a.kar", ".KAR", true, 3},
                            {"C:\\Songs\\b.kar", ".KAR", false, 0},
                            {"C:\\Songs\\c.kar", ".KAR", true, 17}};
    window.AddRows(rows);
    ASSERT_EQ(window.fileListView->RowCount(), 3);
    EXPECT_EQ(window.fileListView->Text(0, 0), "C:\\Songs\\a.kar");
    EXPECT_EQ(window.fileListView->Text(1, 2), "Bad");
    EXPECT_EQ(window.fileListView->Text(2, 2), "Good");
    EXPECT_EQ(window.fileListView->Text(2, 3), "17");
    EXPECT_EQ(window.fileListView->GoodMark(0), 1);
    EXPECT_EQ(window.fileListView->GoodMark(1), 0);

    EXPECT_TRUE(window.SelectedRows().empty());
    LVITEMW selected{};
    selected.stateMask = LVIS_SELECTED;
    selected.state = LVIS_SELECTED;
    SendMessageW(list, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&selected));
    SendMessageW(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&selected));
    EXPECT_EQ(window.SelectedRows(), (std::vector<std::size_t>{0, 2}));
    window.fileListView->SelectAll();
    EXPECT_EQ(window.SelectedRows().size(), 3u);
    window.ClearRows();
    EXPECT_EQ(window.fileListView->RowCount(), 0);
}

TEST_F(Win32WindowTest, GoodRowsAreDrawnBlueAndTheOthersGreen) {
    const FileRow rows[] = {{"C:\\Songs\\a.kar", ".KAR", true, 3}};
    window_->AddRows(rows);
    EXPECT_EQ(DrawnColour(*window_, 1), RGB(0, 0, 255));
    EXPECT_EQ(DrawnColour(*window_, 0), RGB(0, 128, 0));

    // Selected, a row keeps its colour on a light fill instead of the system's highlight.
    window_->fileListView->SelectAll();
    const NMLVCUSTOMDRAW selected = Drawn(*window_, 0);
    const RowColour fill = TMainForm::SelectedRowFill();
    EXPECT_EQ(selected.clrText, RGB(0, 128, 0));
    EXPECT_EQ(selected.clrTextBk, RGB(fill.red, fill.green, fill.blue));
    EXPECT_FALSE(selected.nmcd.uItemState & CDIS_SELECTED);
}

TEST_F(Win32WindowTest, MenusCarryTheirCaptionsAndFollowTheOptions) {
    MainWindow& window = *window_;
    HMENU bar = GetMenu(window.Handle());
    ASSERT_EQ(GetMenuItemCount(bar), 3);
    // Each caption carries its mnemonic; an entry with a key names it after a tab.
    EXPECT_EQ(MenuText(bar, 0), "&File");
    EXPECT_EQ(MenuText(bar, 1), "&Options");
    EXPECT_EQ(MenuText(bar, 2), "&Help");
    HMENU file = GetSubMenu(bar, 0);
    EXPECT_EQ(MenuText(file, 0), "&Open Folder...\tCtrl+O");
    EXPECT_EQ(MenuText(file, 1), "&Scan Again\tF5");
    EXPECT_EQ(MenuText(file, 2), "S&top\tEsc");
    EXPECT_EQ(MenuText(file, 4), "E&xit");
    HMENU options = GetSubMenu(bar, 1);
    const UINT showOnlyKarId = GetMenuItemID(options, 0), subDirId = GetMenuItemID(options, 4);
    const UINT help2Id = GetMenuItemID(GetSubMenu(bar, 2), 0);
    EXPECT_EQ(MenuText(options, 0), "Show Only  &KAR");
    EXPECT_EQ(MenuText(options, 2), "Select &Output Folder");
    EXPECT_EQ(MenuText(options, 4), "Include &Sub Dir");
    EXPECT_EQ(MenuText(GetSubMenu(bar, 2), 0), "&Help\tF1");
    EXPECT_EQ(MenuText(GetSubMenu(bar, 2), 2), "&About");
    EXPECT_EQ(GetMenuState(options, showOnlyKarId, MF_BYCOMMAND) & MF_CHECKED, MF_CHECKED);
    EXPECT_EQ(GetMenuState(options, subDirId, MF_BYCOMMAND) & MF_CHECKED, 0u);

    const FileRow row{"C:\\a.kar", ".KAR", true, 1};
    window.AddRows(std::span(&row, 1));
    SendMessageW(window.Handle(), WM_COMMAND, subDirId, 0);
    EXPECT_TRUE(window.form.subDir);
    EXPECT_EQ(GetMenuState(options, subDirId, MF_BYCOMMAND) & MF_CHECKED, MF_CHECKED);
    SendMessageW(window.Handle(), WM_COMMAND, showOnlyKarId, 0);
    EXPECT_FALSE(window.form.showOnlyKar);
    EXPECT_EQ(GetMenuState(options, showOnlyKarId, MF_BYCOMMAND) & MF_CHECKED, 0u);
    EXPECT_EQ(window.fileListView->RowCount(), 0);

    TempDir program;
    std::filesystem::create_directory(program.path() / "Help");
    test::WriteBytes(program / "Help/Help.html", test::Bytes{'<'});
    std::vector<std::string> opened;
    window.shellOpen = [&](const std::string& path) { opened.push_back(path); };
    window.form.programFolder = program.str() + "\\";
    SendMessageW(window.Handle(), WM_COMMAND, help2Id, 0);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_TRUE(std::filesystem::equivalent(opened[0], program.path() / "Help" / "Help.html"));
}

TEST_F(Win32WindowTest, ADoubleClickedFolderIsScannedByAWorkerThroughTheUiThread) {
    TempDir folder;
    std::filesystem::create_directory(folder.path() / "Songs");
    test::WriteBytes(folder / "Songs/good.kar", test::Smf(1, {test::Track("00 ff 2f 00")}));
    test::WriteBytes(folder / "Songs/bad.kar", test::Bytes{'n', 'o', 'p', 'e'});
    test::WriteBytes(folder / "Songs/other.mid", test::Smf(0, {test::Track("00 ff 2f 00")}));
    MainWindow& window = *window_;
    window.DirectoryListBox1->core.SetDirectory(folder.str());
    const int songs = window.DirectoryListBox1->ItemCount() - 1;
    ASSERT_EQ(window.DirectoryListBox1->Item(songs).text, "Songs");
    SendMessageW(window.DirectoryListBox1->Handle(), LB_SETCURSEL, static_cast<WPARAM>(songs), 0);

    SendMessageW(window.Handle(), WM_COMMAND,
                 MAKEWPARAM(MainWindow::kDirectoryListBox1, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(window.DirectoryListBox1->Handle()));
    EXPECT_EQ(window.CurrentFolder(), (folder.path() / "Songs").string());
    EXPECT_TRUE(GetWindowLongW(window.ProgressBar1, GWL_STYLE) & WS_VISIBLE)
        << "shown at 0 while scanning";
    PumpUntil([&window] { return !window.form.ScanRunning(); });
    PumpMessages(); // the rows' and the end's steps

    ASSERT_EQ(window.fileListView->RowCount(), 2);
    std::vector<std::string> verdicts;
    for (int row = 0; row < 2; ++row)
        verdicts.push_back(window.fileListView->Text(row, 0) + " " +
                           window.fileListView->Text(row, 2));
    std::sort(verdicts.begin(), verdicts.end());
    EXPECT_EQ(verdicts[0], (folder.path() / "Songs" / "bad.kar").string() + " Bad");
    EXPECT_EQ(verdicts[1], (folder.path() / "Songs" / "good.kar").string() + " Good");
    EXPECT_FALSE(window.form.ScanRunning());
}

// More steps than a thread's message queue holds (10,000) all arrive, in
// order, whoever hands them over; one message at a time carries them.
TEST_F(Win32WindowTest, EveryStepHandedToTheUiThreadArrivesInOrder) {
    MainWindow& window = *window_;
    std::vector<int> arrived;
    std::thread worker([&] {
        for (int i = 0; i < 20000; ++i)
            window.PostToUi([&arrived, i] { arrived.push_back(i); });
    });
    worker.join();
    window.PostToUi([&arrived] { arrived.push_back(-1); }); // from the UI thread too
    PumpUntil([&arrived] { return arrived.size() == 20001; });
    ASSERT_EQ(arrived.size(), 20001u);
    for (int i = 0; i < 20000; ++i)
        ASSERT_EQ(arrived[static_cast<std::size_t>(i)], i);
    EXPECT_EQ(arrived.back(), -1);
}

// The Lyrics column fills once the scan's rows are in; the one row selected
// shows its song in the pane, in the code page picked there; the pane's
// splitter and code page come back in the next run.
TEST_F(Win32WindowTest, TheLyricsColumnFillsAndThePaneShowsTheSelectedSong) {
    TempDir folder;
    test::WriteBytes(folder / "a.kar",
                     test::Smf(1, {test::Track("00 ff 01 03 61 2f 62  00 ff 2f 00")}));
    test::WriteBytes(folder / "privet.kar",
                     test::Smf(1, {test::Track("00 ff 01 06 cf f0 e8 e2 e5 f2  00 ff 2f 00")}));
    MainWindow& window = *window_;
    window.ShowFolder(folder.str());
    window.form.DirectoryListBox1Change();
    PumpUntil([&window] {
        return !window.form.ScanRunning() && window.fileListView->RowCount() == 2 &&
               window.form.LyricsColumnComplete();
    });
    PumpMessages();
    int privet = -1;
    std::vector<std::string> column;
    for (int row = 0; row < 2; ++row) {
        column.push_back(window.fileListView->Text(row, 4));
        if (window.fileListView->Text(row, 0).ends_with("privet.kar"))
            privet = row;
    }
    std::sort(column.begin(), column.end());
    EXPECT_EQ(column, (std::vector<std::string>{"1 / 1 lines", "1 / 2 lines"}));

    LyricsPaneWindow& pane = *window.lyricsPane;
    EXPECT_EQ(WindowText(pane.note), "Select a file to see its lyrics.");
    EXPECT_EQ(PlaceOf(pane.lines), pane.Layout().lines);
    LVITEMW selected{};
    selected.stateMask = LVIS_SELECTED;
    selected.state = LVIS_SELECTED;
    SendMessageW(window.fileListView->Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(privet),
                 reinterpret_cast<LPARAM>(&selected));
    PumpUntil([&pane] { return WindowText(pane.note).starts_with("Text shown in"); });
    const auto pages = DisplayCodePages();
    const auto choose = [&](CodePage page) {
        const auto index = std::find(pages.begin(), pages.end(), page) - pages.begin();
        SendMessageW(pane.codePageBox, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageW(window.Handle(), WM_COMMAND,
                     MAKEWPARAM(MainWindow::kCodePageBox, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(pane.codePageBox));
    };
    EXPECT_EQ(SendMessageW(pane.codePageBox, CB_GETCOUNT, 0, 0),
              static_cast<LRESULT>(pages.size()));
    choose(CodePage::Cyrillic1251);
    EXPECT_EQ(WindowText(pane.lines), "\xd0\x9f\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82");
    EXPECT_EQ(WindowText(pane.warnings), "");
    EXPECT_EQ(PlaceOf(pane.warnings).height, 0);
    choose(CodePage::Utf8);
    EXPECT_NE(WindowText(pane.warnings).find("not valid in UTF-8"), std::string::npos);
    EXPECT_EQ(PlaceOf(pane.warnings).height, 15) << "room for the one warning";
    EXPECT_EQ(PlaceOf(pane.lines), pane.Layout().lines);
    MSG altC{window.fileListView->Handle(), WM_SYSKEYDOWN, 'C', 0, 0, {}};
    EXPECT_TRUE(window.TranslateKeys(altC)) << "Alt+C goes to the code page box";
    window.fileListView->SelectAll();
    PumpUntil([&pane] { return WindowText(pane.note).starts_with("2 files selected"); });
    EXPECT_EQ(WindowText(pane.lines), "");

    // Dragging the pane's splitter 50 pixels up makes the pane as much higher.
    const Box splitter = window.Layout().lyricsSplitter;
    const LPARAM on = MAKELPARAM(splitter.x + 20, splitter.y + 1);
    SendMessageW(window.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, on);
    SendMessageW(window.Handle(), WM_MOUSEMOVE, MK_LBUTTON,
                 MAKELPARAM(splitter.x + 20, splitter.y - 49));
    SendMessageW(window.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(splitter.x + 20, splitter.y - 49));
    EXPECT_EQ(window.lyricsHeight, kLyricsPaneHeight + 50);
    EXPECT_EQ(PlaceOf(pane.lines), pane.Layout().lines);

    IniSettings store(folder / "settings.ini");
    window.settings = &store;
    window.SaveSettings();
    EXPECT_EQ(store.Read("LyricsPaneHeight"), std::to_string(kLyricsPaneHeight + 50));
    EXPECT_EQ(store.Read("LyricsCodePage"), "utf-8");
    window_.reset();
    MainWindow next;
    next.settings = &store;
    next.RestoreSettings();
    EXPECT_EQ(next.lyricsHeight, kLyricsPaneHeight + 50);
    EXPECT_EQ(SendMessageW(next.lyricsPane->codePageBox, CB_GETCURSEL, 0, 0),
              std::find(pages.begin(), pages.end(), CodePage::Utf8) - pages.begin());
}

TEST_F(Win32WindowTest, OutputDialogShowsItsControlsInTabOrderAndReportsTheChoice) {
    MainWindow& window = *window_;
    OutPathDialog dialog(window.form);
    window.form.outPathForm = &dialog.form;
    HWND shown = dialog.Open(window.Handle());
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(WindowText(shown), "Output Path");
    RECT client{};
    GetClientRect(shown, &client);
    EXPECT_EQ(client.right, 592) << "the design's width and a column for the files there";
    EXPECT_EQ(client.bottom, 145);

    HWND savePath = GetDlgItem(shown, OutPathDialog::kSavePath);
    EXPECT_EQ(WindowText(GetDlgItem(shown, OutPathDialog::kLabel1)), "Output Path");
    EXPECT_EQ(WindowText(savePath), "Always save to");
    EXPECT_EQ(WindowText(GetDlgItem(shown, OutPathDialog::kLMDButton1)), "...");
    EXPECT_EQ(WindowText(GetDlgItem(shown, OutPathDialog::kSaveOri)),
              "Save to original file's paht");
    EXPECT_EQ(WindowText(GetDlgItem(shown, OutPathDialog::kLMDButton2)), "Close");
    EXPECT_EQ(PlaceOf(GetDlgItem(shown, OutPathDialog::kEdit1)), (Box{144, 36, 225, 21}));
    EXPECT_EQ(PlaceOf(GetDlgItem(shown, OutPathDialog::kLMDButton2)), (Box{176, 104, 75, 25}));
    EXPECT_TRUE(GetWindowLongW(GetDlgItem(shown, OutPathDialog::kEdit1), GWL_STYLE) & ES_READONLY);
    EXPECT_EQ(IsDlgButtonChecked(shown, OutPathDialog::kSaveOri), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(shown, OutPathDialog::kSavePath), BST_UNCHECKED);

    EXPECT_EQ(WindowText(GetDlgItem(shown, OutPathDialog::kKeepTree)), "&Keep sub-folders");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(shown, OutPathDialog::kKeepTree)));
    EXPECT_EQ(WindowText(GetDlgItem(shown, OutPathDialog::kExistingLabel)), "If a file exists:");
    EXPECT_EQ(WindowText(GetDlgItem(shown, OutPathDialog::kExistingReplace)), "&Replace");
    EXPECT_EQ(WindowText(GetDlgItem(shown, OutPathDialog::kExistingSkip)), "&Skip");
    EXPECT_EQ(WindowText(GetDlgItem(shown, OutPathDialog::kExistingAsk)), "&Ask");
    EXPECT_EQ(IsDlgButtonChecked(shown, OutPathDialog::kExistingReplace), BST_CHECKED);
    // The design's controls keep their places; none of the new ones lies over them.
    std::vector<Box> places;
    for (int id = OutPathDialog::kLabel1; id <= OutPathDialog::kExistingAsk; ++id)
        places.push_back(PlaceOf(GetDlgItem(shown, id)));
    for (std::size_t a = 0; a < places.size(); ++a) {
        EXPECT_LE(places[a].x + places[a].width, client.right) << a;
        for (std::size_t b = a + 1; b < places.size(); ++b) {
            const bool apart = places[a].x + places[a].width <= places[b].x ||
                               places[b].x + places[b].width <= places[a].x ||
                               places[a].y + places[a].height <= places[b].y ||
                               places[b].y + places[b].height <= places[a].y;
            EXPECT_TRUE(apart) << a << " and " << b;
        }
    }

    // Tab skips "Keep sub-folders" while it is disabled, and enters the group
    // of choices if a file exists once, at its checked one, as the dialog
    // manager goes through radio buttons.
    const std::array<int, 6> tabOrder = {
        OutPathDialog::kSavePath, OutPathDialog::kEdit1,           OutPathDialog::kLMDButton1,
        OutPathDialog::kSaveOri,  OutPathDialog::kExistingReplace, OutPathDialog::kLMDButton2};
    HWND control = savePath;
    for (const int id : tabOrder) {
        EXPECT_EQ(GetDlgCtrlID(control), id);
        control = GetNextDlgTabItem(shown, control, FALSE);
    }

    SendMessageW(savePath, BM_CLICK, 0, 0);
    EXPECT_TRUE(dialog.form.savePath);
    EXPECT_EQ(IsDlgButtonChecked(shown, OutPathDialog::kSaveOri), BST_UNCHECKED);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(shown, OutPathDialog::kKeepTree)));
    SendMessageW(GetDlgItem(shown, OutPathDialog::kKeepTree), BM_CLICK, 0, 0);
    EXPECT_TRUE(dialog.form.KeepsTree());
    SendMessageW(GetDlgItem(shown, OutPathDialog::kExistingAsk), BM_CLICK, 0, 0);
    EXPECT_EQ(dialog.form.ifExists, ExistingChoice::Ask);
    EXPECT_EQ(IsDlgButtonChecked(shown, OutPathDialog::kExistingReplace), BST_UNCHECKED);
    EXPECT_EQ(IsDlgButtonChecked(shown, OutPathDialog::kSavePath), BST_CHECKED)
        << "the two groups of choices are apart";
    dialog.form.ChooseExisting(ExistingChoice::Skip);
    EXPECT_EQ(IsDlgButtonChecked(shown, OutPathDialog::kExistingSkip), BST_CHECKED);
    SendMessageW(GetDlgItem(shown, OutPathDialog::kSaveOri), BM_CLICK, 0, 0);
    EXPECT_FALSE(dialog.form.savePath);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(shown, OutPathDialog::kKeepTree)));
    dialog.ShowChoice(true, "C:\\Out");
    EXPECT_EQ(WindowText(GetDlgItem(shown, OutPathDialog::kEdit1)), "C:\\Out");
    EXPECT_EQ(IsDlgButtonChecked(shown, OutPathDialog::kSavePath), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(shown, OutPathDialog::kSaveOri), BST_UNCHECKED);

    SendMessageW(shown, WM_COMMAND, MAKEWPARAM(OutPathDialog::kLMDButton2, BN_CLICKED), 0);
    EXPECT_FALSE(IsWindow(shown));
    window.form.outPathForm = nullptr;
}

// Any bytes come back from the INI file as they went in, and a key never
// written reads as missing.
TEST(IniSettingsTest, ValuesComeBackByteForByte) {
    TempDir folder;
    IniSettings store((folder.path() / "settings.ini").string());
    const std::vector<std::string> values = {
        "C:\\Songs", "", " edged ", "\"quoted\"", "hex:41", "Caf\xe9\\\x81\x40", "a\nb=c;d"};
    for (std::size_t i = 0; i < values.size(); ++i)
        store.Write("Key" + std::to_string(i), values[i]);
    IniSettings again(store.File());
    for (std::size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(again.Read("Key" + std::to_string(i)), values[i]) << i;
    EXPECT_EQ(again.Read("Never"), std::nullopt);
}

// The settings file is UTF-8 behind a byte order mark: a folder in any
// writing is kept readable and comes back; the other lines stay as they were.
TEST(IniSettingsTest, NamesInAnyWritingAreKeptAsUtf8) {
    TempDir folder;
    const std::string file = folder / "settings.ini";
    test::WriteBytes(file, test::Bytes{'[', 'O', 't', 'h', 'e', 'r', ']', '\r', '\n', 'k', '=', 'v',
                                       '\r', '\n'});
    IniSettings store(file);
    const std::string folderName = "C:\\\xd0\x9f\xd0\xb5\xd1\x81\xd0\xbd\xd0\xb8\\\xf0\x9f\x8e\xa4";
    store.Write("Folder", folderName);    // C:\Песни\🎤
    store.Write("Lone", "a\xed\xa0\x80"); // a name's lone surrogate
    store.Write("Folder", folderName + "\\\xe0\xb9\x80\xe0\xb8\x9e\xe0\xb8\xa5\xe0\xb8\x87");
    IniSettings again(file);
    EXPECT_EQ(again.Read("folder"),
              folderName + "\\\xe0\xb9\x80\xe0\xb8\x9e\xe0\xb8\xa5\xe0\xb8\x87");
    EXPECT_EQ(again.Read("Lone"), "a\xed\xa0\x80");
    const test::Bytes bytes = test::ReadBytes(file);
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_EQ(text,
              "\xef\xbb\xbf[Other]\r\nk=v\r\n[Settings]\r\nFolder=" + folderName +
                  "\\\xe0\xb9\x80\xe0\xb8\x9e\xe0\xb8\xa5\xe0\xb8\x87\r\nLone=hex:61eda080\r\n");
}

// A file an earlier version wrote, in the code page and without the mark, is
// read in the code page, and its settings are kept when the next ones are written.
TEST(IniSettingsTest, AFileWithoutTheMarkIsReadInTheCodePage) {
    ASSERT_EQ(GetACP(), 1252u) << "scripts/lib/wine.sh runs Wine in the Western code page";
    TempDir folder;
    const std::string file = folder / "settings.ini";
    const std::string old = "[Settings]\r\nOutputFolder = \"C:\\Caf\xe9\"\r\nIncludeSubDir=1\r\n";
    test::WriteBytes(file, test::Bytes(old.begin(), old.end()));
    IniSettings store(file);
    EXPECT_EQ(store.Read("OutputFolder"), "C:\\Caf\xc3\xa9");
    store.Write("AlwaysSaveTo", "1");
    EXPECT_EQ(IniSettings(file).Read("OutputFolder"), "C:\\Caf\xc3\xa9");
    EXPECT_EQ(IniSettings(file).Read("IncludeSubDir"), "1");
    EXPECT_EQ(IniSettings(file).Read("AlwaysSaveTo"), "1");
    EXPECT_EQ(test::ReadBytes(file).at(0), 0xef);
}

// The program as it starts from the command line, its message loop run
// until its scan has listed what it was given; rows as "path verdict".
class ProgramOfTest : public Win32Program {
public:
    ProgramOfTest(std::string settings, std::vector<std::string> arguments)
        : Win32Program(std::move(settings), SW_HIDE), arguments_(std::move(arguments)) {}

    std::vector<std::string> CreateApplication() override { return arguments_; }
    int RunEventLoop() override {
        PumpUntil([this] { return !mainWindow->form.ScanRunning(); });
        PumpMessages();
        const FileListView& list = *mainWindow->fileListView;
        for (int row = 0; row < list.RowCount(); ++row)
            rows.push_back(list.Text(row, 0) + " " + list.Text(row, 2));
        folder = mainWindow->CurrentFolder();
        return 0;
    }

    std::vector<std::string> rows;
    std::string folder;

private:
    std::vector<std::string> arguments_;
};

// The remembered folder moves the current one before the command line is
// read; the file named there is still the one where the program started.
TEST_F(Win32WindowTest, TheCommandLineIsReadWhereTheProgramStarted) {
    TempDir tree;
    const std::string songs = (tree.path() / "songs").string();
    const std::string other = (tree.path() / "other").string();
    test::WriteBytes(songs + "\\good.kar", test::Smf(1, {test::Track("00 ff 2f 00")}));
    test::WriteBytes(other + "\\good.kar", test::Bytes{'n', 'o'});
    const std::string settings = (tree.path() / "settings.ini").string();
    IniSettings(settings).Write("Folder", other);
    SetCurrentDir(songs);
    ProgramOfTest program(settings, {"good.kar"});
    EXPECT_EQ(RunWindowProgram(program), 0);
    EXPECT_EQ(program.folder, other);
    EXPECT_EQ(program.rows, std::vector<std::string>{songs + "\\good.kar Good"});
}

// An HDROP as Explorer makes one: the paths one after the other, in UTF-16.
HGLOBAL DropOf(const std::vector<std::string>& paths) {
    std::wstring names;
    for (const std::string& path : paths)
        names += Wide(path) + L'\0';
    names += L'\0';
    const std::size_t size = names.size() * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + size);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(), size);
    GlobalUnlock(memory);
    return memory;
}

TEST_F(Win32WindowTest, DroppedFolderIsOpenedAndDroppedFilesAreListed) {
    TempDir folder;
    std::filesystem::create_directory(folder.path() / "Songs");
    test::WriteBytes(folder / "Songs/a.kar", test::Smf(1, {test::Track("00 ff 2f 00")}));
    test::WriteBytes(folder / "b.kar", test::Smf(1, {test::Track("00 ff 2f 00")}));
    MainWindow& window = *window_;
    const std::string songs = (folder.path() / "Songs").string();
    SendMessageW(window.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf({songs})), 0);
    EXPECT_EQ(window.CurrentFolder(), songs);
    PumpUntil([&window] { return !window.form.ScanRunning(); });
    PumpMessages();
    ASSERT_EQ(window.fileListView->RowCount(), 1);
    EXPECT_EQ(window.fileListView->Text(0, 0), (folder.path() / "Songs" / "a.kar").string());

    const std::string b = (folder.path() / "b.kar").string();
    SendMessageW(window.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf({b})), 0);
    PumpUntil([&window] { return !window.form.ScanRunning(); });
    PumpMessages();
    EXPECT_EQ(window.CurrentFolder(), songs) << "a file does not move the folder pane";
    ASSERT_EQ(window.fileListView->RowCount(), 1);
    EXPECT_EQ(window.fileListView->Text(0, 0), b);
}

// Names in writings the code page cannot spell, and one it can.
const std::vector<std::string> kNamesInOtherWritings = {
    "\xd0\x9f\xd0\xb5\xd1\x81\xd0\xbd\xd0\xb8",         // Песни
    "\xe5\xa4\x8f\xe3\x81\xae\xe6\xad\x8c",             // 夏の歌
    "\xe0\xb9\x80\xe0\xb8\x9e\xe0\xb8\xa5\xe0\xb8\x87", // เพลง
    "Se\xc3\xb1orita Caf\xc3\xa9",                      // Señorita Café
    "\xf0\x9f\x8e\xa4 Live"};                           // 🎤 Live

std::string StatusPanelText(HWND statusBar, int panel) {
    std::wstring text(LOWORD(SendMessageW(statusBar, SB_GETTEXTLENGTHW, panel, 0)), L'\0');
    SendMessageW(statusBar, SB_GETTEXTW, panel, reinterpret_cast<LPARAM>(text.data()));
    return Utf8(text);
}

// The list's cells, the status bar and the output folder's box give back
// every name as it went in, whatever the code page.
TEST_F(Win32WindowTest, NamesInAnyWritingShowAsThemselves) {
    MainWindow& window = *window_;
    std::vector<FileRow> rows;
    for (const std::string& name : kNamesInOtherWritings)
        rows.push_back({"C:\\" + name + "\\" + name + ".kar", ".KAR", true, 1});
    window.AddRows(rows);
    OutPathDialog dialog(window.form);
    HWND shown = dialog.Open(window.Handle());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(window.fileListView->Text(static_cast<int>(i), 0), rows[i].path);
        window.ShowStatus({"Scanning : ", rows[i].path});
        EXPECT_EQ(StatusPanelText(window.StatusBar1, 0), "Scanning : " + rows[i].path);
        window.ShowCounts(kNamesInOtherWritings[i]);
        EXPECT_EQ(StatusPanelText(window.StatusBar1, 1), kNamesInOtherWritings[i]);
        dialog.ShowChoice(true, rows[i].path);
        EXPECT_EQ(WindowText(GetDlgItem(shown, OutPathDialog::kEdit1)), rows[i].path);
    }
    dialog.CloseDialog();
}

// Folders in any writing: the folder pane lists them, a double-click opens
// one, and with "Include Sub Dir" the scan lists the songs of every one;
// dropped, such a file is listed too.
TEST_F(Win32WindowTest, FoldersInAnyWritingAreListedOpenedAndScanned) {
    TempDir tree;
    for (const std::string& name : kNamesInOtherWritings)
        test::WriteBytes(tree / (name + "\\" + name + ".kar"),
                         test::Smf(1, {test::Track("00 ff 2f 00")}));
    MainWindow& window = *window_;
    window.DirectoryListBox1->core.SetDirectory(tree.str());
    std::vector<std::string> listed;
    const int count = window.DirectoryListBox1->ItemCount();
    for (int i = count - static_cast<int>(kNamesInOtherWritings.size()); i < count; ++i)
        listed.push_back(window.DirectoryListBox1->Item(i).text);
    std::vector<std::string> names = kNamesInOtherWritings;
    std::sort(names.begin(), names.end());
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, names);

    window.form.subDirClick();
    SendMessageW(window.DirectoryListBox1->Handle(), LB_SETCURSEL,
                 static_cast<WPARAM>(window.DirectoryListBox1->ItemCount() - 1), 0);
    const std::string opened = tree / window.DirectoryListBox1->Item(count - 1).text;
    SendMessageW(window.Handle(), WM_COMMAND,
                 MAKEWPARAM(MainWindow::kDirectoryListBox1, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(window.DirectoryListBox1->Handle()));
    EXPECT_EQ(window.CurrentFolder(), opened);
    PumpUntil([&window] { return !window.form.ScanRunning(); });
    PumpMessages();
    ASSERT_EQ(window.fileListView->RowCount(), 1);
    EXPECT_EQ(window.fileListView->Text(0, 2), "Good");

    window.ShowFolder(tree.str()); // the tree itself, with its sub-folders
    window.form.DirectoryListBox1Change();
    PumpUntil([&window] { return !window.form.ScanRunning(); });
    PumpMessages();
    std::vector<std::string> rows;
    for (int row = 0; row < window.fileListView->RowCount(); ++row)
        rows.push_back(window.fileListView->Text(row, 0) + " " + window.fileListView->Text(row, 2));
    std::vector<std::string> expected;
    for (const std::string& name : kNamesInOtherWritings)
        expected.push_back(tree / (name + "\\" + name + ".kar") + " Good");
    std::sort(rows.begin(), rows.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(rows, expected);

    const std::string dropped = tree / (names[0] + "\\" + names[0] + ".kar");
    SendMessageW(window.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf({dropped})), 0);
    PumpUntil([&window] { return !window.form.ScanRunning(); });
    PumpMessages();
    ASSERT_EQ(window.fileListView->RowCount(), 1);
    EXPECT_EQ(window.fileListView->Text(0, 0), dropped);
}

// The keys reach the window as the message loop hands them over.
bool PressKey(MainWindow& window, WPARAM key) {
    MSG message{window.fileListView->Handle(), WM_KEYDOWN, key, 0, 0, {}};
    return window.TranslateKeys(message);
}

TEST_F(Win32WindowTest, KeysOpenAFolderScanAgainAndSortByAColumn) {
    TempDir folder;
    std::filesystem::create_directory(folder.path() / "Songs");
    test::WriteBytes(folder / "Songs/b.kar", test::Smf(1, {test::Track("00 ff 2f 00")}));
    test::WriteBytes(folder / "Songs/a.kar", test::Bytes{'n', 'o'});
    MainWindow& window = *window_;
    const std::string songs = (folder.path() / "Songs").string();
    window.chooseFolder = [&](HWND, const std::string& title) {
        EXPECT_EQ(title, "Open Folder");
        return std::optional<std::string>(songs);
    };
    EXPECT_FALSE(PressKey(window, 'O')) << "O alone is no key of the window";
    BYTE state[256] = {};
    GetKeyboardState(state);
    state[VK_CONTROL] = 0x80;
    SetKeyboardState(state);
    EXPECT_TRUE(PressKey(window, 'O'));
    state[VK_CONTROL] = 0;
    SetKeyboardState(state);
    EXPECT_EQ(window.CurrentFolder(), songs);
    PumpUntil([&window] { return !window.form.ScanRunning(); });
    PumpMessages();
    ASSERT_EQ(window.fileListView->RowCount(), 2);

    EXPECT_TRUE(PressKey(window, VK_F5));
    PumpUntil([&window] { return !window.form.ScanRunning(); });
    PumpMessages();
    EXPECT_EQ(window.fileListView->RowCount(), 2) << "scanned again, not added to";
    EXPECT_TRUE(PressKey(window, VK_ESCAPE));

    NMLISTVIEW click{};
    click.hdr = {window.fileListView->Handle(), MainWindow::kFileListView, LVN_COLUMNCLICK};
    click.iSubItem = 2;
    SendMessageW(window.Handle(), WM_NOTIFY, MainWindow::kFileListView,
                 reinterpret_cast<LPARAM>(&click));
    const std::string first = window.fileListView->Text(0, 2);
    SendMessageW(window.Handle(), WM_NOTIFY, MainWindow::kFileListView,
                 reinterpret_cast<LPARAM>(&click));
    EXPECT_NE(window.fileListView->Text(0, 2), first) << "a second click reverses the order";
}

// The browse dialog with its questions answered by the test.
class AnsweredBrowseDialog : public FolderBrowseDialog {
public:
    using FolderBrowseDialog::FolderBrowseDialog;
    std::optional<std::string> AskFolderName() override { return name; }
    void ShowWarning(const std::string& text) override { warnings.push_back(text); }

    std::optional<std::string> name;
    std::vector<std::string> warnings;
};

TEST_F(Win32WindowTest, SummaryShowsItsTextAndTellsWhetherTheFolderIsWanted) {
    for (const bool open : {false, true}) {
        SummaryDialog summary(SummaryOf({2, 1, 0, false, {}}));
        HWND shown = summary.Open(window_->Handle());
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(WindowText(shown), "Lyricast Convert");
        EXPECT_EQ(WindowText(GetDlgItem(shown, SummaryDialog::kText)),
                  "2 files converted.\n1 file judged \"Bad\" skipped.");
        EXPECT_EQ(GetDlgItem(shown, SummaryDialog::kDetails), nullptr) << "nothing to list";
        EXPECT_EQ(reinterpret_cast<HICON>(
                      SendMessageW(GetDlgItem(shown, SummaryDialog::kIcon), STM_GETICON, 0, 0)),
                  SystemIcon(IDI_INFORMATION));
        EXPECT_EQ(WindowText(GetDlgItem(shown, SummaryDialog::kOpenFolder)), "&Open Folder");
        EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDOK) << "Enter closes it";
        EXPECT_EQ(WindowText(GetDlgItem(shown, SummaryDialog::kSaveReport)), "Save &Report...");
        int saved = 0;
        summary.onSaveReport = [&saved] { ++saved; };
        SendMessageW(GetDlgItem(shown, SummaryDialog::kSaveReport), BM_CLICK, 0, 0);
        EXPECT_EQ(saved, 1);
        EXPECT_TRUE(IsWindow(shown)) << "saving a report leaves the box open";
        SendMessageW(GetDlgItem(shown, open ? SummaryDialog::kOpenFolder : IDOK), BM_CLICK, 0, 0);
        EXPECT_EQ(summary.OpenFolderChosen(), open);
    }
}

// Fifty refused files: the box still fits a 1024 x 768 screen with its
// buttons in reach, and its list scrolls through every one of them.
TEST_F(Win32WindowTest, SummaryOfManyRefusedFilesFitsTheScreenAndScrolls) {
    BatchTally tally{3, 0, 0, false, {}};
    for (int i = 0; i < 50; ++i)
        tally.failed.emplace_back("C:\\Karaoke\\A long folder of songs\\Artist " +
                                      std::to_string(i) + " - A long song title.kar",
                                  "the output C:\\Converted\\Song.MID is that of "
                                  "C:\\Karaoke\\Song.kar, earlier in this run");
    SummaryDialog summary(SummaryOf(tally));
    HWND shown = summary.Open(window_->Handle());
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(WindowText(GetDlgItem(shown, SummaryDialog::kText)),
              "3 files converted.\n\n50 files refused or failed:");
    RECT outer{};
    GetWindowRect(shown, &outer);
    EXPECT_LE(outer.right - outer.left, 1024);
    EXPECT_LE(outer.bottom - outer.top, 768);
    RECT client{};
    GetClientRect(shown, &client);
    for (const int button : {IDOK, static_cast<int>(SummaryDialog::kOpenFolder)}) {
        const Box place = PlaceOf(GetDlgItem(shown, button));
        EXPECT_GE(place.y, 0);
        EXPECT_LE(place.y + place.height, client.bottom) << "the button is in reach";
    }
    HWND details = GetDlgItem(shown, SummaryDialog::kDetails);
    ASSERT_NE(details, nullptr);
    EXPECT_EQ(SendMessageW(details, EM_GETLINECOUNT, 0, 0), 50);
    EXPECT_NE(GetWindowLongW(details, GWL_STYLE) & ES_READONLY, 0);
    SCROLLINFO scroll{};
    scroll.cbSize = sizeof scroll;
    scroll.fMask = SIF_RANGE | SIF_PAGE;
    ASSERT_TRUE(GetScrollInfo(details, SB_VERT, &scroll));
    EXPECT_GT(scroll.nMax - scroll.nMin + 1, static_cast<int>(scroll.nPage))
        << "more lines than the box shows: it scrolls";
    EXPECT_LE(PlaceOf(details).y + PlaceOf(details).height, PlaceOf(GetDlgItem(shown, IDOK)).y)
        << "the list ends above the buttons";
    EXPECT_EQ(reinterpret_cast<HICON>(
                  SendMessageW(GetDlgItem(shown, SummaryDialog::kIcon), STM_GETICON, 0, 0)),
              SystemIcon(IDI_WARNING));
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDOK) << "Enter closes it, the list is not selected";
    SendMessageW(GetDlgItem(shown, IDOK), BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindow(shown));
}

// The four answers, No the default that Enter and Esc give; each button gives its own.
TEST_F(Win32WindowTest, TheQuestionAboutFilesThereGivesTheAnswerChosen) {
    const std::string question = ExistingQuestionText(std::vector<std::string>{"C:\\Out\\a.MID"});
    for (std::size_t i = 0; i < ExistingAnswerButtons().size(); ++i) {
        ExistingQuestionDialog dialog(question);
        HWND shown = dialog.Open(window_->Handle());
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(WindowText(shown), "Lyricast Convert");
        EXPECT_EQ(WindowText(GetDlgItem(shown, ExistingQuestionDialog::kText)), question);
        HWND button = GetDlgItem(shown, ExistingQuestionDialog::kFirstButton + static_cast<int>(i));
        EXPECT_EQ(WindowText(button), ExistingAnswerButtons()[i].caption);
        if (i == 0) {
            EXPECT_EQ(GetDlgCtrlID(GetFocus()), ExistingQuestionDialog::kFirstButton + 2)
                << "the dialog starts on No";
        }
        SendMessageW(button, BM_CLICK, 0, 0);
        EXPECT_FALSE(IsWindow(shown));
        EXPECT_EQ(dialog.Answer(), ExistingAnswerButtons()[i].answer);
    }
    ExistingQuestionDialog closed(question);
    HWND shown = closed.Open(window_->Handle());
    SendMessageW(shown, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_EQ(closed.Answer(), ExistingAnswer::No);
}

TEST_F(Win32WindowTest, BrowseDialogStartsAtItsFolderAndOpensANewFolder) {
    TempDir folder;
    AnsweredBrowseDialog browse("Output Folder", folder.str());
    HWND shown = browse.Open(window_->Handle());
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(browse.folderList()->core.Directory(), folder.str());
    EXPECT_EQ(WindowText(GetDlgItem(shown, FolderBrowseDialog::kOk)), "OK");
    EXPECT_EQ(WindowText(GetDlgItem(shown, IDCANCEL)), "Cancel");
    EXPECT_EQ(WindowText(GetDlgItem(shown, FolderBrowseDialog::kNewFolder)), "&New Folder...");
    EXPECT_GT(browse.driveBox()->EntryCount(), 0);
    EXPECT_GE(browse.driveBox()->SelectedEntry(), 0);

    browse.name = "Converted";
    SendMessageW(shown, WM_COMMAND, MAKEWPARAM(FolderBrowseDialog::kNewFolder, BN_CLICKED), 0);
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "Converted"));
    EXPECT_EQ(browse.folderList()->core.Directory(), (folder.path() / "Converted").string());
    browse.name = "";
    SendMessageW(shown, WM_COMMAND, MAKEWPARAM(FolderBrowseDialog::kNewFolder, BN_CLICKED), 0);
    EXPECT_EQ(browse.warnings, (std::vector<std::string>{"IO-Error!\nCould not create folder."}))
        << "a folder needs a name";

    SendMessageW(shown, WM_COMMAND, MAKEWPARAM(FolderBrowseDialog::kOk, BN_CLICKED), 0);
    EXPECT_FALSE(IsWindow(shown));
    EXPECT_EQ(browse.Folder(), (folder.path() / "Converted").string());
}

} // namespace
} // namespace lyricast

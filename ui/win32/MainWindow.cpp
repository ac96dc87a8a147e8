#include "ui/win32/MainWindow.h"

#include "platform/ProgramFileWindows.h"
#include "platform/ShellOpen.h"
#include "ui/win32/AboutBox.h"
#include "ui/win32/Controls.h"
#include "ui/win32/ErrorBox.h"
#include "ui/win32/ExistingQuestionDialog.h"
#include "ui/win32/FolderPicker.h"
#include "ui/win32/LyricStyleDialog.h"
#include "ui/win32/MainMenu.h"
#include "ui/win32/OutPathDialog.h"
#include "ui/win32/SaveFilePicker.h"
#include "ui/win32/SummaryDialog.h"
#include "ui/win32/WideText.h"
#include "ui/win32/pane/PaneDrawing.h"
#include "ui/win32/resources/ResourceIds.h"
#include "window/AppInfo.h"
#include "window/ErrorBox.h"
#include "window/FileColumns.h"
#include "window/SettingsText.h"
#include "window/StatusText.h"

#include <commctrl.h>
#include <windowsx.h>

#include <array>

namespace lyricast {
namespace {

constexpr wchar_t kClassName[] = L"LyricastConvertMainWindow";
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
// Selecting all the rows changes each row's state: the pane hears of it once.
constexpr UINT kSelectionChangedMessage = Workers::kRunStepMessage + 1;
constexpr COLORREF kWarningColour = RGB(160, 64, 0);

} // namespace

void MainWindow::RegisterWindowClass() {
    static const bool registered = [] {
        WNDCLASSEXW type{};
        type.cbSize = sizeof type;
        type.lpfnWndProc = MainWindow::Procedure;
        type.hInstance = GetModuleHandleW(nullptr);
        type.hIcon = LoadIconW(type.hInstance, MAKEINTRESOURCEW(IDI_APPLICATION_ICON));
        type.hCursor = SystemCursor(IDC_ARROW);
        type.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        type.lpszClassName = kClassName;
        return RegisterClassExW(&type) != 0;
    }();
    (void)registered;
}

namespace {

// The outer size that gives the window its client area under a menu bar.
SIZE OuterSize() {
    RECT rect{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&rect, kStyle, TRUE, 0);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

bool Inside(const Box& box, int x, int y) {
    return x >= box.x && x < box.x + box.width && y >= box.y && y < box.y + box.height;
}

RECT RectOf(const Box& box) {
    return {box.x, box.y, box.x + box.width, box.y + box.height};
}

constexpr char kPlacementKey[] = "WindowPlacement";
constexpr char kLyricsHeightKey[] = "LyricsPaneHeight";

ExistingAnswer AskInDialog(HWND owner, const std::string& question) {
    ExistingQuestionDialog dialog(question);
    dialog.Run(owner);
    return dialog.Answer();
}

} // namespace

MainWindow::MainWindow()
    : form(*this), shellOpen(ShellOpen), fileManager(ShellOpenFolder), chooseFolder(PickFolder),
      chooseSaveFile(PickSaveFile), askExisting(AskInDialog), keys_(CreateMainKeys()) {
    RegisterWindowClass();
    const SIZE outer = OuterSize();
    CreateWindowExW(0, kClassName, Wide(MainWindowCaption()).c_str(), kStyle, 187, 112, outer.cx,
                    outer.cy, nullptr, CreateMainMenu(), GetModuleHandleW(nullptr), this);
    workers_.emplace(handle_);
    CreateControls();
    ShowMenuChecks(GetMenu(handle_), form);
    LayOut();
    DragAcceptFiles(handle_, TRUE);
}

MainWindow::~MainWindow() {
    form.FinishWork();
    DestroyAcceleratorTable(keys_);
    if (IsWindow(handle_))
        DestroyWindow(handle_);
}

void MainWindow::Show(int how) {
    ShowWindow(handle_, how);
    UpdateWindow(handle_);
}

void MainWindow::CreateControls() {
    const MainLayout layout = LayOutMainWindow(kClientWidth, kClientHeight, 0, leftWidth);
    StatusBar1 =
        CreateChild(handle_, STATUSCLASSNAMEA, "", WS_VISIBLE | SBARS_SIZEGRIP, {}, kStatusBar1);
    int panels[] = {kStatusPanelWidth, -1};
    SendMessageW(StatusBar1, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(panels));
    DriveComboBox1 = std::make_unique<DriveBox>(handle_, kDriveComboBox1, layout.driveBox);
    DirectoryListBox1 =
        std::make_unique<FolderList>(handle_, kDirectoryListBox1, layout.folderList);
    DriveComboBox1->SetDirList(DirectoryListBox1.get());
    form.LinkFolderList(DirectoryListBox1->core);
    fileListView = std::make_unique<FileListView>(handle_, kFileListView, layout.fileList);
    lyricsPane = std::make_unique<LyricsPaneWindow>(handle_, kLyricsPane, layout.lyricsPane);
    form.LinkLyricsPane(lyricsPane->core);
    ProgressBar1 = CreateChild(handle_, PROGRESS_CLASSA, "", 0, layout.progressBar, kProgressBar1);
    SendMessageW(ProgressBar1, PBM_SETRANGE32, 0, 100);
    LMDButton3 =
        CreateChild(handle_, "BUTTON", form.LMDButton3Caption(),
                    WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, layout.convertButton, kLMDButton3);
}

MainLayout MainWindow::Layout() const {
    RECT client{}, status{};
    GetClientRect(handle_, &client);
    GetWindowRect(StatusBar1, &status);
    return LayOutMainWindow(client.right, client.bottom, status.bottom - status.top, leftWidth,
                            lyricsHeight);
}

void MainWindow::LayOut() {
    SendMessageW(StatusBar1, WM_SIZE, 0, 0);
    const MainLayout layout = Layout();
    Place(DirectoryListBox1->Handle(), layout.folderList);
    Place(fileListView->Handle(), layout.fileList);
    fileListView->FillWidth();
    lyricsPane->Place(layout.lyricsPane);
    Place(ProgressBar1, layout.progressBar);
    Place(LMDButton3, layout.convertButton);
    InvalidateRect(handle_, nullptr, TRUE);
}

LRESULT CALLBACK MainWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created =
            static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        created->handle_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    // Until its controls exist the window has nothing of its own to do.
    if (self == nullptr || (!self->fileListView && message != WM_MEASUREITEM))
        return DefWindowProcW(window, message, wParam, lParam);
    return self->Receive(message, wParam, lParam);
}

LRESULT MainWindow::Receive(UINT message, WPARAM wParam, LPARAM lParam) {
    if (const auto drawn =
            PaneDrawing(message, lParam, DriveComboBox1.get(), DirectoryListBox1.get()))
        return *drawn;
    switch (message) {
    case Workers::kRunStepMessage:
        RunWaitingSteps();
        return 0;
    case kSelectionChangedMessage:
        SelectionChanged();
        return 0;
    case WM_CTLCOLORSTATIC:
        if (lyricsPane && lyricsPane->IsWarnings(reinterpret_cast<HWND>(lParam))) {
            const auto dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, kWarningColour);
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        break;
    case WM_TIMER:
        if (wParam == Workers::kRetryTimer) {
            RunWaitingSteps();
            return 0;
        }
        break;
    case WM_COMMAND:
        Command(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_NOTIFY:
        if (const auto answer = Notify(*reinterpret_cast<const NMHDR*>(lParam)))
            return *answer;
        break;
    case WM_VKEYTOITEM:
        if (LOWORD(wParam) != VK_RETURN)
            return -1;
        FolderListEnter();
        return -2;
    case WM_SIZE:
        LayOut();
        return 0;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == handle_ && LOWORD(lParam) == HTCLIENT) {
            POINT at{};
            GetCursorPos(&at);
            ScreenToClient(handle_, &at);
            const MainLayout layout = Layout();
            if (Inside(layout.splitter, at.x, at.y)) {
                SetCursor(SystemCursor(IDC_SIZEWE));
                return TRUE;
            }
            if (Inside(layout.lyricsSplitter, at.x, at.y)) {
                SetCursor(SystemCursor(IDC_SIZENS));
                return TRUE;
            }
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
        if (SplitterMouse(message, lParam))
            return 0;
        break;
    case WM_SHOWWINDOW:
        if (wParam != 0)
            FirstShow();
        break;
    case WM_DROPFILES:
        FilesDropped(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_CLOSE:
        // A walk may be running below this handler; it unwinds at its next
        // check point. The window stays until it is destroyed, so that what
        // it remembers, its place too, can be saved once the loop is over.
        form.StopWork();
        ShowWindow(handle_, SW_HIDE);
        if (quitOnClose)
            PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(handle_, message, wParam, lParam);
}

void MainWindow::Command(int id, int code) {
    if (const MenuEntry* entry = MenuEntryOf(id))
        return MenuEntryChosen(entry->handler);
    if (id == kCodePageBox && code == CBN_SELCHANGE)
        return CallHandler(*this, [this] { lyricsPane->CodePageBoxChange(); });
    if (id == kLMDButton3 && code == BN_CLICKED)
        return CallHandler(*this, [this] { form.LMDButton3Click(); });
    if (id == kDirectoryListBox1 && code == LBN_DBLCLK)
        return CallHandler(*this, [this] { DirectoryListBox1->DblClick(); });
    if (id == kDriveComboBox1 && (code == CBN_SELENDOK || code == CBN_SELCHANGE))
        CallHandler(*this, [this] { DriveComboBox1->EntryChosen(); });
}

void MainWindow::FolderListEnter() {
    CallHandler(*this, [this] { DirectoryListBox1->OpenCurrent(); });
}

void MainWindow::MenuEntryChosen(void (TMainForm::*handler)()) {
    CallHandler(*this, [this, handler] { (form.*handler)(); });
    if (IsWindow(handle_))
        ShowMenuChecks(GetMenu(handle_), form);
}

std::optional<LRESULT> MainWindow::Notify(const NMHDR& header) {
    if (header.idFrom != kFileListView)
        return std::nullopt;
    if (header.code == NM_CUSTOMDRAW)
        return FileListView::CustomDraw(
            *reinterpret_cast<NMLVCUSTOMDRAW*>(const_cast<NMHDR*>(&header)),
            &TMainForm::fileListViewCustomDrawItem, TMainForm::SelectedRowFill());
    if (header.code == LVN_COLUMNCLICK) {
        const int column = reinterpret_cast<const NMLISTVIEW&>(header).iSubItem;
        CallHandler(*this, [this, column] { form.fileListViewColumnClick(column); });
    }
    if (header.code == LVN_ITEMCHANGED) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if ((change.uChanged & LVIF_STATE) &&
            ((change.uNewState ^ change.uOldState) & LVIS_SELECTED) && !selectionPending_) {
            selectionPending_ = true;
            PostMessageW(handle_, kSelectionChangedMessage, 0, 0);
        }
    }
    if (header.code == LVN_KEYDOWN) {
        const auto& key = reinterpret_cast<const NMLVKEYDOWN&>(header);
        if (key.wVKey == 'A' && GetKeyState(VK_CONTROL) < 0)
            fileListView->SelectAll();
    }
    return std::nullopt;
}

// The panels' raised edges; the splitter is the gap between two of them.
void MainWindow::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(handle_, &paint);
    const MainLayout layout = Layout();
    for (const Box& panel : {layout.leftPane, layout.listPane, layout.bottomBar}) {
        RECT rect = RectOf(panel);
        DrawEdge(dc, &rect, BDR_RAISEDINNER, BF_RECT);
    }
    RECT splitter = RectOf(layout.splitter);
    DrawEdge(dc, &splitter, EDGE_RAISED, BF_LEFT | BF_RIGHT);
    RECT lyricsSplitter = RectOf(layout.lyricsSplitter);
    DrawEdge(dc, &lyricsSplitter, EDGE_RAISED, BF_TOP | BF_BOTTOM);
    EndPaint(handle_, &paint);
}

// Dragging a splitter moves the edge between the folder pane and the file
// list, or between the file list and the lyrics pane.
bool MainWindow::SplitterMouse(UINT message, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    if (message == WM_LBUTTONDOWN) {
        const MainLayout layout = Layout();
        if (Inside(layout.splitter, x, y))
            dragging_ = Dragging::Folders;
        else if (Inside(layout.lyricsSplitter, x, y))
            dragging_ = Dragging::Lyrics;
        else
            return false;
        grip_ = dragging_ == Dragging::Lyrics ? y - layout.lyricsSplitter.y : 0;
        SetCapture(handle_);
        return true;
    }
    if (dragging_ == Dragging::None)
        return false;
    DragSplitter(x, y);
    if (message == WM_LBUTTONUP) {
        dragging_ = Dragging::None;
        ReleaseCapture();
    }
    return true;
}

void MainWindow::DragSplitter(int x, int y) {
    if (dragging_ == Dragging::Folders) {
        RECT client{};
        GetClientRect(handle_, &client);
        leftWidth = ClampLeftWidth(x, client.right);
    } else {
        // The bar follows the mouse where it was gripped; the pane below it
        // reaches down to the list pane's foot.
        const MainLayout layout = Layout();
        const int foot = layout.lyricsPane.y + layout.lyricsPane.height;
        lyricsHeight =
            ClampLyricsHeight(foot - (y - grip_) - kSplitterWidth, foot - layout.fileList.y);
    }
    LayOut();
}

void MainWindow::SelectionChanged() {
    selectionPending_ = false;
    CallHandler(*this, [this] { form.fileListViewSelectItem(); });
}

void MainWindow::FirstShow() {
    if (shown_)
        return;
    shown_ = true;
    form.FormShow(ProgramFile());
}

// The window has no dialog manager to follow its captions' letters: the
// code page box's is taken here.
bool MainWindow::TranslateKeys(MSG& message) {
    if (message.message == WM_SYSKEYDOWN &&
        message.wParam == static_cast<WPARAM>(kCodePageMnemonic) &&
        GetAncestor(message.hwnd, GA_ROOT) == handle_) {
        SetFocus(lyricsPane->codePageBox);
        return true;
    }
    return TranslateAcceleratorW(handle_, keys_, &message) != 0;
}

void MainWindow::FilesDropped(HDROP drop) {
    std::vector<std::string> paths = DroppedPaths(drop);
    DragFinish(drop);
    CallHandler(*this, [this, &paths] { form.OpenPaths(std::move(paths)); });
}

// The options, then where the window stood, as the system's placement gives it.
void MainWindow::RestoreSettings() {
    if (settings == nullptr)
        return;
    CallHandler(*this, [this] { form.RestoreSettings(*settings); });
    ShowMenuChecks(GetMenu(handle_), form);
    if (const auto height = settings->Read(kLyricsHeightKey))
        if (const auto pixels = PixelsOf(*height)) {
            lyricsHeight = *pixels;
            LayOut();
        }
    const std::optional<std::string> stored = settings->Read(kPlacementKey);
    const std::optional<WindowPlace> stood = stored ? WindowPlaceOf(*stored) : std::nullopt;
    if (!stood)
        return;
    WINDOWPLACEMENT place{};
    place.length = sizeof place;
    place.rcNormalPosition = {stood->left, stood->top, stood->right, stood->bottom};
    place.showCmd = stood->maximised ? SW_SHOWMAXIMIZED : SW_HIDE;
    SetWindowPlacement(handle_, &place);
}

void MainWindow::SaveSettings() {
    if (settings == nullptr)
        return;
    form.SaveSettings(*settings);
    settings->Write(kLyricsHeightKey, std::to_string(lyricsHeight));
    WINDOWPLACEMENT place{};
    place.length = sizeof place;
    if (!GetWindowPlacement(handle_, &place))
        return;
    const RECT& rect = place.rcNormalPosition;
    settings->Write(kPlacementKey, WindowPlaceText({rect.left, rect.top, rect.right, rect.bottom,
                                                    place.showCmd == SW_SHOWMAXIMIZED}));
}

void MainWindow::ClearRows() {
    fileListView->Clear();
    fileListView->FillWidth();
}

void MainWindow::AddRows(std::span<const FileRow> rows) {
    SendMessageW(fileListView->Handle(), WM_SETREDRAW, FALSE, 0);
    for (const FileRow& row : rows)
        fileListView->AddRow(RowTexts(row), row.GoodMark());
    SendMessageW(fileListView->Handle(), WM_SETREDRAW, TRUE, 0);
    fileListView->FillWidth(); // a scroll bar may have come
    InvalidateRect(fileListView->Handle(), nullptr, TRUE);
}

void MainWindow::ShowLyricsCells(std::span<const LyricsCell> cells) {
    for (const LyricsCell& cell : cells)
        fileListView->SetText(static_cast<int>(cell.row), static_cast<int>(kLyricsColumn),
                              cell.text);
}

std::vector<std::size_t> MainWindow::SelectedRows() const {
    return fileListView->SelectedRows();
}

void MainWindow::ShowProgress(int position, int maximum) {
    SendMessageW(ProgressBar1, PBM_SETRANGE32, 0, maximum);
    SendMessageW(ProgressBar1, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    ShowWindow(ProgressBar1, SW_SHOWNA);
}

void MainWindow::HideProgress() {
    ShowWindow(ProgressBar1, SW_HIDE);
}

void MainWindow::ShowStatus(const StatusText& status) {
    const std::string text = FitStatus(status);
    SendMessageW(StatusBar1, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(Wide(text).c_str()));
    UpdateWindow(StatusBar1);
}

// As it fits the first panel in the status bar's font, within its borders.
std::string MainWindow::FitStatus(const StatusText& status) const {
    HDC dc = GetDC(StatusBar1);
    const HGDIOBJ before =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(StatusBar1, WM_GETFONT, 0, 0)));
    const int room = kStatusPanelWidth - 4 * GetSystemMetrics(SM_CXEDGE);
    std::string fitted = lyricast::FittedStatus(
        status, PathRules::Native(), "...", [dc, room](const std::string& text) {
            const std::wstring shown = Wide(text);
            SIZE size{};
            GetTextExtentPoint32W(dc, shown.c_str(), static_cast<int>(shown.size()), &size);
            return size.cx <= room;
        });
    SelectObject(dc, before);
    ReleaseDC(StatusBar1, dc);
    return fitted;
}

void MainWindow::ShowCounts(const std::string& text) {
    SendMessageW(StatusBar1, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(Wide(text).c_str()));
}

void MainWindow::ShowConvertCaption(const std::string& caption) {
    SetText(LMDButton3, caption);
}

bool MainWindow::ShowSummary(const BatchSummary& told, const std::string& /*folder*/,
                             const std::function<void()>& saveReport) {
    SummaryDialog summary(told);
    summary.onSaveReport = [this, &saveReport] { CallHandler(*this, saveReport); };
    summary.Run(handle_);
    return summary.OpenFolderChosen();
}

ExistingAnswer MainWindow::AskAboutExisting(const std::string& question) {
    return askExisting(handle_, question);
}

void MainWindow::ShowMessage(const std::string& text) {
    MessageBoxW(handle_, Wide(text).c_str(), Wide(kApplicationTitle).c_str(),
                MB_ICONINFORMATION | MB_OK);
}

void MainWindow::ShowError(const std::string& text) {
    ShowErrorBox(handle_, text);
}

std::string MainWindow::CurrentFolder() const {
    return DirectoryListBox1->core.Directory();
}

void MainWindow::ShowFolder(const std::string& folder) {
    DirectoryListBox1->core.SetDirectory(folder);
}

void MainWindow::StartWorker(std::function<void()> work) {
    workers_->Start(std::move(work));
}

void MainWindow::PostToUi(std::function<void()> step) {
    workers_->Post(std::move(step));
}

void MainWindow::RunWaitingSteps() {
    workers_->RunSteps([this](const std::function<void()>& step) { CallHandler(*this, step); });
}

void MainWindow::WaitForWorkers() {
    workers_->WaitAll();
}

// The system's dialog starts where it likes: it has no start folder of its own.
std::optional<std::string> MainWindow::AskFolder(const std::string& title,
                                                 const std::string& /*start*/) {
    return chooseFolder(handle_, title);
}

// Over whichever box of the window is open: the summary that asks for it.
std::optional<std::string> MainWindow::AskSaveFile(const std::string& title,
                                                   const std::string& suggested) {
    return chooseSaveFile(GetLastActivePopup(handle_), title, suggested);
}

void MainWindow::ShowOutputDialog() {
    if (outPathForm != nullptr)
        outPathForm->Run(handle_);
}

void MainWindow::ShowLyricStyleDialog() {
    LyricStyleDialog dialog(form);
    dialog.Run(handle_);
}

void MainWindow::ShowAbout() {
    ShowAboutBox(handle_);
}

void MainWindow::CloseWindow() {
    SendMessageW(handle_, WM_CLOSE, 0, 0);
}

void MainWindow::OpenDocument(const std::string& path) {
    shellOpen(path);
}

bool MainWindow::OpenInFileManager(const std::string& folder) {
    return fileManager(folder);
}

} // namespace lyricast

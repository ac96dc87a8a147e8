#pragma once

#include "ui/win32/FileListView.h"
#include "ui/win32/LyricsPaneWindow.h"
#include "ui/win32/MainLayout.h"
#include "ui/win32/MainMenu.h"
#include "ui/win32/Workers.h"
#include "ui/win32/pane/DriveBox.h"
#include "ui/win32/pane/FolderList.h"
#include "window/MainFormView.h"
#include "window/Settings.h"
#include "window/TMainForm.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>

namespace lyricast {

class OutPathDialog;

// The program's main window on the Win32 API: the folder pane on the left,
// the splitter, the scanned files on the right, the progress bar and the
// convert button below, the status bar at the bottom. It draws what `form`
// decides and reports what the user does. Created hidden; Show shows it, and
// closing it hides it again and ends the message loop.
class MainWindow : public MainFormView {
public:
    enum ControlId {
        kDriveComboBox1 = 200,
        kDirectoryListBox1,
        kFileListView,
        kProgressBar1,
        kLMDButton3,
        kStatusBar1,
        kLyricsPane = 300, // its children's first id
        kCodePageBox = kLyricsPane + 2
    };

    MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;
    virtual ~MainWindow();

    HWND Handle() const { return handle_; }
    void Show(int how);

    TMainForm form;
    OutPathDialog* outPathForm = nullptr; // set by the start-up once the dialog exists
    // Ends the program's message loop when the window closes.
    bool quitOnClose = false;
    // Opens a document with the desktop; tests put a recorder here.
    std::function<void(const std::string&)> shellOpen;
    // Opens a folder in the desktop's file manager, false when there is
    // none; tests put a recorder here.
    std::function<bool(const std::string&)> fileManager;
    // The system's folder dialog (owner, title); tests put an answer here.
    std::function<std::optional<std::string>(HWND, const std::string&)> chooseFolder;
    // The system's save dialog (owner, title, suggested path); tests put an answer here.
    std::function<std::optional<std::string>(HWND, const std::string&, const std::string&)>
        chooseSaveFile;
    // The question about files that are there (owner, question); tests put an answer here.
    std::function<ExistingAnswer(HWND, const std::string&)> askExisting;
    // Where the settings and the window's placement are kept.
    SettingsStore* settings = nullptr;
    void RestoreSettings();
    void SaveSettings();
    // The window's keys (F1, F5, Esc, Ctrl+O): true when `message` was one.
    bool TranslateKeys(MSG& message);

    std::unique_ptr<DriveBox> DriveComboBox1;
    std::unique_ptr<FolderList> DirectoryListBox1;
    std::unique_ptr<FileListView> fileListView;
    std::unique_ptr<LyricsPaneWindow> lyricsPane;
    HWND ProgressBar1 = nullptr;
    HWND LMDButton3 = nullptr;
    HWND StatusBar1 = nullptr;

    // MainFormView
    void ClearRows() override;
    void AddRows(std::span<const FileRow> rows) override;
    void ShowLyricsCells(std::span<const LyricsCell> cells) override;
    std::vector<std::size_t> SelectedRows() const override;
    void ShowProgress(int position, int maximum) override;
    void HideProgress() override;
    void ShowStatus(const StatusText& status) override;
    void ShowCounts(const std::string& text) override;
    void ShowConvertCaption(const std::string& caption) override;
    void ShowMessage(const std::string& text) override;
    void ShowError(const std::string& text) override;
    bool ShowSummary(const BatchSummary& summary, const std::string& folder,
                     const std::function<void()>& saveReport) override;
    ExistingAnswer AskAboutExisting(const std::string& question) override;
    std::string CurrentFolder() const override;
    void ShowFolder(const std::string& folder) override;
    void StartWorker(std::function<void()> work) override;
    void PostToUi(std::function<void()> step) override;
    void WaitForWorkers() override;
    std::optional<std::string> AskFolder(const std::string& title,
                                         const std::string& start) override;
    std::optional<std::string> AskSaveFile(const std::string& title,
                                           const std::string& suggested) override;
    void ShowOutputDialog() override;
    void ShowLyricStyleDialog() override;
    void ShowAbout() override;
    void CloseWindow() override;
    void OpenDocument(const std::string& path) override;
    bool OpenInFileManager(const std::string& folder) override;

    // Where the parts are now, and the left pane's width the splitter gives.
    MainLayout Layout() const;
    int leftWidth = kLeftPaneWidth;
    int lyricsHeight = kLyricsPaneHeight; // the lyrics pane's, as its splitter gives it

private:
    static void RegisterWindowClass();
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Receive(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    void LayOut();
    void Command(int id, int code);
    std::optional<LRESULT> Notify(const NMHDR& header);
    void FolderListEnter();
    void MenuEntryChosen(void (TMainForm::*handler)());
    void Paint();
    bool SplitterMouse(UINT message, LPARAM lParam);
    void DragSplitter(int x, int y);
    void SelectionChanged();
    void FirstShow();
    void FilesDropped(HDROP drop);
    void RunWaitingSteps();
    std::string FitStatus(const StatusText& status) const;

    HWND handle_ = nullptr;
    std::optional<Workers> workers_;
    bool shown_ = false;
    enum class Dragging { None, Folders, Lyrics };
    Dragging dragging_ = Dragging::None;
    int grip_ = 0;                  // where on the lyrics pane's bar the mouse holds it
    bool selectionPending_ = false; // a change of the list's selection waits to be told
    HACCEL keys_ = nullptr;
};

} // namespace lyricast

#pragma once

#include "window/MainFormView.h"
#include "window/TMainForm.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <utility>
#include <vector>

class QAction;
class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class QSplitter;
class QThread;

namespace lyricast {

class FileListView;
class LyricsPaneWidget;
class OutPathDialog;
class QtSettingsStore;
class TAboutBox;
class TDirectoryListBox;
class TDriveComboBox;
class TFileListBox;
struct MenuEntry;

// The program's main window in Qt: the menu bar, the folder pane on the
// left, the scanned files on the right, the convert button and progress bar
// below, the status bar at the bottom. It draws what `form` decides and
// reports what the user does; the widgets keep the names of the window's
// design, and the menus and actions those of MainMenu.
class MainWindow : public QMainWindow, public MainFormView {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    TMainForm form;

    QFrame* LMDPanelFill1 = nullptr;
    QFrame* Panel1 = nullptr;
    TDriveComboBox* DriveComboBox1 = nullptr;
    QFrame* Panel2 = nullptr;
    TDirectoryListBox* DirectoryListBox1 = nullptr;
    TFileListBox* FileListBox1 = nullptr;
    QSplitter* Splitter2 = nullptr;
    QFrame* LMDPanelFill3 = nullptr;
    FileListView* fileListView = nullptr;
    QSplitter* lyricsSplitter = nullptr; // the file list above, the lyrics pane below
    LyricsPaneWidget* lyricsPane = nullptr;
    QFrame* LMDPanelFill2 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QFrame* LMDPanelFill4 = nullptr;
    QPushButton* LMDButton3 = nullptr;
    QLabel* StatusBar1 = nullptr; // the status bar's first panel
    QLabel* StatusBar2 = nullptr; // what the last scan found
    TAboutBox* LMDAboutDlg1 = nullptr;
    OutPathDialog* outPathForm = nullptr; // set by the start-up once the dialog exists

    // Opens a document with the desktop; tests put a recorder here.
    std::function<void(const std::string&)> shellOpen;
    // Opens a folder in the desktop's file manager, false when there is
    // none; tests put a recorder here.
    std::function<bool(const std::string&)> fileManager;
    // The desktop's folder dialog (title, start); empty when cancelled.
    // Tests put an answer here.
    std::function<QString(const QString&, const QString&)> askFolder;
    // The desktop's save dialog (title, suggested path); empty when cancelled.
    // Tests put an answer here.
    std::function<QString(const QString&, const QString&)> askSaveFile;

    // What the window remembers between runs: the core's choices, and the
    // window's geometry, the splitter and the list's column widths.
    void RestoreSettings(QtSettingsStore& store);
    void SaveSettings(QtSettingsStore& store);

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

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateMenus();
    void CreateLeftPane();
    void CreateListPane();
    void RestoreColumns(const QByteArray& state);
    void CreateBottomBar();
    void CreateStatusBar();
    void SetTabOrder();
    void ShowMenuChecks();

    bool shown_ = false;
    std::vector<QPointer<QThread>> workers_;
    std::vector<std::pair<const MenuEntry*, QAction*>> checkedEntries_;
};

} // namespace lyricast

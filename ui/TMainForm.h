#pragma once

#include "engine/TSmfFile.h"
#include "scan/ScanTarget.h"

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QSplitter;
class QStyleOptionViewItem;

namespace lyricast {

class FileListView;
class FileScanning;
class TAboutBox;
class TDirectoryListBox;
class TDriveComboBox;
class TFileListBox;
class ToutPathForm;

// The program's main window: the folder pane on the left, the scanned files
// on the right, the convert button and progress bar below, the status bar at
// the bottom. It owns the one song object that scans and conversions share.
class TMainForm : public QMainWindow, public ScanTarget {
    Q_OBJECT
public:
    static constexpr int kScanSlots = 16;

    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    // Waits for every scan still running to end. Call once the event loop is over.
    void FinishScans();

    QString programFolder;
    int scanIndex = 0;
    // A slot stays taken after its scan has ended and released itself; the
    // guarded pointer then reads null, so a stop never reaches a released scan.
    struct ScanSlot {
        bool taken = false;
        QPointer<FileScanning> scan;
    };
    std::array<ScanSlot, kScanSlots> scanThreads;
    std::unique_ptr<TSmfFile> smfFile;
    QString outputFolder;

    QMenu* File1 = nullptr;
    QAction* Exit1 = nullptr;
    QMenu* Options1 = nullptr;
    QAction* ShowOnlyKAR1 = nullptr;
    QAction* SelectDestinationFolder1 = nullptr;
    QAction* subDir = nullptr;
    QMenu* Help1 = nullptr;
    QAction* Help2 = nullptr;
    QAction* About1 = nullptr;

    QFrame* LMDPanelFill1 = nullptr;
    QFrame* Panel1 = nullptr;
    TDriveComboBox* DriveComboBox1 = nullptr;
    QFrame* Panel2 = nullptr;
    TDirectoryListBox* DirectoryListBox1 = nullptr;
    TFileListBox* FileListBox1 = nullptr;
    QSplitter* Splitter2 = nullptr;
    QFrame* LMDPanelFill3 = nullptr;
    FileListView* fileListView = nullptr;
    QFrame* LMDPanelFill2 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QFrame* LMDPanelFill4 = nullptr;
    QPushButton* LMDButton3 = nullptr;
    QLabel* StatusBar1 = nullptr;  // the status bar's one panel
    TAboutBox* LMDAboutDlg1 = nullptr;
    ToutPathForm* outPathForm = nullptr;  // set by the start-up once the dialog exists

    // Opens a document with the desktop; tests put a recorder here.
    std::function<void(const std::string&)> shellOpen;

    void FormCreate();
    void FormShow();
    void FormDestroy();
    void DirectoryListBox1DblClick();
    void DirectoryListBox1Change();
    void FileListBox1Change();
    void fileListViewCustomDrawItem(int goodMark, QStyleOptionViewItem& option);
    void ShowOnlyKAR1Click();
    void subDirClick();
    void SelectDestinationFolder1Click();
    void Help2Click();
    void About1Click();
    void Exit1Click();
    void LMDButton3Click();

    // What a scan reads and fills.
    std::string ScanRoot() const override;
    bool IncludeSubDir() const override;
    void ShowStatus(const QString& text) override;
    void AddScanRow(const std::string& caption, const std::string& extension, const Judgement& judgement) override;
    TSmfFile& ScanSong() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateMenus();
    QAction* AddMenuEntry(QMenu* menu, const char* name, const char* caption, void (TMainForm::*handler)());
    void CreateLeftPane();
    void CreateListPane();
    void CreateBottomBar();
    void CreateStatusBar();
    void StopScans();

    bool shown_ = false;
};

} // namespace lyricast

#pragma once

#include "engine/TSmfFile.h"
#include "window/MainFormView.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace lyricast {

class FileScanning;
class ToutPathForm;

// The colour a row of the file list is drawn in.
struct RowColour {
    int red, green, blue;
    bool operator==(const RowColour&) const = default;
};

// What the main window decides: the folder scans and their ring, the rows
// they fill, the batch conversion, the options and the menu's actions. A
// toolkit's window shows it through MainFormView and calls the handlers
// below (through CallHandler) when the user acts.
class TMainForm {
public:
    static constexpr int kScanSlots = 16;

    explicit TMainForm(MainFormView& view);
    TMainForm(const TMainForm&) = delete;
    TMainForm& operator=(const TMainForm&) = delete;
    ~TMainForm();

    // A slot stays taken after its scan has ended; the weak reference then
    // reads empty, so a stop never reaches a scan that is gone.
    struct ScanSlot {
        bool taken = false;
        std::weak_ptr<FileScanning> scan;
    };

    std::string programFolder;  // with its closing separator
    int scanIndex = 0;
    std::array<ScanSlot, kScanSlots> scanThreads;
    std::unique_ptr<TSmfFile> smfFile;
    std::string outputFolder;
    bool showOnlyKar = true;  // "Show Only  KAR"
    bool subDir = false;      // "Include Sub Dir"
    ToutPathForm* outPathForm = nullptr;  // set by the start-up once the dialog exists
    std::vector<FileRow> rows;            // the file list's rows, in list order
    int progressMaximum = 100;            // kept between batches, as a progress bar keeps it

    void FormCreate();
    void FormShow(const std::string& programFolderPath);
    void FormDestroy();

    void DirectoryListBox1DblClick();
    void DirectoryListBox1Change();
    void FileListBox1Change();
    static RowColour fileListViewCustomDrawItem(int goodMark);
    void ShowOnlyKAR1Click();
    void subDirClick();
    void SelectDestinationFolder1Click();
    void Help2Click();
    void About1Click();
    void Exit1Click();
    void LMDButton3Click();

    // One scan's walk, run on the UI thread by the scan's worker.
    void ScanFolder(FileScanning& scan);
    // Asks every scan still alive to stop; nothing waits for them (a walk may
    // be running below the caller).
    void StopScans();
    // Stops every scan still alive and waits for their workers to end; only
    // once no walk can be below the caller (the event loop is over).
    void FinishScans();
    bool ScanRunning() const;

private:
    void CheckFile(FileScanning& scan, const std::string& path, const std::string& extension);

    MainFormView& view_;
    std::vector<std::weak_ptr<FileScanning>> liveScans_;
};

} // namespace lyricast

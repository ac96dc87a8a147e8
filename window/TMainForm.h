#pragma once

#include "convert/LyricStyle.h"
#include "window/MainFormView.h"
#include "window/UnreadFolders.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lyricast {

class DirectoryListBox;
class FileScanning;
class LyricsPane;
class LyricsPass;
struct LyricsFound;
class SettingsStore;
class ToutPathForm;
struct BatchRun;
struct ConversionJob;

// The colour a row of the file list is drawn in.
struct RowColour {
    int red, green, blue;
    bool operator==(const RowColour&) const = default;
};

// What the main window decides: the folder scans and their ring, the rows
// they fill, the batch conversion, the options and the menu's actions. A
// toolkit's window shows it through MainFormView and calls the handlers
// below (through CallHandler) when the user acts. Scans and batches run on
// worker threads and hand each step to the UI thread, so the window answers
// while they work.
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

    std::string programFolder; // with its closing separator
    std::string startFolder;   // where the program started: relative paths are read against it
    int scanIndex = 0;
    std::array<ScanSlot, kScanSlots> scanThreads;
    std::string outputFolder;
    bool showOnlyKar = true;             // "Show Only  KAR"
    std::atomic<bool> subDir{false};     // "Include Sub Dir", read by the walk on its own thread
    ToutPathForm* outPathForm = nullptr; // set by the start-up once the dialog exists
    std::vector<FileRow> rows;           // the file list's rows, in list order
    int progressMaximum = 100;           // kept between batches, as a progress bar keeps it
    unsigned jobs = 0;                   // files converted at once; 0: one per core
    LyricStyle lyricStyle;               // how a batch writes the words

    // Takes the folder of the program's own file.
    void FormShow(const std::string& programFile);

    // The folder list's double-click and Enter both open the folder and scan it.
    void LinkFolderList(DirectoryListBox& list);
    void DirectoryListBox1DblClick();
    void DirectoryListBox1Change();
    static RowColour fileListViewCustomDrawItem(int goodMark);
    // What a selected row is drawn on, so that its text keeps its colour and
    // stays readable: a light blue.
    static RowColour SelectedRowFill() { return {204, 228, 255}; }
    void fileListViewColumnClick(int column);
    void ShowOnlyKAR1Click();
    void subDirClick();
    void SelectDestinationFolder1Click();
    // Options > Lyric Style...: the dialog that chooses lyricStyle.
    void LyricStyle1Click();
    // The style the next batch writes in; the Lyrics column and the lyrics
    // pane are read again in it.
    void ChooseLyricStyle(const LyricStyle& style);
    // The lyrics pane below the file list, set by the window once it exists.
    void LinkLyricsPane(LyricsPane& pane);
    // The file list's selection changed: the pane shows the one song selected.
    void fileListViewSelectItem();
    void Help2Click();
    void About1Click();
    void Exit1Click();
    void LMDButton3Click();
    // The convert button's caption: while a batch runs it stops the batch.
    std::string LMDButton3Caption() const;
    // File > Open Folder...: asks for a folder, opens and scans it.
    void OpenFolder1Click();
    // File > Stop: stops the batch or the scan that is running.
    void Stop1Click();

    // Opens a folder the user named another way (File > Open Folder, a
    // folder dropped on the window, the command line) and scans it.
    void OpenFolder(const std::string& folder);
    // Lists just these files (dropped on the window, or on the command line).
    void ListFiles(std::vector<std::string> files);
    // What was dropped on the window, or named on the command line, each
    // path read against the start folder: one folder is opened and scanned,
    // anything else is listed as files.
    void OpenPaths(std::vector<std::string> paths);
    bool Converting() const { return batch_ != nullptr; }

    // What is remembered between runs: the folder, the options and the output choices.
    void RestoreSettings(const SettingsStore& store);
    void SaveSettings(SettingsStore& store) const;
    // The folder pane was taken to a folder remembered from the last run.
    bool FolderRestored() const { return folderRestored_; }

    // One scan, run by its worker thread.
    void ScanFolder(FileScanning& scan);
    // Stops every scan and the batch; nothing waits for them.
    void StopWork();
    // Stops them and waits for their workers to end; only once the event
    // loop is over, so that no step is left waiting for the UI thread.
    void FinishWork();
    bool ScanRunning() const;
    // Every "Good" row's Lyrics column has been read.
    bool LyricsColumnComplete() const;

private:
    void StartScan(std::shared_ptr<FileScanning> scan);
    void StartWorker(const std::shared_ptr<FileScanning>& scan);
    void ShowScanRows(FileScanning& scan, std::vector<FileRow>& found,
                      std::vector<UnreadFolder>& unread);
    void ScanFinished(FileScanning& scan);
    void ForgetRows();
    void StartLyricsPass();
    void StopLyricsPass();
    void ShowLyricsFound(const LyricsPass& pass, std::vector<LyricsFound>& found);
    void ReadSelectedLyrics(const std::string& path);
    std::string ScanCounts() const;
    void ListAgain();
    ConversionJob JobOf(const FileRow& row, const std::optional<std::string>& folder,
                        bool keepTree) const;
    void StartBatch(const std::vector<std::size_t>& selected);
    void StartBatchWorker(const std::shared_ptr<BatchRun>& batch, std::function<void()> work);
    void PlanBatch(const std::shared_ptr<BatchRun>& batch);
    void AskAboutExisting(const std::shared_ptr<BatchRun>& batch);
    void RunBatch(const std::shared_ptr<BatchRun>& batch);
    void BatchStep(BatchRun& batch, std::size_t index);
    void BatchDone(BatchRun& batch);
    std::string SummaryFolder(const BatchRun& batch) const;
    void SaveReport(const BatchRun& batch);

    MainFormView& view_;
    std::vector<std::weak_ptr<FileScanning>> liveScans_;
    std::vector<UnreadFolder> unreadFolders_; // by the scan whose rows are shown
    std::shared_ptr<BatchRun> batch_;
    LyricsPane* lyricsPane_ = nullptr;
    std::shared_ptr<LyricsPass> lyricsPass_; // kept once done, until the rows go
    std::vector<std::size_t> rowOfSerial_;   // each row's index in `rows`, by its serial
    std::uint64_t lyricsRequest_ = 0;        // the pane's latest reading; older ones are dropped
    int sortColumn_ = -1;
    bool sortAscending_ = true;
    bool folderListed_ = false; // the rows shown are a folder's, not files named one by one
    bool folderRestored_ = false;
};

} // namespace lyricast

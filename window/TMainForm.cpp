#include "window/TMainForm.h"

#include "convert/BatchReport.h"
#include "convert/ExistingOutputs.h"
#include "convert/KeptTree.h"
#include "convert/MemoryBudget.h"
#include "convert/OutputNaming.h"
#include "scan/FileJudgement.h"
#include "scan/FolderWalk.h"
#include "window/AbsolutePath.h"
#include "window/BatchRun.h"
#include "window/BatchSummary.h"
#include "window/DirectoryListBox.h"
#include "window/ErrorBox.h"
#include "window/FileColumns.h"
#include "window/FileScanning.h"
#include "window/HelpPage.h"
#include "window/LyricStyleText.h"
#include "window/LyricsPane.h"
#include "window/LyricsPass.h"
#include "window/Settings.h"
#include "window/ToutPathForm.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <filesystem>
#include <functional>
#include <new>
#include <thread>
#include <utility>

namespace lyricast {
namespace {

// Rows found by a scan reach the list a few times a second, not one by one:
// drawing each would cost more than finding it.
constexpr auto kRowsEvery = std::chrono::milliseconds(100);

constexpr const char* kConvertCaption = "Convert File/s";
constexpr const char* kStopCaption = "Stop";

bool IsRegularFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

constexpr const char* kFolderKey = "Folder";
constexpr const char* kSubDirKey = "IncludeSubDir";
constexpr const char* kShowOnlyKarKey = "ShowOnlyKAR";
constexpr const char* kSavePathKey = "AlwaysSaveTo";
constexpr const char* kOutputFolderKey = "OutputFolder";
constexpr const char* kIfExistsKey = "IfFileExists";
constexpr const char* kKeepTreeKey = "KeepSubFolders";
constexpr const char* kLyricStyleKey = "LyricStyle";
constexpr const char* kLongestLineKey = "LongestLine";
constexpr const char* kCodePageKey = "LyricsCodePage";

constexpr const char* kReportName = "lyricast-report.csv";

std::optional<bool> ReadFlag(const SettingsStore& store, const char* key) {
    const auto value = store.Read(key);
    if (!value || (*value != "0" && *value != "1"))
        return std::nullopt;
    return *value == "1";
}

// The output folder dialog's choices; a damaged value leaves its choice as it was.
void RestoreOutputChoices(const SettingsStore& store, ToutPathForm& dialog) {
    if (const auto flag = ReadFlag(store, kSavePathKey))
        dialog.Choose(*flag);
    if (const auto text = store.Read(kIfExistsKey))
        if (const auto choice = ExistingChoiceOf(*text))
            dialog.ChooseExisting(*choice);
    if (const auto flag = ReadFlag(store, kKeepTreeKey))
        dialog.ChooseKeepTree(*flag);
}

// Each part on its own: a damaged value leaves that part as it was.
void RestoreLyricStyle(const SettingsStore& store, LyricStyle& style) {
    if (const auto text = store.Read(kLyricStyleKey))
        if (const auto kind = LyricStyleKindOf(*text))
            style.kind = *kind;
    if (const auto text = store.Read(kLongestLineKey))
        if (const auto length = LineLengthOf(*text))
            style.lineLength = *length;
}

} // namespace

TMainForm::TMainForm(MainFormView& view) : view_(view) {}

// The view waits for the workers (FinishWork) before it goes; here they can
// only be told to stop.
TMainForm::~TMainForm() {
    StopWork();
}

void TMainForm::FormShow(const std::string& programFile) {
    programFolder = SourceFolderOf(programFile, PathRules::Native());
}

void TMainForm::LinkFolderList(DirectoryListBox& list) {
    list.OnDblClick = [this] { DirectoryListBox1DblClick(); };
    list.OnEnter = [this] { DirectoryListBox1DblClick(); };
}

void TMainForm::DirectoryListBox1DblClick() {
    DirectoryListBox1Change();
}

void TMainForm::DirectoryListBox1Change() {
    folderListed_ = true;
    StartScan(FileScanning::OfFolder());
}

void TMainForm::OpenFolder(const std::string& folder) {
    view_.ShowFolder(folder);
    DirectoryListBox1Change();
}

void TMainForm::ListFiles(std::vector<std::string> files) {
    if (files.empty())
        return;
    folderListed_ = false;
    StartScan(FileScanning::OfFiles(std::move(files)));
}

void TMainForm::OpenPaths(std::vector<std::string> paths) {
    for (std::string& path : paths)
        path = AbsoluteAgainst(path, startFolder, PathRules::Native());
    std::error_code error;
    if (paths.size() == 1 && std::filesystem::is_directory(paths.front(), error))
        return OpenFolder(paths.front());
    ListFiles(std::move(paths));
}

// Empties the list and starts the scan in the next slot of the ring, asking
// the scan in the current slot to stop first.
void TMainForm::StartScan(std::shared_ptr<FileScanning> scan) {
    view_.ShowProgress(0, progressMaximum);
    ForgetRows();
    unreadFolders_.clear();
    view_.ShowCounts({});
    ScanSlot& current = scanThreads[static_cast<std::size_t>(scanIndex)];
    if (current.taken) {
        if (const auto running = current.scan.lock())
            running->Stop();
        current = {};
        scanIndex = (scanIndex + 1) % kScanSlots;
    }
    scanThreads[static_cast<std::size_t>(scanIndex)] = {true, scan};
    std::erase_if(liveScans_,
                  [](const std::weak_ptr<FileScanning>& alive) { return alive.expired(); });
    liveScans_.push_back(scan);
    // A double-click opens the folder only after its handler has run: the
    // walk takes the folder list's folder once the UI thread is free again.
    view_.PostToUi([this, scan] {
        if (scan->Terminated())
            return;
        if (scan->WalksFolder())
            scan->SetFolder(view_.CurrentFolder());
        scan->SetMidiFilesToo(!showOnlyKar);
        StartWorker(scan);
    });
}

void TMainForm::StartWorker(const std::shared_ptr<FileScanning>& scan) {
    try {
        view_.StartWorker([this, scan] {
            try {
                ScanFolder(*scan);
            } catch (const std::exception& error) {
                view_.PostToUi([this, message = std::string(error.what())] {
                    view_.ShowError(ErrorBoxText(message));
                });
            }
        });
    } catch (const std::exception& error) {
        scan->Stop();
        view_.ShowError(ErrorBoxText(std::string("Cannot start the scan: ") + error.what()));
    }
}

RowColour TMainForm::fileListViewCustomDrawItem(int goodMark) {
    return goodMark != 0 ? RowColour{0, 0, 255} : RowColour{0, 128, 0};
}

// A click on a column's header sorts by it; a second click reverses.
void TMainForm::fileListViewColumnClick(int column) {
    const std::span<const FileColumn> columns = FileColumns();
    if (column < 0 || static_cast<std::size_t>(column) >= columns.size())
        column = 0;
    sortAscending_ = column == sortColumn_ ? !sortAscending_ : true;
    sortColumn_ = column;
    const auto before = columns[static_cast<std::size_t>(column)].before;
    std::stable_sort(rows.begin(), rows.end(), [this, before](const FileRow& a, const FileRow& b) {
        return sortAscending_ ? before(a, b) : before(b, a);
    });
    for (std::size_t index = 0; index < rows.size(); ++index)
        rowOfSerial_[rows[index].serial] = index;
    view_.ClearRows();
    view_.AddRows(rows);
    if (lyricsPane_ != nullptr)
        lyricsPane_->ShowSelection(0);
}

void TMainForm::ShowOnlyKAR1Click() {
    showOnlyKar = !showOnlyKar;
    ForgetRows();
    ListAgain();
}

// The rows go, and with them the reading of their lyrics.
void TMainForm::ForgetRows() {
    StopLyricsPass();
    rows.clear();
    rowOfSerial_.clear();
    view_.ClearRows();
    if (lyricsPane_ != nullptr)
        lyricsPane_->ShowSelection(0);
}

// A walk running reads the check mark at its next folder entry; the folder
// is then listed again, as the option now has it.
void TMainForm::subDirClick() {
    subDir = !subDir;
    ListAgain();
}

// Rows of files named one by one stay as they were: there is no folder to list.
void TMainForm::ListAgain() {
    if (folderListed_)
        DirectoryListBox1Change();
}

void TMainForm::SelectDestinationFolder1Click() {
    view_.ShowOutputDialog();
}

void TMainForm::LyricStyle1Click() {
    view_.ShowLyricStyleDialog();
}

void TMainForm::ChooseLyricStyle(const LyricStyle& style) {
    if (style == lyricStyle)
        return;
    lyricStyle = style;
    // Rows whose column was being read, or was read, are read again in the
    // new style; a scan still running starts the reading when it ends.
    if (lyricsPass_) {
        std::vector<LyricsCell> cleared;
        for (std::size_t index = 0; index < rows.size(); ++index)
            if (std::exchange(rows[index].lyrics, {}).read)
                cleared.push_back({index, {}});
        view_.ShowLyricsCells(cleared);
        StartLyricsPass();
    }
    fileListViewSelectItem();
}

void TMainForm::LinkLyricsPane(LyricsPane& pane) {
    lyricsPane_ = &pane;
    pane.ChooseCodePage(pane.Chosen());
    pane.ShowSelection(0);
}

void TMainForm::fileListViewSelectItem() {
    if (lyricsPane_ == nullptr)
        return;
    ++lyricsRequest_;
    const std::vector<std::size_t> selected = view_.SelectedRows();
    if (selected.size() != 1 || selected.front() >= rows.size())
        return lyricsPane_->ShowSelection(selected.size());
    const FileRow& row = rows[selected.front()];
    if (!row.good)
        return lyricsPane_->ShowBadFile();
    ReadSelectedLyrics(row.path);
}

// The file is read on a worker, as one on a slow disk would hold the window;
// a reading overtaken by another selection is dropped. Without a worker it
// is read here.
void TMainForm::ReadSelectedLyrics(const std::string& path) {
    const std::uint64_t request = lyricsRequest_;
    const LyricStyle style = lyricStyle;
    const auto show = [this, request, style](const std::optional<LyricsPreview>& preview) {
        if (request == lyricsRequest_ && lyricsPane_ != nullptr)
            lyricsPane_->ShowSong(preview, style);
    };
    try {
        view_.StartWorker([this, path, style, show] {
            try {
                view_.PostToUi([show, preview = PreviewLyricsOf(path, style)] { show(preview); });
            } catch (const std::exception&) {
            }
        });
    } catch (const std::exception&) {
        show(PreviewLyricsOf(path, style));
    }
}

// The column of every "Good" row, in list order, read on a worker thread.
void TMainForm::StartLyricsPass() {
    StopLyricsPass();
    std::vector<LyricsPass::Entry> entries;
    for (const FileRow& row : rows)
        if (row.good)
            entries.push_back({row.serial, row.path});
    auto pass = std::make_shared<LyricsPass>(std::move(entries), lyricStyle);
    lyricsPass_ = pass;
    try {
        view_.StartWorker([this, pass] {
            try {
                pass->Run([this, pass](std::vector<LyricsFound> found) {
                    view_.PostToUi([this, pass, found = std::move(found)]() mutable {
                        ShowLyricsFound(*pass, found);
                    });
                });
            } catch (const std::exception&) {
                // Without the memory to go on, the rows not read stay empty.
            }
        });
    } catch (const std::exception&) {
        pass->Stop();
    }
}

void TMainForm::StopLyricsPass() {
    if (lyricsPass_)
        lyricsPass_->Stop();
    lyricsPass_.reset();
}

// What a stopped pass found is dropped: its rows may be gone.
void TMainForm::ShowLyricsFound(const LyricsPass& pass, std::vector<LyricsFound>& found) {
    if (&pass != lyricsPass_.get() || pass.Stopped())
        return;
    std::vector<LyricsCell> cells;
    cells.reserve(found.size());
    for (LyricsFound& one : found) {
        const std::size_t index = rowOfSerial_[one.serial];
        rows[index].lyrics = std::move(one.lyrics);
        cells.push_back({index, rows[index].lyrics.text});
    }
    view_.ShowLyricsCells(cells);
}

bool TMainForm::LyricsColumnComplete() const {
    return std::all_of(rows.begin(), rows.end(),
                       [](const FileRow& row) { return !row.good || row.lyrics.read; });
}

void TMainForm::Help2Click() {
    const std::vector<std::string> pages = HelpPageCandidates(programFolder, PathRules::Native());
    const auto page = std::find_if(pages.begin(), pages.end(), IsRegularFile);
    if (page == pages.end())
        return view_.ShowMessage("Cannot open the help page " + pages.front());
    view_.OpenDocument(*page);
}

void TMainForm::About1Click() {
    view_.ShowAbout();
}

void TMainForm::Exit1Click() {
    view_.CloseWindow();
}

void TMainForm::OpenFolder1Click() {
    if (const auto folder = view_.AskFolder("Open Folder", view_.CurrentFolder()))
        OpenFolder(*folder);
}

// The button converts the selected rows, or stops the batch it started.
void TMainForm::LMDButton3Click() {
    if (batch_)
        return Stop1Click();
    const std::vector<std::size_t> selected = view_.SelectedRows();
    if (selected.empty())
        return view_.ShowMessage("Please select file/s");
    const bool intoFolder = outPathForm != nullptr && outPathForm->savePath;
    // Without a chosen folder the files would land in the root of the drive.
    if (intoFolder && outputFolder.empty())
        return view_.ShowMessage("Please select an output folder");
    StartBatch(selected);
}

// The row's output beside its source, in the one folder, or with the tree
// kept at its place below the one folder.
ConversionJob TMainForm::JobOf(const FileRow& row, const std::optional<std::string>& folder,
                               bool keepTree) const {
    const PathRules& rules = PathRules::Native();
    if (!keepTree)
        return {row.path, OutputPathOf(row.path, folder, rules)};
    return {row.path, TreeOutputPathOf(row.path, row.root, *folder, rules), *folder};
}

// The good rows go to the pool in list order on a worker thread. The bar
// counts every row selected, but a "Bad" row is passed over and does not
// move it, so a batch with bad rows ends with the bar short of its end.
void TMainForm::StartBatch(const std::vector<std::size_t>& selected) {
    const bool intoFolder = outPathForm != nullptr && outPathForm->savePath;
    const std::optional<std::string> folder =
        intoFolder ? std::optional(outputFolder) : std::nullopt;
    const bool keepTree = intoFolder && outPathForm->KeepsTree();
    std::vector<ConversionJob> batchJobs;
    std::vector<std::variant<std::size_t, std::string>> selection;
    for (const std::size_t index : selected) {
        if (index >= rows.size())
            continue;
        if (!rows[index].good) {
            selection.emplace_back(rows[index].path);
            continue;
        }
        selection.emplace_back(batchJobs.size());
        batchJobs.push_back(JobOf(rows[index], folder, keepTree));
    }
    if (batchJobs.empty())
        return view_.ShowMessage("Nothing to convert: the selected files are all \"Bad\".");

    const std::uint64_t memory = MemoryBudget::OfThisMachine();
    auto batch = std::make_shared<BatchRun>(std::move(batchJobs), WorkersFor(jobs, memory), memory,
                                            lyricStyle);
    batch->outputFolder = folder;
    batch->selected = static_cast<int>(selected.size());
    batch->badSkipped = static_cast<int>(selection.size() - batch->jobs.size());
    batch->selection = std::move(selection);
    const ExistingChoice ifExists =
        outPathForm != nullptr ? outPathForm->ifExists : ExistingChoice::Replace;
    batch->existing =
        ifExists == ExistingChoice::Skip ? IfOutputExists::Skip : IfOutputExists::Replace;
    batch->ask = ifExists == ExistingChoice::Ask;
    batch_ = batch;
    progressMaximum = batch->selected;
    view_.ShowProgress(0, progressMaximum);
    view_.ShowConvertCaption(LMDButton3Caption());
    view_.ShowStatus({"Converting : ", batch->jobs.front().source});
    view_.ShowCounts(LyricStyleStatus(lyricStyle));
    StartBatchWorker(batch, [this, batch] { PlanBatch(batch); });
}

// A worker that cannot start ends the batch before it has done anything.
void TMainForm::StartBatchWorker(const std::shared_ptr<BatchRun>& batch,
                                 std::function<void()> work) {
    try {
        view_.StartWorker(std::move(work));
    } catch (const std::exception& error) {
        if (batch_ == batch)
            batch_.reset();
        view_.HideProgress();
        view_.ShowStatus({});
        view_.ShowCounts(ScanCounts());
        view_.ShowConvertCaption(LMDButton3Caption());
        view_.ShowError(ErrorBoxText(std::string("Cannot start the conversion: ") + error.what()));
    }
}

// On the batch's worker thread. Files that are there already are looked for
// before anything is written, and when the user is to be asked about them
// the question goes to the UI thread, whose answer starts the conversion.
// Without the memory to look or to ask, nothing is replaced.
void TMainForm::PlanBatch(const std::shared_ptr<BatchRun>& batch) {
    if (batch->ask) {
        try {
            OutputPlan plan = PlanOutputs(batch->jobs, IfOutputExists::Replace);
            const bool asking = !plan.Replacing().empty();
            batch->plan = std::move(plan);
            if (asking)
                return view_.PostToUi([this, batch] { AskAboutExisting(batch); });
        } catch (const std::bad_alloc&) {
            batch->plan.reset();
            batch->existing = IfOutputExists::Skip;
        }
    }
    RunBatch(batch);
}

// One question for the batch. "Yes to All" and "No to All" also become the
// dialog's choice, so that later batches do as answered without asking.
void TMainForm::AskAboutExisting(const std::shared_ptr<BatchRun>& batch) {
    std::vector<std::string> outputs;
    for (const std::size_t index : batch->plan->Replacing())
        outputs.push_back(*batch->jobs[index].output);
    const ExistingAnswer answer = view_.AskAboutExisting(ExistingQuestionText(outputs));
    const bool replace = answer == ExistingAnswer::Yes || answer == ExistingAnswer::YesToAll;
    if (!replace)
        LeaveExisting(*batch->plan);
    if (answer == ExistingAnswer::YesToAll || answer == ExistingAnswer::NoToAll)
        outPathForm->ChooseExisting(replace ? ExistingChoice::Replace : ExistingChoice::Skip);
    StartBatchWorker(batch, [this, batch] { RunBatch(batch); });
}

// On the batch's worker thread. Its end always reaches the UI thread, so the
// button never stays on "Stop": a batch cut short by a lack of memory ends
// as a stopped one, and the end is handed over again until it goes.
void TMainForm::RunBatch(const std::shared_ptr<BatchRun>& batch) {
    const std::function<void()> done = [this, batch] { BatchDone(*batch); };
    try {
        const ConversionPool::Deliver deliver = [this, batch](std::size_t index,
                                                              const ConversionResult& result) {
            view_.PostToUi([this, batch, index, result] {
                batch->results[index] = result;
                BatchStep(*batch, index);
            });
        };
        if (batch->plan)
            batch->pool.Run(batch->jobs, *batch->plan, deliver);
        else
            batch->pool.Run(batch->jobs, deliver, batch->existing);
    } catch (const std::exception&) {
    }
    for (;;) {
        try {
            return view_.PostToUi(done);
        } catch (const std::bad_alloc&) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
}

void TMainForm::BatchStep(BatchRun& batch, std::size_t index) {
    batch.delivered = index + 1;
    view_.ShowProgress(static_cast<int>(batch.delivered), progressMaximum);
    if (batch.delivered < batch.jobs.size() && !batch.stopped)
        view_.ShowStatus({"Converting : ", batch.jobs[batch.delivered].source});
}

void TMainForm::BatchDone(BatchRun& batch) {
    if (batch_.get() == &batch)
        batch_.reset();
    view_.HideProgress();
    view_.ShowStatus({});
    view_.ShowCounts(ScanCounts());
    view_.ShowConvertCaption(LMDButton3Caption());
    const std::string folder = SummaryFolder(batch);
    if (view_.ShowSummary(SummaryOf(batch.Tally()), folder,
                          [this, &batch] { SaveReport(batch); }) &&
        !view_.OpenInFileManager(folder))
        view_.ShowMessage(NoFileManagerText(folder));
}

// The same report kar2mid writes, of the rows selected; a file that cannot
// be written raises FileError, for the error box.
void TMainForm::SaveReport(const BatchRun& batch) {
    const auto path = view_.AskSaveFile(
        "Save Report", PathRules::Native().Join(SummaryFolder(batch), kReportName));
    if (path)
        WriteReport(*path, batch.ReportRows());
}

// Where the converted files are: the one output folder, or the folder of the
// first file when they went beside their sources.
std::string TMainForm::SummaryFolder(const BatchRun& batch) const {
    if (batch.outputFolder)
        return *batch.outputFolder;
    return SourceFolderOf(batch.jobs.front().source, PathRules::Native());
}

std::string TMainForm::LMDButton3Caption() const {
    return batch_ ? kStopCaption : kConvertCaption;
}

void TMainForm::Stop1Click() {
    if (batch_) {
        batch_->stopped = true;
        batch_->pool.Stop();
        view_.ShowStatus({"Stopping after the files being converted..."});
        return;
    }
    StopLyricsPass();
    for (const std::weak_ptr<FileScanning>& alive : liveScans_) {
        const auto scan = alive.lock();
        if (!scan || scan->Terminated())
            continue;
        scan->Stop();
        view_.ShowStatus({});
        view_.ShowCounts(ScanCounts() + " (stopped)");
    }
}

// On the scan's worker thread: the walk, a verdict per file from its
// headers, and the rows (and the folders it could not read) handed to the UI
// thread in batches.
void TMainForm::ScanFolder(FileScanning& scan) {
    const std::shared_ptr<FileScanning> self = scan.shared_from_this();
    TSmfFile song;
    std::vector<FileRow> found;
    std::vector<UnreadFolder> unread;
    auto handedAt = std::chrono::steady_clock::now();
    const auto hand = [&] {
        if (!found.empty() || !unread.empty())
            view_.PostToUi([this, self, rowsFound = std::move(found),
                            foldersUnread = std::move(unread)]() mutable {
                ShowScanRows(*self, rowsFound, foldersUnread);
            });
        found.clear();
        unread.clear();
        handedAt = std::chrono::steady_clock::now();
    };
    const auto check = [&](const std::string& path, const std::string& extension) {
        if (scan.Terminated())
            return;
        const Judgement judgement = JudgeFile(song, path);
        found.push_back(
            {path, extension, judgement.good, judgement.trackCount,
             scan.WalksFolder() ? scan.Folder() : SourceFolderOf(path, PathRules::Native())});
        if (std::chrono::steady_clock::now() - handedAt >= kRowsEvery)
            hand();
    };
    if (scan.WalksFolder()) {
        WalkHooks hooks{[] {},
                        [this] { return subDir.load(); },
                        [&scan] { return scan.Terminated(); },
                        check,
                        [&unread](const std::string& folder, const std::string& reason) {
                            unread.push_back({folder, reason});
                        },
                        scan.MidiFilesToo()};
        FolderWalk(std::move(hooks), PathRules::Native()).WalkFolder(scan.Folder());
    } else {
        for (const std::string& file : scan.Files())
            check(file, UpperExtensionOf(FileNameOf(file, PathRules::Native())));
    }
    hand();
    view_.PostToUi([this, self] { ScanFinished(*self); });
}

// A scan stopped from outside leaves the window to whoever stopped it.
void TMainForm::ShowScanRows(FileScanning& scan, std::vector<FileRow>& found,
                             std::vector<UnreadFolder>& unread) {
    if (scan.Terminated())
        return;
    unreadFolders_.insert(unreadFolders_.end(), std::make_move_iterator(unread.begin()),
                          std::make_move_iterator(unread.end()));
    if (found.empty())
        return;
    const std::size_t first = rows.size();
    for (FileRow& row : found) {
        row.serial = rowOfSerial_.size();
        rowOfSerial_.push_back(rows.size());
        rows.push_back(std::move(row));
    }
    view_.AddRows(std::span(rows).subspan(first));
    view_.ShowStatus({"Scanning : ", rows.back().path});
}

// The folders the walk could not read are counted, and named once it is over.
void TMainForm::ScanFinished(FileScanning& scan) {
    if (scan.Terminated())
        return;
    scan.Stop();
    view_.ShowStatus({});
    view_.ShowCounts(ScanCounts());
    StartLyricsPass();
    if (!unreadFolders_.empty())
        view_.ShowMessage(UnreadFoldersText(unreadFolders_));
}

std::string TMainForm::ScanCounts() const {
    const auto good =
        std::count_if(rows.begin(), rows.end(), [](const FileRow& row) { return row.good; });
    std::string counts = ScanCountsText(rows.size(), static_cast<std::size_t>(good));
    if (!unreadFolders_.empty())
        counts += ", " + UnreadFoldersCount(unreadFolders_.size());
    return counts;
}

void TMainForm::StopWork() {
    StopLyricsPass();
    for (const std::weak_ptr<FileScanning>& alive : liveScans_)
        if (const auto scan = alive.lock())
            scan->Stop();
    if (batch_) {
        batch_->stopped = true;
        batch_->pool.Stop();
    }
}

void TMainForm::FinishWork() {
    StopWork();
    view_.WaitForWorkers();
    liveScans_.clear();
    batch_.reset();
}

bool TMainForm::ScanRunning() const {
    return std::any_of(liveScans_.begin(), liveScans_.end(),
                       [](const std::weak_ptr<FileScanning>& alive) { return !alive.expired(); });
}

// A remembered folder that is gone leaves the folder pane where it starts.
void TMainForm::RestoreSettings(const SettingsStore& store) {
    if (const auto flag = ReadFlag(store, kSubDirKey))
        subDir = *flag;
    if (const auto flag = ReadFlag(store, kShowOnlyKarKey))
        showOnlyKar = *flag;
    if (const auto folder = store.Read(kOutputFolderKey))
        outputFolder = *folder;
    RestoreLyricStyle(store, lyricStyle);
    if (const auto key = store.Read(kCodePageKey); key && lyricsPane_ != nullptr)
        if (const auto page = CodePageOfKey(*key))
            lyricsPane_->ChooseCodePage(*page);
    if (outPathForm != nullptr)
        RestoreOutputChoices(store, *outPathForm);
    if (const auto folder = store.Read(kFolderKey); folder && !folder->empty()) {
        try {
            view_.ShowFolder(*folder);
            folderRestored_ = true;
        } catch (const std::exception&) {
        }
    }
}

void TMainForm::SaveSettings(SettingsStore& store) const {
    store.Write(kFolderKey, view_.CurrentFolder());
    store.Write(kSubDirKey, subDir ? "1" : "0");
    store.Write(kShowOnlyKarKey, showOnlyKar ? "1" : "0");
    store.Write(kSavePathKey, outPathForm != nullptr && outPathForm->savePath ? "1" : "0");
    store.Write(kOutputFolderKey, outputFolder);
    store.Write(kLyricStyleKey, LyricStyleKey(lyricStyle.kind));
    store.Write(kLongestLineKey, std::to_string(lyricStyle.lineLength));
    if (lyricsPane_ != nullptr)
        store.Write(kCodePageKey, CodePageKey(lyricsPane_->Chosen()));
    if (outPathForm != nullptr) {
        store.Write(kIfExistsKey, ExistingChoiceText(outPathForm->ifExists));
        store.Write(kKeepTreeKey, outPathForm->keepTree ? "1" : "0");
    }
}

} // namespace lyricast

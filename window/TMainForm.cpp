#include "window/TMainForm.h"

#include "convert/ConvertSong.h"
#include "convert/OutputNaming.h"
#include "scan/FileJudgement.h"
#include "scan/FolderWalk.h"
#include "window/AppInfo.h"
#include "window/FileScanning.h"
#include "window/HelpPage.h"
#include "window/ToutPathForm.h"

#include <algorithm>
#include <filesystem>
#include <optional>

namespace lyricast {

TMainForm::TMainForm(MainFormView& view) : view_(view) { FormCreate(); }

// The view waits for the scans (FinishScans) before it goes; here they can
// only be told to stop.
TMainForm::~TMainForm() {
    StopScans();
    FormDestroy();
}

void TMainForm::FormCreate() {
    smfFile = std::make_unique<TSmfFile>();
    scanIndex = 0;
    scanThreads = {};
}

void TMainForm::FormShow(const std::string& programFolderPath) { programFolder = programFolderPath; }

void TMainForm::FormDestroy() { smfFile.reset(); }

void TMainForm::DirectoryListBox1DblClick() { DirectoryListBox1Change(); }

// Empties the list and starts a scan of the folder list's folder in the next
// slot of the ring, asking the scan in the current slot to stop first.
void TMainForm::DirectoryListBox1Change() {
    view_.ShowProgress(0, progressMaximum);
    rows.clear();
    view_.ClearRows();
    ScanSlot& current = scanThreads[static_cast<std::size_t>(scanIndex)];
    if (current.taken) {
        if (const auto scan = current.scan.lock()) scan->Stop();
        current = {};
        scanIndex = (scanIndex + 1) % kScanSlots;
    }
    auto scan = std::make_shared<FileScanning>();
    scanThreads[static_cast<std::size_t>(scanIndex)] = {true, scan};
    std::erase_if(liveScans_, [](const std::weak_ptr<FileScanning>& alive) { return alive.expired(); });
    liveScans_.push_back(scan);
    view_.StartScanWorker(std::move(scan));
}

void TMainForm::FileListBox1Change() {}

RowColour TMainForm::fileListViewCustomDrawItem(int goodMark) {
    return goodMark != 0 ? RowColour{0, 0, 255} : RowColour{0, 128, 0};
}

void TMainForm::ShowOnlyKAR1Click() {
    showOnlyKar = !showOnlyKar;
    rows.clear();
    view_.ClearRows();
}

// The check mark is all there is: the walk reads it at every folder entry.
void TMainForm::subDirClick() { subDir = !subDir; }

void TMainForm::SelectDestinationFolder1Click() { view_.ShowOutputDialog(); }

// A page that is not there is simply not opened: the desktop would only
// complain on our behalf.
void TMainForm::Help2Click() {
    for (const std::string& page : HelpPageCandidates(programFolder, PathRules::Native())) {
        std::error_code error;
        if (std::filesystem::is_regular_file(page, error)) return view_.OpenDocument(page);
    }
}

void TMainForm::About1Click() { view_.ShowAbout(); }

void TMainForm::Exit1Click() { view_.CloseWindow(); }

// An error of the file layer (a source that cannot be read, an output that
// cannot be written) leaves the handler at once, for the error box; the
// batch stops there, with the status naming the file it stopped at.
void TMainForm::LMDButton3Click() {
    const std::vector<std::size_t> selected = view_.SelectedRows();
    const int count = static_cast<int>(selected.size());
    if (count == 0) return view_.ShowMessage("Please select file/s");
    const bool intoFolder = outPathForm != nullptr && outPathForm->savePath;
    // Without a chosen folder the files would land in the root of the drive.
    if (intoFolder && outputFolder.empty()) return view_.ShowMessage("Please select an output folder");

    int done = 0;
    progressMaximum = count;
    view_.ShowProgress(done, count);
    const std::optional<std::string> folder = intoFolder ? std::optional(outputFolder) : std::nullopt;
    for (const std::size_t index : selected) {
        if (index >= rows.size() || !rows[index].good) continue;
        const std::string& source = rows[index].path;
        view_.ShowStatus("Converting : " + source);
        if (const auto output = OutputPathOf(source, folder, PathRules::Native()))
            (void)ConvertSong(*smfFile, source, *output);
        view_.ShowProgress(++done, count);
    }
    view_.HideProgress();
    view_.ShowStatus({});
}

void TMainForm::ScanFolder(FileScanning& scan) {
    // A scan stopped before it began (a newer scan, the window closing) walks nothing.
    if (!scan.Terminated()) {
        WalkHooks hooks{[this] { view_.ProcessEvents(); },
                        [this] { return subDir; },
                        [&scan] { return scan.Terminated(); },
                        [this, &scan](const std::string& path, const std::string& extension) {
                            CheckFile(scan, path, extension);
                        }};
        FolderWalk(std::move(hooks), PathRules::Native()).WalkFolder(view_.CurrentFolder());
    }
    // A scan stopped from outside leaves the window to whoever stopped it.
    if (scan.Terminated()) return;
    scan.Stop();
    view_.ShowStatus({});
}

void TMainForm::CheckFile(FileScanning& scan, const std::string& path, const std::string& extension) {
    if (scan.Terminated()) return;
    view_.ShowStatus("Scanning : " + path);
    const Judgement judgement = JudgeFile(*smfFile, path);
    rows.push_back({path, extension, judgement.good, judgement.trackCount});
    view_.AddRow(rows.back());
}

void TMainForm::StopScans() {
    for (const std::weak_ptr<FileScanning>& alive : liveScans_)
        if (const auto scan = alive.lock()) scan->Stop();
}

void TMainForm::FinishScans() {
    StopScans();
    view_.WaitForScanWorkers();
    liveScans_.clear();
}

bool TMainForm::ScanRunning() const {
    return std::any_of(liveScans_.begin(), liveScans_.end(),
                       [](const std::weak_ptr<FileScanning>& alive) { return !alive.expired(); });
}

} // namespace lyricast

#pragma once

#include "window/BatchSummary.h"
#include "window/ExistingQuestion.h"
#include "window/FileRow.h"
#include "window/StatusText.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace lyricast {

// A row's new text in the Lyrics column.
struct LyricsCell {
    std::size_t row; // by index into the rows shown
    std::string text;
};

// What the main window's decisions need a toolkit to show or ask. Text is
// handed over as the bytes the system gave; a view decodes it for display.
// Every call is made on the UI thread.
class MainFormView {
public:
    virtual void ClearRows() = 0;
    // Appends rows below those shown, in this order, with the texts of
    // FileColumns and the good mark as each row's data.
    virtual void AddRows(std::span<const FileRow> rows) = 0;
    // The Lyrics column's text of these rows, as the pass after the scan
    // reads their files.
    virtual void ShowLyricsCells(std::span<const LyricsCell> cells) = 0;
    // The selected rows, by index into the rows shown, in list order.
    virtual std::vector<std::size_t> SelectedRows() const = 0;

    virtual void ShowProgress(int position, int maximum) = 0;
    virtual void HideProgress() = 0;
    // The status bar's panel, shown at once, its path shortened in the middle
    // where the whole text does not fit (FittedStatus); and the panel beside
    // it with what the last scan found.
    virtual void ShowStatus(const StatusText& status) = 0;
    virtual void ShowCounts(const std::string& text) = 0;
    // The convert button's caption (TMainForm::LMDButton3Caption).
    virtual void ShowConvertCaption(const std::string& caption) = 0;
    // An information box and an error box, titled with the application's name.
    virtual void ShowMessage(const std::string& text) = 0;
    virtual void ShowError(const std::string& text) = 0;
    // The word at the end of a batch, its details in a pane that scrolls, a
    // button that opens `folder` (true when the user pressed it, which closes
    // the box) and "Save Report..." (which calls `saveReport`, through
    // CallHandler, and leaves the box open).
    virtual bool ShowSummary(const BatchSummary& summary, const std::string& folder,
                             const std::function<void()>& saveReport) = 0;
    // The question about files a batch would write that are there already,
    // with the buttons of ExistingAnswerButtons, kExistingAnswerByDefault's
    // the default; closed without one, it answers that.
    virtual ExistingAnswer AskAboutExisting(const std::string& question) = 0;

    // The folder list's current folder, and a move of the folder pane to
    // another one (raises DirectoryError, the pane left as it was, when it
    // cannot be entered).
    virtual std::string CurrentFolder() const = 0;
    virtual void ShowFolder(const std::string& folder) = 0;

    // Runs `work` on a thread of its own. `step`, from any thread, is run on
    // the UI thread once it is free; never after the window is gone.
    virtual void StartWorker(std::function<void()> work) = 0;
    virtual void PostToUi(std::function<void()> step) = 0;
    // Returns once every worker has ended.
    virtual void WaitForWorkers() = 0;

    // The desktop's folder dialog, titled `title`, starting at `start`;
    // nothing when the user cancels.
    virtual std::optional<std::string> AskFolder(const std::string& title,
                                                 const std::string& start) = 0;
    // The desktop's dialog that asks where to save a file, titled `title`,
    // offering `suggested` (a path); nothing when the user cancels.
    virtual std::optional<std::string> AskSaveFile(const std::string& title,
                                                   const std::string& suggested) = 0;
    virtual void ShowOutputDialog() = 0;
    // The lyric style dialog (TLyricStyleForm), modally.
    virtual void ShowLyricStyleDialog() = 0;
    virtual void ShowAbout() = 0;
    virtual void CloseWindow() = 0;
    // Opens a document in the desktop's program for it.
    virtual void OpenDocument(const std::string& path) = 0;
    // Opens a folder in the desktop's file manager; false when there is none.
    virtual bool OpenInFileManager(const std::string& folder) = 0;

protected:
    ~MainFormView() = default;
};

} // namespace lyricast

#pragma once

#include "window/ErrorBox.h"
#include "window/FileScanning.h"
#include "window/MainFormView.h"
#include "window/OutPathView.h"
#include "window/Settings.h"

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <span>
#include <string>
#include <system_error>
#include <vector>

namespace lyricast::test {

// A main window that draws nothing: it keeps what it was told to show, in
// order, as "what: text" lines, and answers with what the test set up.
// Workers and the steps they hand to the UI thread wait until the test runs
// them (RunWorkers, RunSteps, or both with Settle), so every interleaving is
// the test's to choose.
class FakeMainView final : public MainFormView {
public:
    std::vector<std::string> shown; // every call but the rows, in order
    std::vector<FileRow> rows;
    std::vector<std::string> lyricsColumn; // the Lyrics column's text, a row each
    std::vector<std::size_t> selected;
    std::vector<std::function<void()>> workers; // started, not yet run
    std::vector<std::function<void()>> steps;   // handed to the UI thread, not yet run
    std::vector<std::string> opened;
    std::string folder;
    bool progressVisible = false;
    int progressPosition = 0;
    int progressMaximum = 100;
    bool openFolderInSummary = false;
    bool hasFileManager = true;
    std::optional<std::string> folderAnswer;     // AskFolder's; none: cancelled
    std::optional<BatchSummary> summary;         // the last one shown
    std::vector<ExistingAnswer> existingAnswers; // AskAboutExisting's, in turn; none left: closed
    // AskSaveFile's answers: the summary's "Save Report..." is pressed once for each.
    std::vector<std::optional<std::string>> saveAnswers;
    std::function<void(const std::string&)> onShowFolder = [this](const std::string& to) {
        folder = to;
    };
    bool refuseWorkers = false;  // as a system that starts no more threads
    int postsBeforeFailing = -1; // hand-overs to go before one runs out of memory

    void ClearRows() override {
        rows.clear();
        lyricsColumn.clear();
    }
    void AddRows(std::span<const FileRow> added) override {
        rows.insert(rows.end(), added.begin(), added.end());
        for (const FileRow& row : added)
            lyricsColumn.push_back(row.lyrics.text);
    }
    void ShowLyricsCells(std::span<const LyricsCell> cells) override {
        for (const LyricsCell& cell : cells)
            lyricsColumn.at(cell.row) = cell.text;
    }
    std::vector<std::size_t> SelectedRows() const override { return selected; }
    void ShowProgress(int position, int maximum) override {
        progressVisible = true;
        progressPosition = position;
        progressMaximum = maximum;
        shown.push_back("progress: " + std::to_string(position) + "/" + std::to_string(maximum));
    }
    void HideProgress() override {
        progressVisible = false;
        shown.push_back("progress: hidden");
    }
    void ShowStatus(const StatusText& status) override {
        shown.push_back("status: " + status.Whole());
    }
    void ShowCounts(const std::string& text) override { shown.push_back("counts: " + text); }
    void ShowConvertCaption(const std::string& caption) override {
        shown.push_back("button: " + caption);
    }
    void ShowMessage(const std::string& text) override { shown.push_back("message: " + text); }
    void ShowError(const std::string& text) override { shown.push_back("error: " + text); }
    // The summary's head, then its details a line each, then its folder.
    bool ShowSummary(const BatchSummary& told, const std::string& where,
                     const std::function<void()>& saveReport) override {
        std::string line = "summary: " + told.head;
        for (const std::string& detail : told.details)
            line += "\n" + detail;
        shown.push_back(line + " | " + where);
        summary = told;
        while (!saveAnswers.empty())
            CallHandler(*this, saveReport);
        return openFolderInSummary;
    }
    ExistingAnswer AskAboutExisting(const std::string& question) override {
        shown.push_back("question: " + question);
        if (existingAnswers.empty())
            return kExistingAnswerByDefault;
        const ExistingAnswer answer = existingAnswers.front();
        existingAnswers.erase(existingAnswers.begin());
        return answer;
    }
    std::optional<std::string> AskSaveFile(const std::string& title,
                                           const std::string& suggested) override {
        shown.push_back("save: " + title + " as " + suggested);
        if (saveAnswers.empty())
            return std::nullopt;
        std::optional<std::string> answer = saveAnswers.front();
        saveAnswers.erase(saveAnswers.begin());
        return answer;
    }
    std::string CurrentFolder() const override { return folder; }
    void ShowFolder(const std::string& to) override { onShowFolder(to); }
    void StartWorker(std::function<void()> work) override {
        if (refuseWorkers)
            throw std::system_error(
                std::make_error_code(std::errc::resource_unavailable_try_again));
        workers.push_back(std::move(work));
    }
    void PostToUi(std::function<void()> step) override {
        const std::lock_guard lock(stepsMutex_);
        if (postsBeforeFailing >= 0 && postsBeforeFailing-- == 0)
            throw std::bad_alloc();
        steps.push_back(std::move(step));
    }
    void WaitForWorkers() override { RunWorkers(); }
    std::optional<std::string> AskFolder(const std::string& title,
                                         const std::string& start) override {
        shown.push_back("ask: " + title + " from " + start);
        return folderAnswer;
    }
    void ShowOutputDialog() override { shown.push_back("output dialog"); }
    void ShowLyricStyleDialog() override { shown.push_back("lyric style dialog"); }
    void ShowAbout() override { shown.push_back("about"); }
    void CloseWindow() override { shown.push_back("close"); }
    void OpenDocument(const std::string& path) override { opened.push_back(path); }
    bool OpenInFileManager(const std::string& where) override {
        shown.push_back("file manager: " + where);
        return hasFileManager;
    }

    void RunWorkers() {
        std::vector<std::function<void()>> now;
        now.swap(workers);
        for (const auto& work : now)
            work();
    }
    void RunSteps() {
        std::vector<std::function<void()>> now;
        {
            const std::lock_guard lock(stepsMutex_);
            now.swap(steps);
        }
        for (const auto& step : now)
            step();
    }
    void Settle() {
        while (!workers.empty() || !steps.empty()) {
            RunWorkers();
            RunSteps();
        }
    }

    // The lines shown that start with `what`.
    std::vector<std::string> Shown(const std::string& what) const {
        std::vector<std::string> lines;
        for (const std::string& line : shown)
            if (line.starts_with(what))
                lines.push_back(line);
        return lines;
    }

private:
    std::mutex stepsMutex_; // the batch's pool hands steps over from its own thread
};

// Settings kept in memory.
class FakeSettings final : public SettingsStore {
public:
    std::map<std::string, std::string> values;
    std::optional<std::string> Read(const std::string& key) const override {
        const auto found = values.find(key);
        return found == values.end() ? std::nullopt : std::optional(found->second);
    }
    void Write(const std::string& key, const std::string& value) override { values[key] = value; }
};

// An output dialog whose folder-browse dialog answers with `browseAnswer`.
class FakeOutPathView final : public OutPathView {
public:
    std::optional<std::string> browseAnswer;
    std::string browsedFrom;
    std::vector<std::string> shown;

    std::optional<std::string> BrowseForFolder(const std::string& title,
                                               const std::string& startFolder) override {
        browsedFrom = startFolder;
        shown.push_back("browse: " + title);
        return browseAnswer;
    }
    void ShowChoice(bool savePath, const std::string& folder) override {
        shown.push_back(std::string(savePath ? "always save to: " : "beside the sources: ") +
                        folder);
    }
    void ShowExisting(ExistingChoice choice) override {
        shown.push_back(std::string("if a file exists: ") + ExistingChoiceText(choice));
    }
    void ShowKeepTree(bool checked, bool enabled) override {
        shown.push_back(std::string("keep sub-folders: ") + (checked ? "on" : "off") +
                        (enabled ? "" : ", disabled"));
    }
    void CloseDialog() override { shown.push_back("closed"); }
};

} // namespace lyricast::test

#pragma once

#include "window/ErrorBox.h"
#include "window/FileScanning.h"
#include "window/MainFormView.h"
#include "window/OutPathView.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lyricast::test {

// A main window that draws nothing: it keeps what it was told to show, in
// order, as "what: text" lines, and answers with what the test set up.
class FakeMainView final : public MainFormView {
public:
    std::vector<std::string> shown;  // every call but the rows, in order
    std::vector<FileRow> rows;
    std::vector<std::size_t> selected;
    std::vector<std::shared_ptr<FileScanning>> workers;  // started, not yet run
    std::vector<std::string> opened;
    std::string folder;
    bool progressVisible = false;
    int progressPosition = 0;
    int progressMaximum = 100;
    std::function<void()> onProcessEvents = [] {};

    void ClearRows() override { rows.clear(); }
    void AddRow(const FileRow& row) override { rows.push_back(row); }
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
    void ShowStatus(const std::string& text) override { shown.push_back("status: " + text); }
    void ShowMessage(const std::string& text) override { shown.push_back("message: " + text); }
    void ShowError(const std::string& text) override { shown.push_back("error: " + text); }
    void ProcessEvents() override { onProcessEvents(); }
    std::string CurrentFolder() const override { return folder; }
    void StartScanWorker(std::shared_ptr<FileScanning> scan) override { workers.push_back(std::move(scan)); }
    void WaitForScanWorkers() override { workers.clear(); }
    void ShowOutputDialog() override { shown.push_back("output dialog"); }
    void ShowAbout() override { shown.push_back("about"); }
    void CloseWindow() override { shown.push_back("close"); }
    void OpenDocument(const std::string& path) override { opened.push_back(path); }

    // The lines shown that start with `what`.
    std::vector<std::string> Shown(const std::string& what) const {
        std::vector<std::string> lines;
        for (const std::string& line : shown)
            if (line.starts_with(what)) lines.push_back(line);
        return lines;
    }
};

// An output dialog whose folder-browse dialog answers with `browseAnswer`.
class FakeOutPathView final : public OutPathView {
public:
    std::optional<std::string> browseAnswer;
    std::string browsedFrom;
    std::vector<std::string> shown;

    std::optional<std::string> BrowseForFolder(const std::string& title, const std::string& startFolder) override {
        browsedFrom = startFolder;
        shown.push_back("browse: " + title);
        return browseAnswer;
    }
    void ShowChoice(bool savePath, const std::string& folder) override {
        shown.push_back(std::string(savePath ? "always save to: " : "beside the sources: ") + folder);
    }
    void CloseDialog() override { shown.push_back("closed"); }
};

} // namespace lyricast::test

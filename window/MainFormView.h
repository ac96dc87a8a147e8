#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace lyricast {

class FileScanning;

// One row of the file list: the file's full path as the system gave it, its
// upper-cased extension, the verdict and the track count.
struct FileRow {
    std::string path;
    std::string extension;
    bool good = false;
    std::uint16_t trackCount = 0;
};

// What the main window's decisions need a toolkit to show or ask. Text is
// handed over as the bytes the system gave; a view decodes it for display.
class MainFormView {
public:
    virtual void ClearRows() = 0;
    virtual void AddRow(const FileRow& row) = 0;
    // The selected rows, by index into the rows added, in list order.
    virtual std::vector<std::size_t> SelectedRows() const = 0;

    virtual void ShowProgress(int position, int maximum) = 0;
    virtual void HideProgress() = 0;
    // Shown at once, even while a handler keeps the event loop waiting.
    virtual void ShowStatus(const std::string& text) = 0;
    // An information box and an error box, titled with the application's name.
    virtual void ShowMessage(const std::string& text) = 0;
    virtual void ShowError(const std::string& text) = 0;

    // Lets the toolkit handle the events waiting for the UI thread.
    virtual void ProcessEvents() = 0;
    // The folder list's current folder.
    virtual std::string CurrentFolder() const = 0;
    // Starts the thread that hands this scan's walk to the UI thread.
    virtual void StartScanWorker(std::shared_ptr<FileScanning> scan) = 0;
    // Returns once no scan worker is left, letting the UI answer meanwhile.
    virtual void WaitForScanWorkers() = 0;

    virtual void ShowOutputDialog() = 0;
    virtual void ShowAbout() = 0;
    virtual void CloseWindow() = 0;
    // Opens a document in the desktop's viewer for it.
    virtual void OpenDocument(const std::string& path) = 0;

protected:
    ~MainFormView() = default;
};

} // namespace lyricast

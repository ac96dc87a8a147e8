#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace lyricast {

// One scan for karaoke files: of a folder (and, while "Include Sub Dir" is
// checked, the folders below it), or of files named one by one (dropped on
// the window, or given on its command line). It runs on a worker thread;
// the termination flag is how the window stops it.
class FileScanning : public std::enable_shared_from_this<FileScanning> {
public:
    // A scan of the folder list's folder as it is once the UI thread is back
    // at its event queue: the folder is set then, before the walk begins.
    static std::shared_ptr<FileScanning> OfFolder();
    static std::shared_ptr<FileScanning> OfFiles(std::vector<std::string> files);

    const std::string& Folder() const { return folder_; }
    void SetFolder(std::string folder) { folder_ = std::move(folder); }
    const std::vector<std::string>& Files() const { return files_; }
    bool WalksFolder() const { return files_.empty(); }
    // The walk lists ".MID" and ".MIDI" files beside the karaoke files: set
    // on the UI thread before the walk begins, as "Show Only  KAR" is then.
    void SetMidiFilesToo(bool midi) { midiFilesToo_ = midi; }
    bool MidiFilesToo() const { return midiFilesToo_; }

    // Asks the scan to stop at its next check point; nothing waits for it.
    void Stop() { terminated_.store(true, std::memory_order_relaxed); }
    bool Terminated() const { return terminated_.load(std::memory_order_relaxed); }

private:
    std::string folder_;
    std::vector<std::string> files_;
    bool midiFilesToo_ = false;
    std::atomic<bool> terminated_{false};
};

} // namespace lyricast

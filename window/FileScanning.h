#pragma once

#include <atomic>

namespace lyricast {

// One scan of a folder for karaoke files. A toolkit's worker thread hands
// the walk to the UI thread (TMainForm::ScanFolder) and waits for it; the
// termination flag is the only thing shared between the two threads.
class FileScanning {
public:
    // Asks the walk to stop at its next check point; nothing waits for it.
    void Stop() { terminated_.store(true, std::memory_order_relaxed); }
    bool Terminated() const { return terminated_.load(std::memory_order_relaxed); }

private:
    std::atomic<bool> terminated_{false};
};

} // namespace lyricast

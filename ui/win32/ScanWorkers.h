#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

namespace lyricast {

class FileScanning;

// The scans' threads. Each one sends its scan to the main window as
// kRunScanMessage (the FileScanning in lParam) and so waits until the UI
// thread has walked it; then it lets its scan go and ends.
class ScanWorkers {
public:
    static constexpr UINT kRunScanMessage = WM_APP + 1;

    explicit ScanWorkers(HWND window) : window_(window) {}
    ScanWorkers(const ScanWorkers&) = delete;
    ScanWorkers& operator=(const ScanWorkers&) = delete;
    ~ScanWorkers() { WaitAll(); }

    void Start(std::shared_ptr<FileScanning> scan);
    // Returns once every worker has ended, handling the UI thread's messages
    // meanwhile: a worker may be waiting for its walk to be run.
    void WaitAll();

private:
    struct Worker {
        std::thread thread;
        std::atomic<bool> done{false};
    };

    void JoinEnded();

    HWND window_;
    std::vector<std::unique_ptr<Worker>> workers_;
};

} // namespace lyricast

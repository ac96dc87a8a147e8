#include "ui/win32/ScanWorkers.h"

#include "ui/win32/MessagePump.h"
#include "window/FileScanning.h"

#include <algorithm>

namespace lyricast {

void ScanWorkers::Start(std::shared_ptr<FileScanning> scan) {
    JoinEnded();
    auto worker = std::make_unique<Worker>();
    Worker& started = *worker;
    started.thread = std::thread([window = window_, &started, scan = std::move(scan)]() mutable {
        if (!scan->Terminated())
            SendMessageA(window, kRunScanMessage, 0, reinterpret_cast<LPARAM>(scan.get()));
        scan.reset();
        started.done.store(true);
    });
    workers_.push_back(std::move(worker));
}

void ScanWorkers::WaitAll() {
    PumpUntil([this] {
        return std::all_of(
            workers_.begin(), workers_.end(),
            [](const std::unique_ptr<Worker>& worker) { return worker->done.load(); });
    });
    JoinEnded();
}

void ScanWorkers::JoinEnded() {
    std::erase_if(workers_, [](const std::unique_ptr<Worker>& worker) {
        if (!worker->done.load())
            return false;
        worker->thread.join();
        return true;
    });
}

} // namespace lyricast

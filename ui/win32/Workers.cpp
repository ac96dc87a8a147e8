#include "ui/win32/Workers.h"

namespace lyricast {

void Workers::Start(std::function<void()> work) {
    JoinEnded();
    auto worker = std::make_unique<Worker>();
    Worker& started = *worker;
    started.thread = std::thread([&started, work = std::move(work)] {
        work();
        started.done.store(true);
    });
    workers_.push_back(std::move(worker));
}

bool Workers::Wake() {
    if (!woken_)
        woken_ = PostMessageW(window_, kRunStepMessage, 0, 0) != 0;
    return woken_;
}

void Workers::Post(std::function<void()> step) {
    {
        const std::lock_guard lock(mutex_);
        steps_.push_back(std::move(step));
        if (Wake())
            return;
    }
    if (GetCurrentThreadId() == uiThread_) {
        SetTimer(window_, kRetryTimer, 10, nullptr);
        return;
    }
    // A full queue empties as the UI thread works through it.
    while (IsWindow(window_)) {
        Sleep(10);
        const std::lock_guard lock(mutex_);
        if (steps_.empty() || Wake())
            return;
    }
}

void Workers::RunSteps(const std::function<void(const std::function<void()>&)>& run) {
    KillTimer(window_, kRetryTimer);
    std::deque<std::function<void()>> waiting;
    {
        const std::lock_guard lock(mutex_);
        woken_ = false;
        waiting.swap(steps_);
    }
    for (const std::function<void()>& step : waiting)
        run(step);
}

void Workers::WaitAll() {
    for (const std::unique_ptr<Worker>& worker : workers_)
        if (worker->thread.joinable())
            worker->thread.join();
    workers_.clear();
}

void Workers::JoinEnded() {
    std::erase_if(workers_, [](const std::unique_ptr<Worker>& worker) {
        if (!worker->done.load())
            return false;
        worker->thread.join();
        return true;
    });
}

} // namespace lyricast

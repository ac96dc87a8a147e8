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

void Workers::Post(std::function<void()> step) const {
    auto carried = std::make_unique<std::function<void()>>(std::move(step));
    if (PostMessageA(window_, kRunStepMessage, 0, reinterpret_cast<LPARAM>(carried.get())))
        carried.release(); // the message owns it now
}

void Workers::RunStep(LPARAM message) {
    const std::unique_ptr<std::function<void()>> step(
        reinterpret_cast<std::function<void()>*>(message));
    (*step)();
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

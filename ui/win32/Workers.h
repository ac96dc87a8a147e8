#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

namespace lyricast {

// The window's worker threads, and the way their steps reach the UI thread:
// each step is posted to the main window as kRunStepMessage (a heap copy of
// the step in lParam) and runs when the UI thread handles it.
class Workers {
public:
    static constexpr UINT kRunStepMessage = WM_APP + 1;

    explicit Workers(HWND window) : window_(window) {}
    Workers(const Workers&) = delete;
    Workers& operator=(const Workers&) = delete;
    ~Workers() { WaitAll(); }

    void Start(std::function<void()> work);
    // From any thread; a step that cannot be posted (the window is gone) is dropped.
    void Post(std::function<void()> step) const;
    // Runs the step a kRunStepMessage carries, on the UI thread.
    static void RunStep(LPARAM message);
    // Returns once every worker has ended; they never wait for the UI thread.
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

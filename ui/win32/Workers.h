#pragma once

#include <windows.h>

#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace lyricast {

// The window's worker threads, and the way their steps reach the UI thread:
// steps wait in a queue of their own, in order, and one kRunStepMessage at a
// time tells the window to run what is waiting. A message the system cannot
// post (its queue is full) loses nothing: a worker tries again until it goes,
// and a step from the UI thread is run by a timer instead.
class Workers {
public:
    static constexpr UINT kRunStepMessage = WM_APP + 1;
    static constexpr UINT_PTR kRetryTimer = 0x5354; // "ST"

    explicit Workers(HWND window) : window_(window), uiThread_(GetCurrentThreadId()) {}
    Workers(const Workers&) = delete;
    Workers& operator=(const Workers&) = delete;
    ~Workers() { WaitAll(); }

    void Start(std::function<void()> work);
    // From any thread; steps still waiting when the window is gone are dropped.
    void Post(std::function<void()> step);
    // On the UI thread, for kRunStepMessage and the retry timer: runs every
    // step waiting, each through `run`.
    void RunSteps(const std::function<void(const std::function<void()>&)>& run);
    // Returns once every worker has ended; they never wait for the UI thread.
    void WaitAll();

private:
    struct Worker {
        std::thread thread;
        std::atomic<bool> done{false};
    };

    void JoinEnded();
    // Under the lock: tells the window, unless it has been told already.
    bool Wake();

    HWND window_;
    DWORD uiThread_;
    std::vector<std::unique_ptr<Worker>> workers_;
    std::mutex mutex_;
    std::deque<std::function<void()>> steps_;
    bool woken_ = false; // a kRunStepMessage is on its way
};

} // namespace lyricast

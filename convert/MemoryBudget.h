#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace lyricast {

// The memory the conversions of one run may hold at once, shared by its
// workers: each takes what its file can need before reading it and gives it
// back after, so files that fit one by one never run out together.
class MemoryBudget {
public:
    explicit MemoryBudget(std::uint64_t total) : total_(total) {}

    // What this machine can give, less a margin for everything else the
    // process holds.
    static std::uint64_t OfThisMachine();

    std::uint64_t total() const { return total_; }
    bool CanEverHold(std::uint64_t bytes) const { return bytes <= total_; }

    // Waits until `bytes` fit beside what the others hold; `bytes` must be
    // one that CanEverHold. Whoever holds memory is converting, so the wait ends.
    void Take(std::uint64_t bytes);
    void Give(std::uint64_t bytes);

private:
    const std::uint64_t total_;
    std::mutex mutex_;
    std::condition_variable given_;
    std::uint64_t held_ = 0;
};

// How many files a run converts at once: `asked` (0 for one per core),
// fewer where the budget would not let them all hold a typical song, and
// never more than kMostWorkers.
inline constexpr unsigned kMostWorkers = 64;
unsigned WorkersFor(unsigned asked, std::uint64_t budget);

} // namespace lyricast

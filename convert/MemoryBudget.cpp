#include "convert/MemoryBudget.h"

#include "platform/AvailableMemory.h"

#include <algorithm>
#include <thread>

namespace lyricast {
namespace {

// Room for the rest of the process (the program, its threads' stacks, the
// list of files) and for other programs.
constexpr std::uint64_t kMargin = std::uint64_t{64} << 20;
// What a worker holds for a song of a few minutes, and keeps between files.
constexpr std::uint64_t kTypicalSong = std::uint64_t{32} << 20;

} // namespace

std::uint64_t MemoryBudget::OfThisMachine() {
    const std::uint64_t available = AvailableMemory();
    const std::uint64_t margin = std::max(kMargin, available / 8);
    return available > margin ? available - margin : 0;
}

void MemoryBudget::Take(std::uint64_t bytes) {
    std::unique_lock lock(mutex_);
    given_.wait(lock, [&] { return held_ == 0 || bytes <= total_ - held_; });
    held_ += bytes;
}

void MemoryBudget::Give(std::uint64_t bytes) {
    {
        const std::lock_guard lock(mutex_);
        held_ -= bytes;
    }
    given_.notify_all();
}

unsigned WorkersFor(unsigned asked, std::uint64_t budget) {
    if (asked == 0) {
        const auto fitting = static_cast<unsigned>(std::min<std::uint64_t>(
            budget / kTypicalSong, std::max(std::thread::hardware_concurrency(), 1u)));
        asked = std::max(fitting, 1u);
    }
    return std::min(asked, kMostWorkers);
}

} // namespace lyricast

#pragma once

#include <atomic>
#include <cstddef>
#include <string>

namespace lyricast {

// The temporary files of this process that an interrupt must remove, however
// many there are at once. A signal handler walks it without locks, without
// allocating and while other threads go on: entries are never freed, only
// taken again, and each carries a count that is odd while its path is being
// written, so a path read while it changed is known to be one and passed over
// (its owner removes or renames that file itself).
class TemporaryRegistry {
public:
    static constexpr std::size_t kLongestPath = 4095;

    struct Entry {
        std::atomic<bool> taken{false};
        std::atomic<unsigned> writes{0}; // odd while `path` is written
        std::atomic<bool> holding{false};
        Entry* next = nullptr; // set once, before the entry is published
        char path[kLongestPath + 1] = {};
    };

    // The entry now holding `path`, or nothing for a path too long to hold.
    // Raises std::bad_alloc when a new entry is needed and cannot be had.
    static Entry* Add(const std::string& path);
    static void Remove(Entry* entry) noexcept;

    // Held while one file is registered and made. Once an interrupt has
    // begun no file is made any more: a thread that would make one waits for
    // the end.
    class Making {
    public:
        Making() noexcept;
        Making(const Making&) = delete;
        Making& operator=(const Making&) = delete;
        ~Making();
    };

    // Async-signal-safe: lets the files being made come into being, then
    // unlinks every file held; no other is made afterwards.
    static void UnlinkAllForGood() noexcept;

private:
    static Entry& Take();
    static std::atomic<Entry*> head_;
    static std::atomic<int> creating_;
    static std::atomic<bool> interrupted_;
};

} // namespace lyricast

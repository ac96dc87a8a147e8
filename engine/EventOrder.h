#pragma once

#include "engine/EventPool.h"
#include "engine/SmfTrack.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace lyricast {

// The events a merged track carries, in its order: by time, at equal times
// list by list, and within a list as filed. Where every list is in time
// order, that is the order a stable sort by time alone gives the lists'
// events taken one list after another, and a radix sort finds it without a
// branch on the data. A merge by a queue of lists takes such a branch at
// every change of list, and a karaoke song changes list about every other
// event, each time a mispredicted branch.
class EventOrder {
public:
    // More events than this are left to the queue, so that the sort's keys
    // (16 bytes an event) never cost more than 16 MiB.
    static constexpr std::size_t kMostEvents = std::size_t{1} << 20;

    // Takes the events of `lists` that the track carries and sorts them.
    // False, with no order, when a list goes back in time (its time wrapped
    // past 2^32), as a sort would then differ from the merge, or when there
    // are more than kMostEvents.
    bool Sort(std::span<const SmfTrack> lists);

    // One event of the order. A channel event, nearly every event of a
    // song, is carried whole in its key, so writing it reads nothing else.
    struct Entry {
        std::uint32_t time;
        std::uint8_t status; // of a channel event
        std::uint8_t data1;
        std::uint8_t data2;
        const SmfEvent* other; // a system-exclusive or meta event; null for a channel event
    };

    // The sorted events, read through pointers of their own: a caller that
    // stores bytes as it goes would otherwise make every read of the order's
    // members wait for those stores.
    class Sorted {
    public:
        std::size_t size() const { return count_; }
        Entry operator[](std::size_t i) const {
            const std::uint64_t key = keys_[i];
            const auto time = static_cast<std::uint32_t>(key >> 32);
            if ((key & kElsewhere) != 0)
                return {time, 0, 0, 0,
                        &runs_[(key & kRunMask) >> kPositionBits][key & kPositionMask]};
            return {time, static_cast<std::uint8_t>(key), static_cast<std::uint8_t>(key >> 8),
                    static_cast<std::uint8_t>(key >> 16), nullptr};
        }

    private:
        friend class EventOrder;
        Sorted(const std::uint64_t* keys, std::size_t count, const SmfEvent* const* runs)
            : keys_(keys), count_(count), runs_(runs) {}
        const std::uint64_t* keys_;
        std::size_t count_;
        const SmfEvent* const* runs_;
    };
    Sorted sorted() const { return {sorted_, count_, runs_.data()}; }

private:
    // A key is the event's time and then what the event is: a channel
    // event's status and data bytes, or where any other event lies, its run
    // (a block of its list, counted over all lists in order) and its place in
    // the run. The sort looks only at the time, and is stable.
    static constexpr std::uint64_t kElsewhere = std::uint64_t{1} << 31;
    static constexpr int kPositionBits = 8;
    static_assert(EventPool::kBlockEvents <= std::size_t{1} << kPositionBits);
    static constexpr std::uint64_t kPositionMask = (std::uint64_t{1} << kPositionBits) - 1;
    static constexpr std::uint64_t kRunMask = kElsewhere - 1;
    // Every run holds an event, so there are never more runs than events.
    static_assert((kMostEvents << kPositionBits) <= kElsewhere);
    static constexpr int kMostDigitBits = 11;

    bool Collect(std::span<const SmfTrack> lists);
    void SortByTime();
    void SortPass(const std::uint64_t* from, std::uint64_t* to, int shift);
    void Reserve(std::size_t count);

    std::vector<const SmfEvent*> runs_;
    std::unique_ptr<std::uint64_t[]> keys_;  // the keys in the lists' order
    std::unique_ptr<std::uint64_t[]> spare_; // the sort's other half
    std::size_t capacity_ = 0;
    std::size_t count_ = 0;
    const std::uint64_t* sorted_ = nullptr;
    std::uint32_t earliest_ = 0; // the least and greatest time among the keys
    std::uint32_t latest_ = 0;
    std::vector<std::uint32_t> offsets_; // one per value of a digit
};

} // namespace lyricast

#pragma once

#include "engine/EventStore.h"
#include "engine/SmfTrack.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <utility>
#include <vector>

namespace lyricast {

// The events a merged track carries, in its order: by time, at equal times
// record by record, and within a record as filed. Where every record is in
// time order, that is the order a stable sort by time alone gives the
// records' events taken one record after another, which a radix sort finds
// in a few passes over them.
class EventOrder {
public:
    EventOrder() = default;
    EventOrder(const EventOrder&) = delete;
    EventOrder& operator=(const EventOrder&) = delete;
    // What is moved from is left without memory.
    EventOrder(EventOrder&& other) noexcept { *this = std::move(other); }
    EventOrder& operator=(EventOrder&& other) noexcept {
        keys_ = std::move(other.keys_);
        spare_ = std::move(other.spare_);
        capacity_ = std::exchange(other.capacity_, 0);
        count_ = std::exchange(other.count_, 0);
        sorted_ = std::exchange(other.sorted_, nullptr);
        earliest_ = other.earliest_;
        latest_ = other.latest_;
        offsets_ = std::move(other.offsets_);
        return *this;
    }

    // More events than this are left to the queue, so that the sort's keys
    // (16 bytes an event) never cost more than 16 MiB.
    static constexpr std::size_t kMostEvents = std::size_t{1} << 20;
    static constexpr std::uint32_t kChannelEvent = UINT32_MAX;

    // Takes the events of `records` and sorts them. False, with no order,
    // when a record goes back in time (its time wrapped past 2^32), as a sort
    // would then differ from the merge, or when there are more than
    // kMostEvents.
    bool Sort(const EventStore& events, std::span<const SmfTrack> records);

    // One event of the order. A channel event, nearly every event of a
    // song, is carried whole in its key, so writing it reads nothing else.
    struct Entry {
        std::uint32_t time;
        std::uint8_t status; // of a channel event
        std::uint8_t data1;
        std::uint8_t data2;
        std::uint32_t other; // the index of any other event; kChannelEvent for a channel event
    };

    // The sorted events.
    class Sorted {
    public:
        std::size_t size() const { return count_; }
        Entry operator[](std::size_t i) const {
            const std::uint64_t key = keys_[i];
            const auto time = static_cast<std::uint32_t>(key >> 32);
            if ((key & kElsewhere) != 0)
                return {time, 0, 0, 0, static_cast<std::uint32_t>(key & kIndexMask)};
            return {time, static_cast<std::uint8_t>(key), static_cast<std::uint8_t>(key >> 8),
                    static_cast<std::uint8_t>(key >> 16), kChannelEvent};
        }

    private:
        friend class EventOrder;
        Sorted(const std::uint64_t* keys, std::size_t count) : keys_(keys), count_(count) {}
        const std::uint64_t* keys_;
        std::size_t count_;
    };
    Sorted sorted() const { return {sorted_, count_}; }

    // Gives back memory beyond what a song keeps for the next file.
    void Trim() noexcept;

    // At least the most memory that sorting `events` events takes.
    static std::uint64_t MemoryNeededFor(std::uint64_t events);

private:
    // A key is the event's time and then what the event is: a channel
    // event's status and data bytes, or the index of any other event. The
    // sort looks only at the time, and is stable.
    static constexpr std::uint64_t kElsewhere = std::uint64_t{1} << 31;
    static constexpr std::uint64_t kIndexMask = kElsewhere - 1;
    static_assert(kMostEvents <= kIndexMask);
    static constexpr int kMostDigitBits = 11;

    static std::uint64_t KeyOf(const EventStore& events, std::size_t i);
    bool CollectRuns(const EventStore& events, std::span<const SmfTrack> records);
    bool CollectChannels(const EventStore& events);
    void SortByTime();
    void SortPass(const std::uint64_t* from, std::uint64_t* to, int shift);
    void Reserve(std::size_t count);

    std::unique_ptr<std::uint64_t[]> keys_;  // the keys in the records' order
    std::unique_ptr<std::uint64_t[]> spare_; // the sort's other half
    std::size_t capacity_ = 0;
    std::size_t count_ = 0;
    const std::uint64_t* sorted_ = nullptr;
    std::uint32_t earliest_ = 0; // the least and greatest time among the keys
    std::uint32_t latest_ = 0;
    std::vector<std::uint32_t> offsets_; // one per value of a digit
};

} // namespace lyricast

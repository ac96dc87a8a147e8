#include "engine/EventOrder.h"

#include "engine/EventFate.h"

#include <algorithm>
#include <bit>
#include <utility>

namespace lyricast {

bool EventOrder::Sort(std::span<const SmfTrack> lists) {
    std::size_t events = 0;
    for (const SmfTrack& list : lists)
        for (std::size_t r = 0; r < list.RunCount(); ++r)
            events += list.Run(r).size();
    if (events > kMostEvents)
        return false;
    Reserve(events);
    if (!Collect(lists))
        return false;
    SortByTime();
    return true;
}

void EventOrder::Reserve(std::size_t count) {
    if (count <= capacity_)
        return;
    keys_ = std::make_unique_for_overwrite<std::uint64_t[]>(count);
    spare_ = std::make_unique_for_overwrite<std::uint64_t[]>(count);
    capacity_ = count;
}

// Keys for the events the track carries, list after list; a list ends at its
// first End of Track. False as soon as a list's time goes back.
bool EventOrder::Collect(std::span<const SmfTrack> lists) {
    runs_.clear();
    std::uint64_t* out = keys_.get();
    std::uint32_t earliest = UINT32_MAX;
    std::uint32_t latest = 0;
    for (const SmfTrack& list : lists) {
        std::uint32_t last = 0;
        bool first = true;
        for (std::size_t r = 0; r < list.RunCount(); ++r) {
            const std::span<const SmfEvent> run = list.Run(r);
            const std::uint64_t runBits = std::uint64_t{runs_.size()} << kPositionBits;
            runs_.push_back(run.data());
            bool ended = false;
            for (std::size_t i = 0; i < run.size() && !ended; ++i) {
                const SmfEvent& event = run[i];
                const EventFate fate = FateOf(event);
                if (fate == EventFate::EndsList)
                    ended = true;
                if (fate != EventFate::Written)
                    continue;
                if (event.time < last)
                    return false;
                if (first)
                    earliest = std::min(earliest, event.time);
                first = false;
                last = event.time;
                *out++ = std::uint64_t{event.time} << 32 |
                         (IsChannelStatus(event.status)
                              ? std::uint64_t{event.data2} << 16 | event.data1 << 8 | event.status
                              : kElsewhere | runBits | i);
            }
            if (ended)
                break;
        }
        latest = std::max(latest, last);
    }
    count_ = static_cast<std::size_t>(out - keys_.get());
    earliest_ = count_ > 0 ? earliest : 0;
    latest_ = latest;
    return true;
}

// A least-significant-digit radix sort on the time since the earliest, in
// as few passes as digits of kMostDigitBits need, the digits shared out
// evenly, so a song of a few minutes takes two passes of a few hundred
// buckets. Each pass is stable, so keys of one time keep the lists' order.
void EventOrder::SortByTime() {
    const int bits = std::bit_width(latest_ - earliest_);
    const int passes = (bits + kMostDigitBits - 1) / kMostDigitBits;
    std::uint64_t* from = keys_.get();
    std::uint64_t* to = spare_.get();
    if (passes > 0) {
        const int width = (bits + passes - 1) / passes;
        offsets_.resize(std::size_t{1} << width);
        for (int pass = 0; pass < passes; ++pass) {
            SortPass(from, to, pass * width);
            std::swap(from, to);
        }
    }
    sorted_ = from;
}

// Moves the keys `from` to `to` in the order of one digit of their time,
// the offsets.size() values from `shift` up. Everything the loops use is in
// locals: a store of a key could otherwise be taken to change the count or
// the earliest time, and each would be read again for every key.
void EventOrder::SortPass(const std::uint64_t* from, std::uint64_t* to, int shift) {
    const std::size_t count = count_;
    const std::uint32_t earliest = earliest_;
    const auto mask = static_cast<std::uint32_t>(offsets_.size() - 1);
    std::uint32_t* const offsets = offsets_.data();
    const auto digit = [=](std::uint64_t key) {
        return ((static_cast<std::uint32_t>(key >> 32) - earliest) >> shift) & mask;
    };
    std::fill(offsets_.begin(), offsets_.end(), 0);
    for (std::size_t i = 0; i < count; ++i)
        ++offsets[digit(from[i])];
    std::uint32_t start = 0;
    for (std::uint32_t& offset : offsets_)
        start += std::exchange(offset, start);
    for (std::size_t i = 0; i < count; ++i)
        to[offsets[digit(from[i])]++] = from[i];
}

} // namespace lyricast

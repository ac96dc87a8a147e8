#include "engine/EventOrder.h"

#include "engine/KeptMemory.h"

#include <algorithm>
#include <array>
#include <bit>
#include <utility>

namespace lyricast {

bool EventOrder::Sort(const EventStore& events, std::span<const SmfTrack> records) {
    if (events.size() > kMostEvents)
        return false;
    Reserve(events.size());
    const bool byChannel = !records.empty() && !records.front().ownsEveryEvent();
    if (!(byChannel ? CollectChannels(events) : CollectRuns(events, records)))
        return false;
    SortByTime();
    return true;
}

void EventOrder::Reserve(std::size_t count) {
    if (count <= capacity_)
        return;
    // The old keys go before the new ones are made, and neither half is
    // kept unless both could be had.
    keys_.reset();
    spare_.reset();
    capacity_ = 0;
    auto keys = std::make_unique_for_overwrite<std::uint64_t[]>(count);
    spare_ = std::make_unique_for_overwrite<std::uint64_t[]>(count);
    keys_ = std::move(keys);
    capacity_ = count;
}

// The keys and the sort's other half, and the offsets of the widest digit;
// a song of more events than the sort takes is merged by the queue.
std::uint64_t EventOrder::MemoryNeededFor(std::uint64_t events) {
    const std::uint64_t sorted = std::min<std::uint64_t>(events, kMostEvents);
    return 2 * sorted * sizeof(std::uint64_t) +
           (std::uint64_t{1} << kMostDigitBits) * sizeof(std::uint32_t);
}

void EventOrder::Trim() noexcept {
    if (capacity_ * 2 * sizeof(std::uint64_t) <= kKeptBufferBytes)
        return;
    keys_.reset();
    spare_.reset();
    capacity_ = 0;
    count_ = 0;
    sorted_ = nullptr;
}

[[gnu::always_inline]] inline std::uint64_t EventOrder::KeyOf(const EventStore& events,
                                                              std::size_t i) {
    const std::uint8_t status = events.status(i);
    const std::uint64_t what =
        IsChannelStatus(status)
            ? (events.value(i) & 0xFFu) << 16 | std::uint64_t{events.data1(i)} << 8 | status
            : kElsewhere | i;
    return std::uint64_t{events.time(i)} << 32 | what;
}

// Records that each own a run of their own, one after another: their keys
// in the events' order. False as soon as a record's time goes back.
bool EventOrder::CollectRuns(const EventStore& events, std::span<const SmfTrack> records) {
    std::uint64_t* out = keys_.get();
    std::uint32_t earliest = UINT32_MAX;
    std::uint32_t latest = 0;
    for (const SmfTrack& record : records) {
        if (record.first() == record.end())
            continue;
        std::uint32_t last = events.time(record.first());
        earliest = std::min(earliest, last);
        for (std::size_t i = record.first(); i < record.end(); ++i) {
            const std::uint32_t time = events.time(i);
            if (time < last)
                return false;
            last = time;
            *out++ = KeyOf(events, i);
        }
        latest = std::max(latest, last);
    }
    count_ = static_cast<std::size_t>(out - keys_.get());
    earliest_ = count_ > 0 ? earliest : 0;
    latest_ = latest;
    return true;
}

// The per-channel records of a split song, whose events lie among each
// other: each record's keys are put together, record after record, in one
// pass after counting them. False as soon as a record's time goes back.
bool EventOrder::CollectChannels(const EventStore& events) {
    std::array<std::size_t, 16> starts{};
    for (std::size_t i = 0; i < events.size(); ++i)
        ++starts[ChannelRecordOf(events.status(i))];
    std::size_t start = 0;
    for (std::size_t& s : starts)
        start += std::exchange(s, start);

    std::array<std::uint32_t, 16> last{};
    std::uint32_t earliest = UINT32_MAX;
    std::uint32_t latest = 0;
    for (std::size_t i = 0; i < events.size(); ++i) {
        const std::uint8_t record = ChannelRecordOf(events.status(i));
        const std::uint32_t time = events.time(i);
        if (time < last[record])
            return false;
        last[record] = time;
        earliest = std::min(earliest, time);
        latest = std::max(latest, time);
        keys_[starts[record]++] = KeyOf(events, i);
    }
    count_ = events.size();
    earliest_ = count_ > 0 ? earliest : 0;
    latest_ = latest;
    return true;
}

// A least-significant-digit radix sort on the time since the earliest, in
// as few passes as digits of kMostDigitBits need, the digits shared out
// evenly, so a song of a few minutes takes two passes of a few hundred
// buckets. Each pass is stable, so keys of one time keep the records' order.
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
// the offsets.size() values from `shift` up.
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

#include "engine/EventOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

namespace lyricast {
namespace {

// The order a merge of the records must give, worked out the slow way: each
// record's events, record after record, sorted by time alone and stably.
std::vector<std::size_t> MergedSlowly(const EventStore& events, std::span<const SmfTrack> records) {
    std::vector<std::size_t> order;
    for (const SmfTrack& record : records)
        for (std::size_t i = record.first(); i < record.end(); ++i)
            if (record.Owns(events.status(i)))
                order.push_back(i);
    std::stable_sort(order.begin(), order.end(), [&events](std::size_t a, std::size_t b) {
        return events.time(a) < events.time(b);
    });
    return order;
}

void ExpectOrder(const EventOrder& order, const EventStore& events,
                 const std::vector<std::size_t>& expected) {
    const EventOrder::Sorted sorted = order.sorted();
    ASSERT_EQ(sorted.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const EventOrder::Entry entry = sorted[i];
        const SmfEvent want = events.At(expected[i]);
        ASSERT_EQ(entry.time, want.time) << "event " << i;
        if (IsChannelStatus(want.status)) {
            ASSERT_EQ(entry.other, EventOrder::kChannelEvent) << "event " << i;
            ASSERT_EQ(entry.status, want.status) << "event " << i;
            ASSERT_EQ(entry.data1, want.data1) << "event " << i;
            ASSERT_EQ(entry.data2, want.data2) << "event " << i;
        } else {
            ASSERT_EQ(entry.other, expected[i]) << "event " << i;
        }
    }
}

struct Song {
    EventStore events;
    std::vector<SmfTrack> records;
};

// Events of every kind over a span of times, rising from near 0 to the
// span's end; many share a time.
void AddEvents(EventStore& events, std::size_t count, std::uint64_t span, bool late,
               std::uint32_t& seed) {
    const auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    events.bytes().assign({0x00}); // one empty body for every event that carries bytes
    for (std::size_t i = 0; i < count; ++i) {
        const auto time = static_cast<std::uint32_t>(span * (late ? count / 2 + i / 2 : i) /
                                                     std::max<std::size_t>(count, 1));
        const std::uint32_t kind = next() % 16;
        if (kind == 0)
            events.Append(time, kMetaStatus, kMetaText, 0);
        else if (kind == 1)
            events.Append(time, next() % 2 ? kSysexStatus : kEscapeStatus, 0, 0);
        else
            events.Append(time, static_cast<std::uint8_t>(0x80 | (next() % 0x70)), next() % 128,
                          next() % 128);
    }
}

// Records each with a run of its own, one empty, over spans from one tick to
// all of 2^32, so the sort takes from none to three passes, with digits of
// every width; and the per-channel records of a split song over one run.
TEST(EventOrder, SortsLikeAStableSortByTimeOverEverySpan) {
    std::uint32_t seed = 12345;
    for (const int spanBits : {0, 1, 7, 11, 12, 20, 22, 23, 31, 32}) {
        SCOPED_TRACE(testing::Message() << spanBits << " bits");
        const std::uint64_t span = (std::uint64_t{1} << spanBits) - 1;
        Song runs;
        runs.events.bytes().assign({0x00});
        for (int l = 0; l < 7; ++l) {
            const auto first = static_cast<std::uint32_t>(runs.events.size());
            EventStore part;
            AddEvents(part, l == 3 ? 0 : seed % 700, span, l == 5, seed);
            for (std::size_t i = 0; i < part.size(); ++i)
                runs.events.Append(part.time(i), part.status(i), part.data1(i), part.value(i));
            runs.records.emplace_back().SetRun(first,
                                               static_cast<std::uint32_t>(runs.events.size()));
        }
        EventOrder order;
        ASSERT_TRUE(order.Sort(runs.events, runs.records));
        ExpectOrder(order, runs.events, MergedSlowly(runs.events, runs.records));
        // Sorting again in the same memory, a smaller song, gives its order alone.
        const auto fewer = std::span<const SmfTrack>(runs.records).first(2);
        ASSERT_TRUE(order.Sort(runs.events, fewer));
        ExpectOrder(order, runs.events, MergedSlowly(runs.events, fewer));

        Song split;
        AddEvents(split.events, 1500, span, false, seed);
        for (std::uint8_t channel = 0; channel < 17; ++channel) {
            SmfTrack& record = split.records.emplace_back();
            record.SetChannel(channel);
            record.SetRun(0, static_cast<std::uint32_t>(split.events.size()));
        }
        ASSERT_TRUE(order.Sort(split.events, split.records));
        ExpectOrder(order, split.events, MergedSlowly(split.events, split.records));
    }
}

TEST(EventOrder, LeavesToTheQueueWhatASortWouldOrderDifferently) {
    EventOrder order;
    Song runs;
    runs.events.Append(10, 0x90, 60, 100);
    runs.events.Append(12, 0x80, 60, 0);
    runs.records.emplace_back().SetRun(0, 2);
    EXPECT_TRUE(order.Sort(runs.events, runs.records));
    runs.events.Append(11, 0x90, 62, 100); // the time went back: it wrapped past 2^32
    runs.records[0].SetRun(0, 3);
    EXPECT_FALSE(order.Sort(runs.events, runs.records)) << "a record that goes back in time";

    // Per-channel records lie among each other: only each one's own order counts.
    Song split;
    split.events.Append(10, 0x90, 60, 100);
    split.events.Append(5, 0x91, 62, 100);
    split.events.Append(12, 0x80, 60, 0);
    for (std::uint8_t channel = 0; channel < 2; ++channel) {
        split.records.emplace_back().SetChannel(channel);
        split.records.back().SetRun(0, 3);
    }
    EXPECT_TRUE(order.Sort(split.events, split.records));
    split.events.Append(3, 0x81, 62, 0);
    split.records[1].SetRun(0, 4);
    EXPECT_FALSE(order.Sort(split.events, split.records)) << "a channel's record that goes back";

    Song many;
    for (std::size_t i = 0; i <= EventOrder::kMostEvents; ++i)
        many.events.Append(static_cast<std::uint32_t>(i), 0x90, 60, 100);
    many.records.emplace_back().SetRun(0, static_cast<std::uint32_t>(many.events.size()));
    EXPECT_FALSE(order.Sort(many.events, many.records)) << "more events than the sort takes";
}

} // namespace
} // namespace lyricast

#include "engine/EventOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

namespace lyricast {
namespace {

// The order a merge of the lists must give, worked out the slow way: each
// list's events up to its first End of Track, without those a track never
// carries, list after list, sorted by time alone and stably.
std::vector<const SmfEvent*> MergedSlowly(std::span<const SmfTrack> lists) {
    std::vector<const SmfEvent*> events;
    for (const SmfTrack& list : lists) {
        for (const SmfEvent* e = list.firstEvent; e != nullptr; e = e->next) {
            if (e->IsEndOfTrack() || (e->status >= 0xF1 && e->status <= 0xFE && e->status != 0xF7))
                break;
            if (e->status >= 0x80)
                events.push_back(e);
        }
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const SmfEvent* a, const SmfEvent* b) { return a->time < b->time; });
    return events;
}

void ExpectOrder(const EventOrder& order, const std::vector<const SmfEvent*>& expected) {
    const EventOrder::Sorted sorted = order.sorted();
    ASSERT_EQ(sorted.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const EventOrder::Entry entry = sorted[i];
        const SmfEvent& want = *expected[i];
        ASSERT_EQ(entry.time, want.time) << "event " << i;
        if (IsChannelStatus(want.status)) {
            ASSERT_EQ(entry.other, nullptr) << "event " << i;
            ASSERT_EQ(entry.status, want.status) << "event " << i;
            ASSERT_EQ(entry.data1, want.data1) << "event " << i;
            ASSERT_EQ(entry.data2, want.data2) << "event " << i;
        } else {
            ASSERT_EQ(entry.other, &want) << "event " << i;
        }
    }
}

// Lists of every kind of event, several over a block of 256, in time order
// over spans from one tick to all of 2^32, so the sort takes from none to
// three passes, with digits of every width; many events share a time within
// and across lists.
TEST(EventOrder, SortsLikeAStableSortByTimeOverEverySpan) {
    std::uint32_t seed = 12345;
    const auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    for (const int spanBits : {0, 1, 7, 11, 12, 20, 22, 23, 31, 32}) {
        EventPool pool;
        std::vector<SmfTrack> lists;
        lists.reserve(7);
        for (int l = 0; l < 7; ++l) {
            SmfTrack& list = lists.emplace_back(pool);
            const std::size_t count = l == 3 ? 0 : next() % 700;
            const std::uint64_t span = (std::uint64_t{1} << spanBits) - 1;
            for (std::size_t i = 0; i < count; ++i) {
                // Times rise from near 0 to the span's end; a few lists start late.
                const auto time = static_cast<std::uint32_t>(
                    span * (l == 5 ? count / 2 + i / 2 : i) / std::max<std::size_t>(count, 1));
                const std::uint32_t kind = next() % 16;
                if (kind == 0) {
                    SmfEvent& meta = list.Append(time, kMetaStatus, 4, kMetaText);
                    meta.metaData = list.NewBytes({kMetaStatus, kMetaText, 1}, {});
                } else if (kind == 1) {
                    SmfEvent& sysex = list.Append(time, kSysexStatus, 2);
                    sysex.sysexData = list.NewBytes({kSysexStatus, 0xF7}, {});
                } else if (kind == 2) {
                    list.Append(time, 0x00); // never written
                } else {
                    const auto status = static_cast<std::uint8_t>(0x80 | (next() % 0x70));
                    list.Append(time, status, status & 0x0F, next() % 128, next() % 128);
                }
            }
            if (l == 4) { // the list ends at its End of Track, whatever follows it
                list.Append(UINT32_MAX, kMetaStatus, 3, kMetaEndOfTrack);
                list.Append(UINT32_MAX, 0x90, 0, 60, 100);
            }
            if (l == 6) // F1-FE end a list too
                list.Append(UINT32_MAX, 0xF8);
        }
        SCOPED_TRACE(testing::Message() << spanBits << " bits");
        EventOrder order;
        ASSERT_TRUE(order.Sort(lists));
        ExpectOrder(order, MergedSlowly(lists));
        // Sorting again in the same memory, a smaller song, gives its order alone.
        const std::span<const SmfTrack> fewer = std::span<const SmfTrack>(lists).first(2);
        ASSERT_TRUE(order.Sort(fewer));
        ExpectOrder(order, MergedSlowly(fewer));
    }
}

TEST(EventOrder, LeavesToTheQueueWhatASortWouldOrderDifferently) {
    EventPool pool;
    std::vector<SmfTrack> song;
    song.emplace_back(pool);
    song[0].Append(10, 0x90, 0, 60, 100);
    song[0].Append(4, 0x00); // not written, so its time does not count
    song[0].Append(12, 0x80, 0, 60, 0);
    EventOrder order;
    EXPECT_TRUE(order.Sort(song));

    song[0].Append(11, 0x90, 0, 62, 100); // the time went back: it wrapped past 2^32
    EXPECT_FALSE(order.Sort(song)) << "a list that goes back in time";

    song.clear();
    song.emplace_back(pool);
    for (std::size_t i = 0; i <= EventOrder::kMostEvents; ++i)
        song[0].Append(static_cast<std::uint32_t>(i), 0x90, 0, 60, 100);
    EXPECT_FALSE(order.Sort(song)) << "more events than the sort takes";
}

} // namespace
} // namespace lyricast

#include "engine/TSmfFile.h"
#include "support/SmfBuilder.h"
#include "support/SongText.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace lyricast {
namespace {

using namespace test;

TEST(Model, ResetOfAnEmptySongChangesNothing) {
    TSmfFile song;
    song.Reset();
    EXPECT_FALSE(song.loaded);
    ASSERT_TRUE(song.LoadHeaderImage(Smf(1, {Track("00 ff 2f 00"), Track("00 ff 2f 00")})));
    song.Reset();
    song.Reset();
    EXPECT_TRUE(song.tracks().empty() && song.events().size() == 0);
    EXPECT_EQ(song.GetTrackCount(), 2) << "the count outlives the reset";
}

// The events are added without a word on how many will come: the store
// grows and keeps every one, bytes and all.
TEST(Model, StoreKeepsEveryEventAsItGrows) {
    EventStore events;
    events.bytes() = Hex("02 41 42");
    for (std::uint32_t i = 0; i < 5000; ++i) {
        if (i % 7 == 0)
            events.Append(i, kMetaStatus, kMetaText, 0);
        else
            events.Append(i, 0x90, static_cast<std::uint8_t>(i % 128), 100);
    }
    ASSERT_EQ(events.size(), 5000u);
    for (std::uint32_t i = 0; i < 5000; ++i) {
        const SmfEvent event = events.At(i);
        ASSERT_EQ(event.time, i);
        if (i % 7 == 0) {
            ASSERT_EQ(Describe(event), std::to_string(i) + ": ff 01 41 42");
        } else {
            ASSERT_EQ(event.status, 0x90);
            ASSERT_EQ(event.data1, i % 128);
            ASSERT_EQ(event.data2, 100);
        }
    }
}

Bytes SavedBy(TSmfFile& song, const Bytes& image) {
    Bytes out;
    EXPECT_TRUE(song.LoadFileImage(image));
    EXPECT_EQ(song.SaveToBytes(out), kSaved);
    song.Reset();
    return out;
}

// A song keeps its memory from file to file, and gives back what a large
// file took; nothing of an earlier file may show through in a later one,
// whatever their sizes and shapes.
TEST(Model, ReusedSongSavesEachFileAsAFreshOneWould) {
    Bytes many;
    for (int i = 0; i < 3000; ++i)
        many.insert(many.end(), {0x01, 0x90, 0x3C, 0x64, 0x00, 0xFF, 0x01, 0x01, 'a'});
    many.insert(many.end(), {0x00, 0xFF, 0x2F, 0x00});
    Bytes large; // more than a song keeps between files, of every buffer
    for (int i = 0; i < 400'000; ++i)
        large.insert(large.end(), {0x01, 0x91, 0x3C, 0x64, 0x00, 0xFF, 0x01, 0x01, 'b'});
    large.insert(large.end(), {0x00, 0xFF, 0x2F, 0x00});
    const Bytes files[] = {
        Smf(1, {Track(many), Track("00 91 3e 64  05 ff 01 02 61 62  00 ff 2f 00")}),
        Smf(1, {Track("00 f0 03 7e 7f f7  00 ff 2f 00")}),
        Smf(0, {Track(large)}),
        Smf(0, {Track("00 90 3c 64  00 c3 05  10 ff 05 01 78  00 ff 2f 00")}),
        Smf(1, {Track(many)}),
        Smf(1, {}),
    };
    TSmfFile reused;
    for (const Bytes& file : files) {
        TSmfFile fresh;
        EXPECT_EQ(SavedBy(reused, file), SavedBy(fresh, file));
    }
}

TEST(Model, MovedSongKeepsItsEventsAndLoadsAgain) {
    TSmfFile song;
    ASSERT_TRUE(song.LoadFileImage(Smf(1, {Track("00 90 3c 64  00 ff 01 01 41  00 ff 2f 00")})));
    TempDir dir;
    ASSERT_EQ(song.SaveToFile(dir / "first.MID"), kSaved);
    TSmfFile moved = std::move(song);
    EXPECT_EQ(Events(moved, 0), (Lines{"0: 90 3c 64", "0: ff 01 41", "0: ff 2f"}));
    ASSERT_EQ(moved.SaveToFile(dir / "moved.MID"), kSaved);
    EXPECT_EQ(ReadBytes(dir / "moved.MID"), ReadBytes(dir / "first.MID"));
    moved.Reset();
    EXPECT_TRUE(song.LoadFileImage(Smf(1, {Track("00 90 3c 64  00 ff 2f 00")})))
        << "a song moved from loads, and saves, with memory of its own";
    EXPECT_EQ(Events(song, 0), (Lines{"0: 90 3c 64", "0: ff 2f"}));
    ASSERT_EQ(song.SaveToFile(dir / "again.MID"), kSaved);
    EXPECT_EQ(ReadBytes(dir / "again.MID"), Header(0, 1) + Track("00 90 3c 64  00 ff 2f 00"));
}

} // namespace
} // namespace lyricast

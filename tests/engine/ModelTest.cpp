#include "engine/TSmfFile.h"
#include "support/SmfBuilder.h"

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
    EXPECT_TRUE(song.tracks.empty() && song.chunks.empty());
    EXPECT_EQ(song.GetTrackCount(), 2) << "the count outlives the reset";
}

TEST(Model, AppendLinksBothWays) {
    TSmfFile song;
    ASSERT_TRUE(song.LoadHeaderImage(Smf(1, {Track("00 ff 2f 00")})));
    song.AddChannelEvent(0, 0x93, 60, 100, 0);
    song.AddMetaEvent(0, kMetaStatus, kMetaText, Hex("41"), 5);
    song.AddSysexEvent(0, kSysexStatus, Hex("7e f7"), 9);
    const SmfTrack& track = song.tracks[0];
    ASSERT_NE(track.firstEvent, nullptr);
    EXPECT_EQ(track.firstEvent->channelOrSize, 3);
    EXPECT_EQ(track.firstEvent->prev, nullptr);
    EXPECT_EQ(track.cursor->status, kSysexStatus);
    EXPECT_EQ(track.cursor->channelOrSize, 3);
    const EventBytes& meta = track.cursor->prev->metaData;
    EXPECT_EQ(Bytes(meta.begin(), meta.end()), Hex("ff 01 01 41"));
    EXPECT_EQ(track.cursor->prev->prev, track.firstEvent);
    EXPECT_EQ(track.cursor->next, nullptr);
}

TEST(Model, VeryLongListIsReleasedWithoutRecursion) {
    // Two million events in one list: a release that followed the links
    // recursively would run out of stack here.
    Bytes events;
    events.reserve(2'000'000 * 4 + 4);
    for (int i = 0; i < 2'000'000; ++i)
        events.insert(events.end(), {0x00, 0x90, 0x3C, 0x64});
    events.insert(events.end(), {0x00, 0xFF, 0x2F, 0x00});
    TSmfFile song;
    ASSERT_TRUE(song.LoadFileImage(Smf(1, {Track(events)})));
    song.Reset();
    EXPECT_TRUE(song.tracks.empty());
}

} // namespace
} // namespace lyricast

namespace lyricast {
namespace {

using namespace test;

Bytes SavedBy(TSmfFile& song, const Bytes& image) {
    Bytes out;
    EXPECT_TRUE(song.LoadFileImage(image));
    EXPECT_EQ(song.SaveToBytes(out), 0);
    song.Reset();
    return out;
}

// A song keeps its memory from file to file; nothing of an earlier file may
// show through in a later one, whatever their sizes and shapes.
TEST(Model, ReusedSongSavesEachFileAsAFreshOneWould) {
    Bytes many;
    for (int i = 0; i < 3000; ++i)
        many.insert(many.end(), {0x01, 0x90, 0x3C, 0x64, 0x00, 0xFF, 0x01, 0x01, 'a'});
    many.insert(many.end(), {0x00, 0xFF, 0x2F, 0x00});
    const Bytes files[] = {
        Smf(1, {Track(many), Track("00 91 3e 64  05 ff 01 02 61 62  00 ff 2f 00")}),
        Smf(1, {Track("00 f0 03 7e 7f f7  00 ff 2f 00")}),
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
    TSmfFile moved = std::move(song);
    ASSERT_NE(moved.tracks[0].firstEvent, nullptr);
    EXPECT_EQ(moved.tracks[0].firstEvent->next->MetaBody()[0], 'A');
    moved.Reset();
    EXPECT_TRUE(song.LoadFileImage(Smf(1, {Track("00 90 3c 64  00 ff 2f 00")})))
        << "a song moved from loads with memory of its own";
    EXPECT_EQ(song.tracks[0].cursor->status, kMetaStatus);
}

} // namespace
} // namespace lyricast

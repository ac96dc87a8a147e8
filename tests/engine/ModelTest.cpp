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
    for (int i = 0; i < 2'000'000; ++i) events.insert(events.end(), {0x00, 0x90, 0x3C, 0x64});
    events.insert(events.end(), {0x00, 0xFF, 0x2F, 0x00});
    TSmfFile song;
    ASSERT_TRUE(song.LoadFileImage(Smf(1, {Track(events)})));
    song.Reset();
    EXPECT_TRUE(song.tracks.empty());
}

} // namespace
} // namespace lyricast

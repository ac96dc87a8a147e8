#include "engine/TSmfFile.h"
#include "support/SmfBuilder.h"
#include "support/SongText.h"

#include <gtest/gtest.h>

namespace lyricast {
namespace {

using namespace test;

TSmfFile Rewritten(const Bytes& image) {
    TSmfFile song = Loaded(image);
    song.TextToLyric();
    return song;
}

TEST(TextToLyric, TextBecomesLyricWithSlashesMapped) {
    const TSmfFile song = Rewritten(Smf(1, {Track(R"(
        00 ff 01 07 48 65 6c 2f 6c 6f 5c   # "Hel/lo\"
        00 ff 01 00                        # empty text: only the type changes
        00 ff 05 03 61 2f 5c               # a lyric already: untouched
        00 ff 06 02 2f 5c                  # a marker: untouched
        00 ff 2f 00
        00 ff 01 01 2f                     # after End of Track: never read
    )")}));
    EXPECT_EQ(Events(song, 0), (Lines{"0: ff 05 48 65 6c 0d 6c 6f 20", "0: ff 05",
                                      "0: ff 05 61 2f 5c", "0: ff 06 2f 5c", "0: ff 2f"}));
    EXPECT_EQ((*song.EventsOf(0).begin()).body.size(), 7u) << "the length stays";
}

TEST(TextToLyric, LongTextIsMappedOverEveryByte) {
    Bytes text(300, '/');
    const TSmfFile song =
        Rewritten(Smf(1, {Track(Hex("00 ff 01 82 2c") + text + Hex("00 ff 2f 00"))}));
    const auto body = (*song.EventsOf(0).begin()).body;
    ASSERT_EQ(body.size(), 300u);
    EXPECT_TRUE(std::all_of(body.begin(), body.end(), [](std::uint8_t c) { return c == '\r'; }));
}

TEST(TextToLyric, ReusedSongFindsTextInWhicheverTrackHoldsIt) {
    // A song is walked only when it was given a text event; what the last
    // file had must neither hide nor stand in for what this one has.
    TSmfFile song;
    ASSERT_TRUE(song.LoadFileImage(
        Smf(1, {Track("00 ff 01 01 2f  00 ff 2f 00"), Track("00 90 3c 64  00 ff 2f 00")})));
    song.TextToLyric();
    ASSERT_TRUE(song.LoadFileImage(
        Smf(1, {Track("00 90 3c 64  00 ff 2f 00"), Track("00 90 3c 64  00 ff 2f 00"),
                Track("00 ff 01 01 5c  00 ff 2f 00")})));
    song.TextToLyric();
    EXPECT_EQ(Events(song, 2), (Lines{"0: ff 05 20", "0: ff 2f"}));
}

TEST(TextToLyric, SecondRunChangesNothing) {
    TSmfFile song = Rewritten(Smf(0, {Track("00 ff 01 02 5c 2f  00 90 3c 64  00 ff 2f 00")}));
    const Lines once = Events(song, 0);
    song.TextToLyric();
    EXPECT_EQ(Events(song, 0), once);
    EXPECT_EQ(once.front(), "0: ff 05 20 0d");
}

} // namespace
} // namespace lyricast

#include "engine/TSmfFile.h"
#include "platform/FileError.h"
#include "support/SmfBuilder.h"
#include "support/SongText.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace lyricast {
namespace {

using namespace test;

// ---- header and chunk headers ----

TEST(ReaderHeader, ResultCodes) {
    struct Case {
        const char* what;
        Bytes image;
        std::uint8_t code;
    };
    const Bytes oneTrack = Track("00 ff 2f 00");
    const Case cases[] = {
        {"empty file", {}, kHeaderNotMidi},
        {"13 bytes", Hex("4d 54 68 64 00 00 00 06 00 01 00 00 00"), kHeaderNotMidi},
        {"no MThd", Hex("52 49 46 46 00 00 00 06 00 00 00 00 00 60"), kHeaderNotMidi},
        {"header only, no tracks", Header(1, 0), kHeaderOk},
        {"one track", Smf(1, {oneTrack}), kHeaderOk},
        {"chunk header cut short", Header(1, 1) + Hex("4d 54 72 6b 00 00"), kHeaderDamagedChunk},
        {"announced chunk missing", Header(1, 2) + oneTrack, kHeaderDamagedChunk},
        {"chunk not MTrk", Header(1, 1) + Hex("6d 54 72 6b 00 00 00 04  00 ff 2f 00"),
         kHeaderDamagedChunk},
        {"real longer header", Hex("4d 54 68 64 00 00 00 08 00 01 00 01 00 60 00 00") + oneTrack,
         kHeaderDamagedChunk},
        {"chunk length past the end", Header(0, 1) + Hex("4d 54 72 6b 01 00 00 00  00 90 3c 64"),
         kHeaderOk},
    };
    for (const Case& c : cases) {
        TSmfFile song;
        EXPECT_EQ(song.ParseHeader(c.image), c.code) << c.what;
    }
}

TEST(ReaderHeader, HeaderLengthIsIgnored) {
    // A header that claims 22 bytes: the first chunk is still looked for at 14.
    Bytes image = Smf(1, {Track("00 90 3c 64 00 ff 2f 00")});
    image[7] = 22;
    TSmfFile song;
    EXPECT_TRUE(song.LoadFileImage(image));
    EXPECT_EQ(Events(song, 0).size(), 2u);
}

TEST(ReaderHeader, HeaderOnlyLoadKeepsCountsAndReadsNoEvent) {
    TSmfFile song;
    ASSERT_TRUE(song.LoadHeaderImage(
        Smf(1, {Track("00 90 3c 64 00 ff 2f 00"), Track("00 ff 2f 00")}, 480)));
    EXPECT_EQ(song.GetTrackCount(), 2);
    EXPECT_EQ(song.division, 480);
    EXPECT_TRUE(song.tracks()[0].empty());

    ASSERT_TRUE(song.LoadHeaderImage(Smf(0, {Track("00 90 3c 64 00 ff 2f 00")})));
    EXPECT_EQ(song.GetTrackCount(), 17);
    for (std::size_t t = 0; t < song.tracks().size(); ++t)
        EXPECT_TRUE(song.tracks()[t].empty() && song.TrackName(t).empty());
}

TEST(ReaderHeader, FailedLoadResetsButKeepsTheTrackCount) {
    TSmfFile song;
    ASSERT_TRUE(song.LoadHeaderImage(Smf(1, {Track("00 ff 2f 00"), Track("00 ff 2f 00")})));
    EXPECT_FALSE(song.LoadHeaderImage(Hex("00 01 02 03 04 05 06 07 08 09 0a 0b 0c 0d")));
    EXPECT_EQ(song.headerResult, kHeaderNotMidi);
    EXPECT_FALSE(song.loaded);
    EXPECT_TRUE(song.tracks().empty());
    EXPECT_EQ(song.GetTrackCount(), 2);

    EXPECT_FALSE(song.LoadHeaderImage(Header(1, 5) + Track("00 ff 2f 00")));
    EXPECT_EQ(song.headerResult, kHeaderDamagedChunk);
    EXPECT_EQ(song.GetTrackCount(), 5);
}

// From a file, the headers come from its first bytes read in one go and
// beyond them one by one: a chunk header on either side of that edge or
// across it, and a file that ends inside one, read as from the whole image.
TEST(ReaderHeader, HeadersOfAFileReadFromItsHeadAndBeyond) {
    TempDir dir;
    const std::string path = dir / "song.kar";
    TSmfFile song;
    constexpr std::size_t kHead = TSmfFile::kHeadBytes;
    for (const std::size_t second : {kHead - 30, kHead - 4, kHead, kHead + 100}) {
        // The file's header and the first chunk's header take 22 bytes.
        const Bytes file =
            Smf(1, {Track(Bytes(second - 22, 0)), Track("00 ff 2f 00"), Track("00 ff 2f 00")});
        WriteBytes(path, file);
        ASSERT_TRUE(song.LoadHeader(path)) << second;
        EXPECT_EQ(song.GetTrackCount(), 3) << second;
        WriteBytes(path, Bytes(file.begin(), file.end() - 5)); // cut inside the last chunk's header
        EXPECT_FALSE(song.LoadHeader(path)) << second;
        EXPECT_EQ(song.headerResult, kHeaderDamagedChunk) << second;
    }
}

TEST(ReaderHeader, UnreadableFileRaisesCannotOpen) {
    TempDir dir;
    TSmfFile song;
    const std::string missing = dir / "missing.kar";
    try {
        (void)song.LoadFile(missing);
        FAIL() << "no error raised";
    } catch (const FileError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot open file " + missing);
    }
    EXPECT_THROW((void)song.LoadHeader(dir.str()), FileError) << "a folder is not a file";
}

// ---- events ----

TEST(ReaderEvents, ChannelEventsOfEveryLength) {
    TSmfFile song = Loaded(Smf(1, {Track(R"(
        00 90 3c 64    # note on
        10 c5 07       # program change: one data byte
        10 d5 40       # channel pressure: one data byte
        10 e0 00 40    # pitch bend
        00 ff 2f 00)")}));
    EXPECT_EQ(Events(song, 0),
              (Lines{"0: 90 3c 64", "16: c5 07", "32: d5 40", "48: e0 00 40", "48: ff 2f"}));
}

TEST(ReaderEvents, RunningStatusAfterMetaAndSysexKeepsTheChannelStatus) {
    // Real files go on with running status after a meta or sysex event.
    TSmfFile song = Loaded(Smf(1, {Track(R"(
        00 90 3c 64
        00 ff 01 02 48 69    # text between two notes
        00 3e 64             # still note on
        00 f0 02 01 f7
        00 40 64             # still note on
        00 ff 2f 00)")}));
    EXPECT_EQ(Events(song, 0), (Lines{"0: 90 3c 64", "0: ff 01 48 69", "0: 90 3e 64", "0: f0 01 f7",
                                      "0: 90 40 64", "0: ff 2f"}));
}

TEST(ReaderEvents, DataByteBeforeAnyStatusStartsAMetaEvent) {
    TSmfFile song = Loaded(Smf(1, {Track("00 01 02 48 69  00 ff 2f 00")}));
    EXPECT_EQ(Events(song, 0), (Lines{"0: ff 01 48 69", "0: ff 2f"}));
}

TEST(ReaderEvents, SystemCommonAndRealTimeBytesAreDropped) {
    TSmfFile song = Loaded(Smf(1, {Track(R"(
        00 90 3c 64
        00 f8            # clock: stands alone
        00 f3 05         # song select: takes one byte with it
        00 80 3c 40
        00 3e 40         # running status still note off
        00 ff 2f 00)")}));
    EXPECT_EQ(Events(song, 0), (Lines{"0: 90 3c 64", "0: 80 3c 40", "0: 80 3e 40", "0: ff 2f"}));
}

// An escape (F7) is a count and that many bytes: kept whole, filed as a sysex
// is, and leaving the running status as it was.
TEST(ReaderEvents, EscapesKeepTheirBytesAndTheRestOfTheTrack) {
    struct Case {
        const char* what;
        std::uint16_t format;
        Bytes events;
        Lines record0;
    };
    const Bytes escape130 = Hex("10 f7 81 02") + Bytes(130, 0x41);
    std::string escape130Line = "16: f7";
    for (int i = 0; i < 130; ++i)
        escape130Line += " 41";
    const Case cases[] = {
        {"before a note",
         1,
         Hex("00 f7 03 41 42 43  00 90 3c 64  60 80 3c 40  00 ff 2f 00"),
         {"0: f7 41 42 43", "0: 90 3c 64", "96: 80 3c 40", "96: ff 2f"}},
        {"between notes under running status",
         1,
         Hex("00 90 3c 64  00 f7 01 f8  00 3e 64  00 ff 2f 00"),
         {"0: 90 3c 64", "0: f7 f8", "0: 90 3e 64", "0: ff 2f"}},
        {"empty, and with a count of two bytes",
         1,
         Hex("00 f7 00") + escape130 + Hex("00 ff 2f 00"),
         {"0: f7", escape130Line, "16: ff 2f"}},
        {"split: filed with the meta events",
         0,
         Hex("00 93 3c 64  00 f7 02 01 02  00 ff 2f 00"),
         {"0: f7 01 02", "0: ff 2f"}},
    };
    for (const Case& c : cases) {
        TSmfFile song = Loaded(Smf(c.format, {Track(c.events)}));
        EXPECT_EQ(Events(song, 0), c.record0) << c.what;
    }
}

TEST(ReaderEvents, LongEventsKeepEveryByte) {
    Bytes text(300, 'a');
    text[299] = 'z';
    Bytes sysex(200, 0x11);
    sysex.back() = 0xF7;
    const Bytes events =
        Hex("00 ff 01 82 2c") + text + Hex("00 f0 81 48") + sysex + Hex("00 90 3c 64 00 ff 2f 00");
    TSmfFile song = Loaded(Smf(1, {Track(events)}));
    auto event = song.EventsOf(0).begin();
    const SmfEvent meta = *event++;
    EXPECT_EQ(meta.body.size(), 300u);
    EXPECT_EQ(meta.body.back(), 'z');
    const SmfEvent sx = *event++;
    EXPECT_EQ(sx.body.size(), 200u);
    EXPECT_EQ(sx.body.back(), 0xF7);
    EXPECT_EQ(Describe(*event), "0: 90 3c 64")
        << "the event after them is read from the right place";
}

TEST(ReaderEvents, VariableLengthQuantitiesKeep32Bits) {
    // Five bytes: 0x8F FF FF FF 7F would be 36 bits; the top bits are lost.
    TSmfFile song = Loaded(Smf(1, {Track("8f ff ff ff 7f 90 3c 64  00 ff 2f 00")}));
    EXPECT_EQ((*song.EventsOf(0).begin()).time, 0xFFFFFFFFu);
}

TEST(ReaderEvents, TrackNames) {
    const Bytes longName(140, 'n');
    TSmfFile song =
        Loaded(Smf(1, {
                          Track(R"(00 ff 03 00          # empty name: dropped, name stays empty
                 00 ff 03 03 4f 6e 65 # "One" becomes the name
                 00 ff 03 03 54 77 6f # a second name is an event
                 00 ff 2f 00)"),
                          Track(Hex("00 ff 03 81 0c") + longName + Hex("00 ff 2f 00")),
                      }));
    EXPECT_EQ(song.TrackName(0), "One");
    EXPECT_EQ(Events(song, 0), (Lines{"0: ff 03 54 77 6f", "0: ff 2f"}));
    EXPECT_EQ(song.TrackName(1), std::string(127, 'n'));
}

TEST(ReaderEvents, ChunksMergeByTimeThenChunkOrder) {
    TSmfFile song = Loaded(Smf(1, {
                                      Track("00 90 3c 64  60 80 3c 40  00 ff 2f 00"),
                                      Track("60 91 3e 64  00 ff 2f 00"),
                                  }));
    EXPECT_EQ(Events(song, 0), (Lines{"0: 90 3c 64", "96: 80 3c 40", "96: ff 2f"}));
    EXPECT_EQ(Events(song, 1), (Lines{"96: 91 3e 64", "96: ff 2f"}));
}

TEST(ReaderEvents, NothingAfterEndOfTrackIsRead) {
    TSmfFile song = Loaded(Smf(1, {Track("00 90 3c 64  00 ff 2f 00  00 80 3c 40")}));
    EXPECT_EQ(Events(song, 0), (Lines{"0: 90 3c 64", "0: ff 2f"}));
}

// ---- the channel split of format-0 files ----

TEST(ReaderSplit, Format0SpreadsOverChannelRecords) {
    TSmfFile song = Loaded(Smf(0, {Track(R"(
        00 ff 03 04 53 6f 6e 67    # the name of record 0
        00 ff 51 03 07 a1 20       # tempo
        00 c9 00                   # drums on channel 9
        00 90 3c 64
        00 f0 02 01 f7
        60 99 24 64
        60 80 3c 40
        00 ff 01 01 41
        60 ff 2f 00)")}));
    ASSERT_EQ(song.GetTrackCount(), 17);
    EXPECT_TRUE(song.channelsSplit);
    EXPECT_EQ(song.TrackName(0), "Song");
    EXPECT_EQ(Events(song, 0), (Lines{"0: ff 51 07 a1 20", "0: 90 3c 64", "0: f0 01 f7",
                                      "192: 80 3c 40", "192: ff 01 41", "192: ff 2f"}));
    EXPECT_EQ(Events(song, 9), (Lines{"0: c9 00", "96: 99 24 64", "96: ff 2f"}))
        << "each record ends at its own last event";
    for (int t : {1, 2, 8, 10, 15, 16})
        EXPECT_TRUE(song.tracks()[t].empty()) << "record " << t;
}

TEST(ReaderSplit, LaterChunksOfAFormat0FileAreNotCutShort) {
    // A format-0 file with two chunks: the first chunk's End of Track must not
    // end channel 1's record before the second chunk's events on channel 1.
    TSmfFile song = Loaded(Smf(0, {
                                      Track("00 90 3c 64  00 ff 2f 00"),
                                      Track("00 91 3e 64  60 81 3e 40  00 ff 2f 00"),
                                  }));
    EXPECT_EQ(Events(song, 1), (Lines{"0: 91 3e 64", "96: 81 3e 40", "96: ff 2f"}));
}

TEST(ReaderSplit, MoreThanSeventeenChunks) {
    Bytes image = Header(0, 20);
    for (int i = 0; i < 20; ++i)
        image = image + Track("00 90 3c 64  00 ff 2f 00");
    TSmfFile song = Loaded(image);
    EXPECT_EQ(Events(song, 0).size(), 21u);
}

// ---- bounds: a chunk's events come only from its own bytes ----

TEST(ReaderBounds, ChunkEndingMidEventFilesNothingOfIt) {
    struct Case {
        const char* what;
        const char* events;
    };
    const Case cases[] = {
        {"inside a delta time", "00 90 3c 64  81"},
        {"inside a channel event", "00 90 3c 64  00 90 3e"},
        {"inside a meta length", "00 90 3c 64  00 ff 01 81"},
        {"inside a meta body", "00 90 3c 64  00 ff 01 05 48 69"},
        {"inside a sysex body", "00 90 3c 64  00 f0 05 7e 7f"},
        {"before the meta type", "00 90 3c 64  00 ff"},
        {"a system common byte's data", "00 90 3c 64  00 f2"},
        {"inside an escape's count", "00 90 3c 64  00 f7 81"},
        {"inside an escape's bytes", "00 90 3c 64  00 f7 03 41 42"},
    };
    for (const Case& c : cases) {
        // The next chunk follows directly: its bytes must not be taken for the rest.
        TSmfFile song = Loaded(Smf(1, {Track(c.events), Track("00 91 40 64  00 ff 2f 00")}));
        EXPECT_EQ(Events(song, 0), (Lines{"0: 90 3c 64"})) << c.what;
        EXPECT_EQ(Events(song, 1), (Lines{"0: 91 40 64", "0: ff 2f"})) << c.what;
    }
}

TEST(ReaderBounds, ChunkLongerThanTheFileIsClippedToIt) {
    const Bytes image = Header(1, 1) + Hex("4d 54 72 6b 7f ff ff ff  00 90 3c 64  00 ff 01 7f 41");
    TSmfFile song = Loaded(image);
    EXPECT_EQ(Events(song, 0), (Lines{"0: 90 3c 64"}));
}

} // namespace
} // namespace lyricast

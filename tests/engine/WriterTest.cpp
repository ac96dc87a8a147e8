#include "engine/SmfWriter.h"
#include "engine/TSmfFile.h"
#include "platform/FileError.h"
#include "support/SmfBuilder.h"
#include "support/SongText.h"
#include "support/TempDir.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>
#endif

namespace lyricast {
namespace {

using namespace test;

Bytes Saved(const Bytes& source) {
    const TSmfFile song = Loaded(source);
    Bytes out;
    EXPECT_EQ(song.SaveToBytes(out), kSaved);
    return out;
}

// The merged track's events, between the track header and the closing End of Track.
Bytes TrackEvents(const Bytes& file) {
    return Bytes(file.begin() + 22, file.end() - 4);
}

TEST(WriterLayout, OneNoteFile) {
    const Bytes out = Saved(Smf(1, {Track("00 90 3c 64  60 80 3c 40  83 60 ff 2f 00")}, 480));
    EXPECT_EQ(
        out,
        Hex(R"(4d 54 68 64  00 00 00 06  00 00  00 01  01 e0   # format 0, one track, division 480
                          4d 54 72 6b  00 00 00 0c
                          00 90 3c 64  60 80 3c 40  00 ff 2f 00)"))
        << "the End of Track follows the last event, not the list's own later one";
}

TEST(WriterLayout, VariableLengthQuantities) {
    const std::pair<std::uint32_t, const char*> cases[] = {
        {0, "00"},
        {127, "7f"},
        {128, "81 00"},
        {384, "83 00"},
        {16383, "ff 7f"},
        {16384, "81 80 00"},
        {0x0FFFFFFF, "ff ff ff 7f"},
    };
    for (const auto& [value, hex] : cases) {
        SmfWriter writer;
        EXPECT_EQ(writer.WriteVarLen(value), Hex(hex).size());
        EXPECT_EQ(writer.Take(), Hex(hex)) << value;
    }
    // Beyond 28 bits a quantity would need a fifth byte: refused, nothing written.
    for (const std::uint32_t value : {0x10000000u, 0x10000005u, 0xFFFFFFFFu}) {
        SmfWriter writer;
        EXPECT_EQ(writer.WriteVarLen(1), 1u);
        EXPECT_EQ(writer.WriteVarLen(value), 0u) << value;
        EXPECT_EQ(writer.Take(), Hex("01")) << value;
    }
}

TEST(WriterLayout, LongMetaAndSysexEventsKeepEveryByte) {
    const Bytes text130(130, 'x');
    const Bytes text127(127, 'y');
    const Bytes text300(300, 'z');
    const Bytes out = Saved(Smf(
        1, {Track(Hex("00 ff 01 81 02") + text130 + Hex("00 ff 01 7f") + text127 +
                  Hex("00 ff 06 82 2c") + text300 + Hex("00 f0 05 7e 7f 09 01 f7  00 ff 2f 00"))}));
    EXPECT_EQ(TrackEvents(out), Hex("00 ff 01 81 02") + text130 + Hex("00 ff 01 7f") + text127 +
                                    Hex("00 ff 06 82 2c") + text300 +
                                    Hex("00 f0 05 7e 7f 09 01 f7"));
}

TEST(WriterLayout, EscapesAreWrittenWithTheirCountAndGoOn) {
    const Bytes text130(130, 'x');
    EXPECT_EQ(TrackEvents(Saved(
                  Smf(1, {Track("00 f7 03 41 42 43  00 90 3c 64  60 80 3c 40  00 ff 2f 00")}))),
              Hex("00 f7 03 41 42 43  00 90 3c 64  60 80 3c 40"));
    EXPECT_EQ(TrackEvents(Saved(Smf(1, {Track(Hex("00 f7 80 00  05 f7 81 02") + text130 +
                                              Hex("00 91 3c 64  00 ff 2f 00"))}))),
              Hex("00 f7 00  05 f7 81 02") + text130 + Hex("00 91 3c 64"))
        << "an empty escape, a count of two bytes, and one spelled longer than it needs";
}

TEST(WriterMerge, ListsMergeByTimeThenListOrder) {
    const Bytes out = Saved(Smf(1, {
                                       Track("00 90 3c 64  60 80 3c 40  00 ff 2f 00"),
                                       Track("00 91 3e 64  60 81 3e 40  00 ff 2f 00"),
                                       Track("30 92 40 64  00 ff 2f 00"),
                                   }));
    EXPECT_EQ(TrackEvents(out), Hex(R"(00 90 3c 64  00 91 3e 64
                                       30 92 40 64
                                       30 80 3c 40  00 81 3e 40)"));
}

TEST(WriterMerge, ListWhoseTimeWrapsGoesOnPastTheWrap) {
    // Sixteen deltas of 0x0FFFFFFF bring the first list to 0xFFFFFFF0; its
    // next delta wraps its time round to 0x10. The list being written goes on
    // with that event, earlier than any written, as the merge time has
    // already passed it, and the delta wraps back to the 0x20 ticks of the file.
    std::string first;
    for (int i = 0; i < 16; ++i)
        first += "ff ff ff 7f 90 3c 64  ";
    const Bytes out = Saved(
        Smf(1, {Track(first + "20 80 3c 40  00 ff 2f 00"), Track("18 91 3e 64  00 ff 2f 00")}));
    std::string expected = "18 91 3e 64  ff ff ff 67 90 3c 64  ";
    for (int i = 1; i < 16; ++i)
        expected += "ff ff ff 7f 90 3c 64  ";
    EXPECT_EQ(TrackEvents(out), Hex(expected + "20 80 3c 40"));
}

TEST(WriterMerge, FirstDeltaIsTheAbsoluteTime) {
    EXPECT_EQ(TrackEvents(Saved(Smf(1, {Track("81 00 90 3c 64  00 ff 2f 00")}))),
              Hex("81 00 90 3c 64"));
}

TEST(WriterMerge, WhatIsNotCopied) {
    const Bytes out = Saved(Smf(
        1,
        {
            Track("00 ff 03 02 41 42  00 90 3c 64  00 ff 2f 00  00 80 3c 40"), // name; events after
                                                                               // End of Track
            Track("00 ff 2f 00"), // only an End of Track
        }));
    EXPECT_EQ(TrackEvents(out), Hex("00 90 3c 64"));
}

TEST(WriterMerge, Format0SongComesOutWhole) {
    // Split over 17 records, most of them empty: every event must still be written.
    const Bytes source = Smf(0, {Track(R"(00 ff 51 03 07 a1 20  00 c9 00  00 90 3c 64
                                           60 99 24 64  60 80 3c 40  00 ff 05 01 41  60 ff 2f 00)")});
    EXPECT_EQ(TrackEvents(Saved(source)), Hex("00 ff 51 03 07 a1 20  00 90 3c 64  00 c9 00  60 99 "
                                              "24 64  60 80 3c 40  00 ff 05 01 41"));
}

TEST(WriterMerge, EmptySongStillGetsItsTrack) {
    EXPECT_EQ(Saved(Header(1, 0, 480)), Header(0, 1, 480) + Track("00 ff 2f 00"));
}

TEST(WriterMerge, SavedFileReadsBackTheSame) {
    const Bytes source =
        Smf(1, {
                   Track("00 ff 01 03 41 2f 42  00 90 3c 64  83 60 80 3c 40  00 ff 2f 00"),
                   Track("00 f0 03 43 12 f7  82 00 b1 07 64  00 ff 2f 00"),
               });
    TSmfFile again;
    ASSERT_TRUE(again.LoadFileImage(Saved(source)));
    // Read back as format 0, so spread over channels again.
    EXPECT_EQ(Events(again, 0), (Lines{"0: ff 01 41 2f 42", "0: 90 3c 64", "0: f0 43 12 f7",
                                       "480: 80 3c 40", "480: ff 2f"}));
    EXPECT_EQ(Events(again, 1), (Lines{"256: b1 07 64", "256: ff 2f"}));
}

TEST(WriterLimits, DeltaBeyondFourBytesFailsTheSaveAndLeavesNoFile) {
    // Two events 0x10000000 ticks apart: 0x0FFFFFFF is the largest delta a file can hold.
    const Bytes source = Smf(1, {Track("00 90 3c 64  81 80 80 80 00 80 3c 40  00 ff 2f 00")});
    TSmfFile song;
    ASSERT_TRUE(song.LoadFileImage(source));
    Bytes out;
    EXPECT_EQ(song.SaveToBytes(out), kSaveNotWritable);

    TempDir dir;
    EXPECT_EQ(song.SaveToFile(dir / "out.MID"), kSaveNotWritable);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

// ---- files ----

class WriterFiles : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(song.LoadFileImage(Smf(1, {Track("00 90 3c 64  00 ff 2f 00")})));
    }

    std::vector<std::string> FolderContents() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(dir.path()))
            names.push_back(e.path().filename().string());
        return names;
    }

    TempDir dir;
    TSmfFile song;
};

TEST_F(WriterFiles, ExistingFileIsReplacedWhole) {
    const std::string path = dir / "song.MID";
    WriteBytes(path, Bytes(5000, 0xAA));
    ASSERT_EQ(song.SaveToFile(path), kSaved);
    EXPECT_EQ(ReadBytes(path), Saved(Smf(1, {Track("00 90 3c 64  00 ff 2f 00")})));
    EXPECT_EQ(FolderContents(), std::vector<std::string>{"song.MID"})
        << "no temporary file is left";
}

TEST_F(WriterFiles, MissingFolderRaisesCannotCreate) {
    const std::string path = dir / "no such folder/song.MID";
    try {
        (void)song.SaveToFile(path);
        FAIL() << "no error raised";
    } catch (const FileError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot create file " + path);
    }
}

TEST_F(WriterFiles, FailedWriteRaisesAndKeepsTheOldFile) {
#ifdef _WIN32
    GTEST_SKIP()
        << "Windows has no per-process file size limit to make a write fail as a full disk would";
#else
    const std::string path = dir / "song.MID";
    WriteBytes(path, Hex("01 02 03"));
    // A file size limit makes every write past 10 bytes fail, as a full disk would.
    struct rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit tiny = saved;
    tiny.rlim_cur = 10;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
    std::string message;
    try {
        (void)song.SaveToFile(path);
    } catch (const FileError& error) {
        message = error.what();
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(message, "Cannot write file " + path);
    EXPECT_EQ(ReadBytes(path), Hex("01 02 03"));
    EXPECT_EQ(FolderContents(), std::vector<std::string>{"song.MID"});
#endif
}

} // namespace
} // namespace lyricast

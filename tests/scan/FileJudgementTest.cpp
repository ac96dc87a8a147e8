#include "scan/FileJudgement.h"
#include "support/Corpus.h"
#include "support/MemoryLimit.h"
#include "support/OddFiles.h"
#include "support/SmfBuilder.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace lyricast {
namespace {

using namespace test;

TEST(FileJudgement, VerdictsAndTrackCounts) {
    TempDir dir;
    WriteBytes(dir / "f1.kar",
               Smf(1, {Track("00 ff 2f 00"), Track("00 ff 2f 00"), Track("00 ff 2f 00")}));
    WriteBytes(dir / "f0.kar", Smf(0, {Track("00 ff 2f 00")}));
    WriteBytes(dir / "text.kar", Hex("68 65 6c 6c 6f 20 74 68 65 72 65 21 21 21 21"));
    WriteBytes(dir / "short.kar", Header(1, 4) + Track("00 ff 2f 00"));
    std::filesystem::create_directory(dir.path() / "folder.kar");

    TSmfFile song;
    struct Case {
        const char* name;
        bool good;
        int tracks;
    };
    // In this order, so a bad file right after a good one shows whether a
    // count is left over.
    const Case cases[] = {
        {"f1.kar", true, 3},     {"text.kar", false, 0},   {"f0.kar", true, 17},
        {"short.kar", false, 4}, {"folder.kar", false, 0}, {"missing.kar", false, 0},
    };
    for (const Case& c : cases) {
        const Judgement j = JudgeFile(song, dir / c.name);
        EXPECT_EQ(j.good, c.good) << c.name;
        EXPECT_EQ(j.trackCount, c.tracks) << c.name;
        EXPECT_FALSE(song.loaded) << c.name;
    }
}

// The verdict reads the headers, never the whole file: a file far larger than
// memory is judged as quickly as a small one, by the same rules.
TEST(FileJudgement, HugeFileIsJudgedByItsHeadersAlone) {
    TempDir dir;
    const std::string good = dir / "good.kar";
    const std::string cut = dir / "cut.kar";
    WriteBytes(good, Smf(1, {Track("00 ff 2f 00"), Track("00 ff 2f 00")}));
    WriteBytes(cut, Header(1, 3) + Track("00 ff 2f 00"));
    std::error_code error;
    for (const std::string& path : {good, cut})
        std::filesystem::resize_file(path, std::uintmax_t{100} << 30, error);
    if (error)
        GTEST_SKIP() << "this file system makes no 100 GB sparse file: " << error.message();

    TSmfFile song;
    const Judgement goodJudgement = JudgeFile(song, good);
    EXPECT_TRUE(goodJudgement.good);
    EXPECT_EQ(goodJudgement.trackCount, 2);
    // The third chunk header is zeros within the file, not beyond its end.
    const Judgement cutJudgement = JudgeFile(song, cut);
    EXPECT_FALSE(cutJudgement.good);
    EXPECT_EQ(cutJudgement.trackCount, 3);
}

TEST(FileJudgement, WhatIsNotARegularFileIsBadAtOnce) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has neither named pipes in folders nor /dev";
#else
    TempDir dir;
    const std::vector<std::string> names = MakeOddKaraokeFiles(dir.path());
    ASSERT_EQ(names.size(), 3u);
    const auto judgedBad = [&] {
        TSmfFile song;
        for (const std::string& name : names) {
            const Judgement j = JudgeFile(song, dir / name);
            if (j.good || j.trackCount != 0)
                return false;
        }
        return true;
    };
    EXPECT_EQ(StatusUnderMemoryLimit(judgedBad), 0);
#endif
}

// Reading only the headers must judge every file exactly as reading it whole.
TEST(FileJudgement, HeadersAloneGiveTheWholeFilesVerdict) {
    SKIP_WITHOUT_CORPUS();
    TSmfFile song;
    TSmfFile whole;
    for (const auto& path : CorpusFiles()) {
        const std::vector<std::uint8_t> image = ReadBytes(path.string());
        const bool good = whole.LoadHeaderImage(image);
        const int tracks =
            good || whole.headerResult == kHeaderDamagedChunk ? whole.GetTrackCount() : 0;
        whole.Reset();
        const Judgement j = JudgeFile(song, path.string());
        EXPECT_EQ(j.good, good) << path;
        EXPECT_EQ(j.trackCount, tracks) << path;
    }
}

TEST(FileJudgement, CorpusFilesAgreeWithTheirHeaders) {
    SKIP_WITHOUT_CORPUS();
    const std::pair<const char*, Judgement> cases[] = {
        {"kar/twinkle.kar", {true, 6}},
        {"kar/ANG_PAGIBIG_KONG_ITO_218425.kar", {true, 17}}, // format 0
        {"mid/laguna1.mid", {true, 73}},
        {"mid/xavier_rudd-no_woman_no_cry.mid", {true, 0}},
        {"malformed/MIDIBadHeaderChunk.mid", {false, 0}},
        {"malformed/MIDIBadTrackHdr.mid", {false, 17}},
        {"malformed/PiDamaged.mid", {false, 30}},
        {"malformed/MIDIBadTrackLength.mid", {true, 17}}, // damaged events, sound chunk headers
        {"malformed/Chop_Suey.mid", {false, 0}},
    };
    TSmfFile song;
    for (const auto& [name, expected] : cases) {
        const Judgement j = JudgeFile(song, (CorpusDir() / name).string());
        EXPECT_EQ(j.good, expected.good) << name;
        EXPECT_EQ(j.trackCount, expected.trackCount) << name;
    }
}

} // namespace
} // namespace lyricast

#include "scan/FileJudgement.h"
#include "support/Corpus.h"
#include "support/SmfBuilder.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace lyricast {
namespace {

using namespace test;

TEST(FileJudgement, VerdictsAndTrackCounts) {
    TempDir dir;
    WriteBytes(dir / "f1.kar", Smf(1, {Track("00 ff 2f 00"), Track("00 ff 2f 00"), Track("00 ff 2f 00")}));
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
        {"f1.kar", true, 3},      {"text.kar", false, 0}, {"f0.kar", true, 17},
        {"short.kar", false, 4},  {"folder.kar", false, 0}, {"missing.kar", false, 0},
    };
    for (const Case& c : cases) {
        const Judgement j = JudgeFile(song, dir / c.name);
        EXPECT_EQ(j.good, c.good) << c.name;
        EXPECT_EQ(j.trackCount, c.tracks) << c.name;
        EXPECT_FALSE(song.loaded) << c.name;
    }
}

TEST(FileJudgement, CorpusFilesAgreeWithTheirHeaders) {
    SKIP_WITHOUT_CORPUS();
    const std::pair<const char*, Judgement> cases[] = {
        {"kar/twinkle.kar", {true, 6}},
        {"kar/ANG_PAGIBIG_KONG_ITO_218425.kar", {true, 17}},  // format 0
        {"mid/laguna1.mid", {true, 73}},
        {"mid/xavier_rudd-no_woman_no_cry.mid", {true, 0}},
        {"malformed/MIDIBadHeaderChunk.mid", {false, 0}},
        {"malformed/MIDIBadTrackHdr.mid", {false, 17}},
        {"malformed/PiDamaged.mid", {false, 30}},
        {"malformed/MIDIBadTrackLength.mid", {true, 17}},  // damaged events, sound chunk headers
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

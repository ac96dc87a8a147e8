#include "convert/ConversionPool.h"
#include "convert/ConversionReason.h"
#include "support/CaseFoldingFolder.h"
#include "support/Platform.h"
#include "support/SmfBuilder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace lyricast {
namespace {

using namespace test;
using Status = ConversionResult::Status;
namespace fs = std::filesystem;

const Bytes kFirstSong = Smf(1, {Track("00 90 3c 64  60 80 3c 40  00 ff 2f 00")});
const Bytes kSecondSong = Smf(1, {Track("00 90 40 64  60 80 40 40  00 ff 2f 00")});

std::vector<ConversionResult> RunAll(unsigned workers, const std::vector<ConversionJob>& jobs) {
    std::vector<ConversionResult> results;
    ConversionPool(workers).Run(
        jobs, [&](std::size_t, const ConversionResult& result) { results.push_back(result); });
    return results;
}

// Two songs whose outputs differ only in letter case, into one folder.
std::vector<ConversionJob> CaseOnlyClash(const TempDir& sources, const std::string& out) {
    WriteBytes(sources / "Case A/Song.kar", kFirstSong);
    WriteBytes(sources / "Case B/SONG.kar", kSecondSong);
    return {{sources / "Case A/Song.kar", out + "/Song.MID"},
            {sources / "Case B/SONG.kar", out + "/SONG.MID"}};
}

TEST(OutputClaims, NamesDifferingInCaseAreOneOutputWhereTheFolderFoldsCase) {
    const CaseFoldingFolder folding;
    if (!folding.path())
        GTEST_SKIP() << folding.reason();
    TempDir sources;
    const std::vector<ConversionJob> jobs = CaseOnlyClash(sources, *folding.path());
    for (unsigned workers : {1u, 2u}) {
        for (int run = 0; run < 10; ++run) {
            const auto results = RunAll(workers, jobs);
            ASSERT_EQ(results.size(), 2u);
            EXPECT_EQ(results[0].status, Status::Converted);
            ASSERT_EQ(results[1].status, Status::OutputTaken) << workers;
            EXPECT_EQ(FailureReason(jobs, 1, results[1]), "the output " + *jobs[1].output +
                                                              " is that of " + jobs[0].source +
                                                              ", earlier in this run");
            EXPECT_EQ(ReadBytes(*jobs[0].output),
                      Header(0, 1) + Track("00 90 3c 64  60 80 3c 40  00 ff 2f 00"));
        }
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(*folding.path()), fs::directory_iterator()), 1);
}

// Folders made only as the outputs are written (the folder tree kept): the
// nearest folder there stands for the rest, with its file system's rules.
TEST(OutputClaims, OutputsInFoldersNotYetMadeClashByTheFolderThatIs) {
    const CaseFoldingFolder folding;
    if (!folding.path())
        GTEST_SKIP() << folding.reason();
    TempDir sources;
    WriteBytes(sources / "Rock/Song.kar", kFirstSong);
    WriteBytes(sources / "rock/SONG.kar", kSecondSong);
    const std::string out = *folding.path();
    const std::vector<ConversionJob> jobs{{sources / "Rock/Song.kar", out + "/Rock/Song.MID", out},
                                          {sources / "rock/SONG.kar", out + "/rock/SONG.MID", out}};
    const auto results = RunAll(2, jobs);
    EXPECT_EQ(results[0].status, Status::Converted);
    EXPECT_EQ(results[1].status, Status::OutputTaken);
}

TEST(OutputClaims, NamesDifferingInCaseAreTwoOutputsWhereTheFolderTellsCaseApart) {
    if (kWindows)
        GTEST_SKIP() << "every Windows folder here ignores letter case";
    TempDir sources;
    TempDir out;
    const auto results = RunAll(2, CaseOnlyClash(sources, out.str()));
    EXPECT_EQ(results[0].status, Status::Converted);
    EXPECT_EQ(results[1].status, Status::Converted);
    EXPECT_TRUE(fs::exists(out / "Song.MID"));
    EXPECT_TRUE(fs::exists(out / "SONG.MID"));
}

TEST(OutputClaims, AnOutputThatIsAnotherSourceInOtherCaseIsRefused) {
    const CaseFoldingFolder folding;
    if (!folding.path())
        GTEST_SKIP() << folding.reason();
    // x.kar's output x.MID is the file X.mid there, another source of the run.
    WriteBytes(*folding.path() + "/x.kar", kFirstSong);
    WriteBytes(*folding.path() + "/X.mid", kSecondSong);
    const std::vector<ConversionJob> jobs{{*folding.path() + "/x.kar", *folding.path() + "/x.MID"},
                                          {*folding.path() + "/X.mid", *folding.path() + "/X.MID"}};
    const auto results = RunAll(1, jobs);
    EXPECT_EQ(results[0].status, Status::ReplacesSource);
    EXPECT_EQ(results[1].status, Status::ReplacesSource);
    EXPECT_EQ(ReadBytes(*folding.path() + "/X.mid"), kSecondSong);
}

// A MIDI file listed beside the karaoke files is named song.MID already:
// its output would be the source itself.
TEST(OutputClaims, AnOutputOfTheSourcesOwnNameIsRefused) {
    TempDir dir;
    const std::string source = dir.str() + "/song.MID";
    WriteBytes(source, kFirstSong);
    const auto results = RunAll(1, {{source, source}});
    EXPECT_EQ(results[0].status, Status::ReplacesSource);
    EXPECT_EQ(ReadBytes(source), kFirstSong);
}

} // namespace
} // namespace lyricast

// kar2mid on a collection: outputs that are there before the run, the
// folder tree kept below the output folder, and the report.
#include "cli/Kar2mid.h"
#include "support/Platform.h"
#include "support/SmfBuilder.h"
#include "support/TempDir.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

namespace lyricast {
namespace {

using namespace test;
namespace fs = std::filesystem;

const Bytes kKaraoke =
    Smf(1, {Track("00 ff 01 04 48 69 2f 5c  00 90 3c 64  60 80 3c 40  00 ff 2f 00")});
const Bytes kConverted =
    Header(0, 1) + Track("00 ff 05 04 48 69 0d 20  00 90 3c 64  60 80 3c 40  00 ff 2f 00");
const Bytes kOld = Hex("6f 6c 64");

class Kar2midCollectionTest : public ::testing::Test {
protected:
    int Run(std::vector<std::string> args) {
        out.str({});
        err.str({});
        return RunKar2mid(args, out, err, false);
    }
    // A path in the test's folder spelled with the platform's own separator.
    std::string Native(const std::string& relative) const {
        return (dir.path() / fs::path(relative).make_preferred()).string();
    }
    std::string Add(const std::string& relative, const Bytes& bytes = kKaraoke) {
        WriteBytes(Native(relative), bytes);
        return Native(relative);
    }
    // The output there, `age` older (negative: newer) than its source.
    void Existing(const std::string& source, const std::string& output, std::chrono::hours age) {
        WriteBytes(Native(output), kOld);
        fs::last_write_time(Native(output), fs::last_write_time(Native(source)) - age);
    }

    TempDir dir;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(Kar2midCollectionTest, AnOutputThereIsReplacedUnlessTheRunSkipsIt) {
    const std::string source = Add("d/a.kar");
    Existing("d/a.kar", "d/a.MID", std::chrono::hours(-1));
    EXPECT_EQ(Run({"--existing", "skip", dir / "d"}), 0) << "a skip is no failure";
    EXPECT_EQ(out.str(), "skipped: " + source + ": " + Native("d/a.MID") +
                             " exists\n0 converted, 0 failed, 1 skipped\n");
    EXPECT_EQ(ReadBytes(Native("d/a.MID")), kOld);

    EXPECT_EQ(Run({"--existing=replace", dir / "d"}), 0);
    EXPECT_EQ(ReadBytes(Native("d/a.MID")), kConverted);
    EXPECT_EQ(Run({dir / "d"}), 0);
    EXPECT_EQ(out.str(),
              "converted: " + source + " -> " + Native("d/a.MID") + "\n1 converted, 0 failed\n")
        << "replacing is what a run does unless told";
}

TEST_F(Kar2midCollectionTest, UpdateConvertsOnlyWhatIsMissingOrOlderThanItsSource) {
    const std::string older = Add("d/older.kar");
    const std::string newer = Add("d/newer.kar");
    const std::string missing = Add("d/missing.kar");
    Existing("d/older.kar", "d/older.MID", std::chrono::hours(1));
    Existing("d/newer.kar", "d/newer.MID", std::chrono::hours(-1));
    EXPECT_EQ(Run({"--update", dir / "d"}), 0) << err.str();
    EXPECT_EQ(out.str(), "converted: " + missing + " -> " + Native("d/missing.MID") + "\n" +
                             "skipped: " + newer + ": " + Native("d/newer.MID") + " exists\n" +
                             "converted: " + older + " -> " + Native("d/older.MID") + "\n" +
                             "2 converted, 0 failed, 1 skipped\n");
    EXPECT_EQ(ReadBytes(Native("d/older.MID")), kConverted);
    EXPECT_EQ(ReadBytes(Native("d/newer.MID")), kOld);

    EXPECT_EQ(Run({"--update", dir / "d"}), 0);
    EXPECT_EQ(out.str().substr(out.str().rfind('\n', out.str().size() - 2) + 1),
              "0 converted, 0 failed, 3 skipped\n")
        << "a second run finds nothing new";
}

// Songs of one name in different folders no longer clash; a file named on
// its own has its own folder as root; a folder that cannot be made fails
// its file alone.
TEST_F(Kar2midCollectionTest, KeepTreeWritesEachOutputAtItsPlaceBelowTheOutputFolder) {
    Add("k/Rock/Queen/song.kar");
    Add("k/Pop/song.kar");
    Add("k/top.kar");
    const std::string alone = Add("other/deep/alone.kar");
    fs::create_directories(Native("out"));
    EXPECT_EQ(Run({"-r", "-o", dir / "out", "--keep-tree", dir / "k", alone}), 0) << err.str();
    EXPECT_EQ(ReadBytes(Native("out/Rock/Queen/song.MID")), kConverted);
    EXPECT_EQ(ReadBytes(Native("out/Pop/song.MID")), kConverted);
    EXPECT_TRUE(fs::exists(Native("out/top.MID")));
    EXPECT_TRUE(fs::exists(Native("out/alone.MID")));
    EXPECT_NE(out.str().find(" -> " + Native("out/Rock/Queen/song.MID") + "\n"), std::string::npos);

    fs::remove_all(Native("out"));
    WriteBytes(Native("out/Pop"), kOld);
    EXPECT_EQ(Run({"-r", "-o", dir / "out", "--keep-tree", dir / "k"}), 1);
    EXPECT_TRUE(err.str().starts_with("failed: " + Native("k/Pop/song.kar") +
                                      ": Cannot create folder " + Native("out/Pop") + ": "))
        << err.str();
    EXPECT_TRUE(fs::exists(Native("out/Rock/Queen/song.MID")));
    EXPECT_TRUE(out.str().ends_with("2 converted, 1 failed\n")) << out.str();
}

TEST_F(Kar2midCollectionTest, TheReportHasARowForEverySource) {
    const std::string good = Add("d/good.kar");
    const std::string bad = Add("d/bad.kar", Hex("00 01 02"));
    const std::string there = Add("d/there.kar");
    Existing("d/there.kar", "d/there.MID", std::chrono::hours(-1));
    fs::create_directories(Native("d/folder.kar"));
    const std::string missing = Native("gone.kar");
    EXPECT_EQ(Run({"--update", "--report", dir / "report.csv", dir / "d", missing}), 1);
    const Bytes report = ReadBytes(Native("report.csv"));
    EXPECT_EQ(std::string(report.begin(), report.end()),
              "source,output,result,reason,lyrics\r\n" + bad + "," + Native("d/bad.MID") +
                  ",bad,not a MIDI file,\r\n" + Native("d/folder.kar") + ",,skipped,a folder,\r\n" +
                  good + "," + Native("d/good.MID") + ",converted,,\r\n" + there + "," +
                  Native("d/there.MID") + ",skipped," + Native("d/there.MID") + " exists,\r\n" +
                  missing + ",,failed,no such file or folder,\r\n");

    EXPECT_EQ(Run({"--report", dir / "nowhere/report.csv", dir / "d"}), 2);
    EXPECT_EQ(err.str(), "kar2mid: the report's folder " + Native("nowhere") + " does not exist\n");
    EXPECT_EQ(Run({"--report", dir / "d", dir / "d"}), 2);
    EXPECT_EQ(err.str(), "kar2mid: the report " + Native("d") + " is a folder\n");
}

TEST_F(Kar2midCollectionTest, CollectionOptionsThatCannotGoTogetherAreUsageErrors) {
    for (const auto& args :
         std::vector<std::vector<std::string>>{{"--existing", "ask", "x.kar"},
                                               {"--existing"},
                                               {"--existing", "skip", "--update", "x.kar"},
                                               {"--keep-tree", "x.kar"},
                                               {"--report", "", "x.kar"},
                                               {"--list", "--report", "r.csv", "d"},
                                               {"--list", "--update", "d"}}) {
        EXPECT_EQ(Run(args), 2) << args[0];
        EXPECT_NE(err.str().find("Usage: kar2mid"), std::string::npos);
    }
    EXPECT_EQ(Run({"--existing", "maybe", "x.kar"}), 2);
    EXPECT_TRUE(err.str().starts_with("kar2mid: --existing takes replace or skip, not maybe\n"));
}

} // namespace
} // namespace lyricast

// What a run does with the outputs that are there before it: planned before
// any file is written, then kept to by the pool.
#include "convert/ExistingOutputs.h"
#include "convert/ConversionPool.h"
#include "support/Platform.h"
#include "support/SmfBuilder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace lyricast {
namespace {

using namespace test;
using Status = ConversionResult::Status;
namespace fs = std::filesystem;

const Bytes kSong = Smf(1, {Track("00 ff 01 02 61 2f  00 90 3c 64  60 80 3c 40  00 ff 2f 00")});
const Bytes kOld = Hex("6f 6c 64"); // what was at an output before the run

class ExistingOutputsTest : public ::testing::Test {
protected:
    // "new": no output yet; "there": an output older than its source;
    // "fresh": an output newer than its source.
    void SetUp() override {
        const auto now = fs::file_time_type::clock::now();
        for (const char* name : {"new", "there", "fresh"}) {
            WriteBytes(dir / (std::string(name) + ".kar"), kSong);
            jobs.push_back(
                {dir / (std::string(name) + ".kar"), dir / (std::string(name) + ".MID")});
            fs::last_write_time(jobs.back().source, now);
        }
        WriteBytes(dir / "there.MID", kOld);
        fs::last_write_time(dir / "there.MID", now - std::chrono::hours(1));
        WriteBytes(dir / "fresh.MID", kOld);
        fs::last_write_time(dir / "fresh.MID", now + std::chrono::hours(1));
    }

    std::vector<ConversionResult> Run(IfOutputExists existing) {
        std::vector<ConversionResult> results;
        ConversionPool(2).Run(
            jobs, [&](std::size_t, const ConversionResult& result) { results.push_back(result); },
            existing);
        return results;
    }

    TempDir dir;
    std::vector<ConversionJob> jobs;
};

TEST_F(ExistingOutputsTest, ThePlanFindsTheOutputsThereAndLeavesThemAsTold) {
    const OutputPlan replace = PlanOutputs(jobs, IfOutputExists::Replace);
    EXPECT_EQ(replace.exists, (std::vector<bool>{false, true, true}));
    EXPECT_EQ(replace.Replacing(), (std::vector<std::size_t>{1, 2}));
    for (const auto& decided : replace.decided)
        EXPECT_FALSE(decided);

    const OutputPlan skip = PlanOutputs(jobs, IfOutputExists::Skip);
    EXPECT_FALSE(skip.decided[0]);
    EXPECT_EQ(skip.decided[1]->status, Status::OutputExists);
    EXPECT_EQ(skip.decided[2]->status, Status::OutputExists);
    EXPECT_TRUE(skip.Replacing().empty());

    const OutputPlan update = PlanOutputs(jobs, IfOutputExists::Update);
    EXPECT_FALSE(update.decided[0]);
    EXPECT_FALSE(update.decided[1]) << "older than its source: converted again";
    EXPECT_EQ(update.decided[2]->status, Status::OutputExists) << "newer: left";

    OutputPlan answered = replace;
    LeaveExisting(answered);
    EXPECT_FALSE(answered.decided[0]);
    EXPECT_EQ(answered.decided[1]->status, Status::OutputExists);
}

// The pool keeps to the plan: what it leaves is untouched, and what it
// writes over a file that was there says so.
TEST_F(ExistingOutputsTest, ThePoolReplacesOrLeavesAndSaysWhichItReplaced) {
    const std::vector<ConversionResult> replaced = Run(IfOutputExists::Replace);
    ASSERT_EQ(replaced.size(), 3u);
    EXPECT_EQ(replaced[0].status, Status::Converted);
    EXPECT_FALSE(replaced[0].replaced);
    EXPECT_TRUE(replaced[1].replaced);
    EXPECT_TRUE(replaced[2].replaced);
    EXPECT_NE(ReadBytes(dir / "fresh.MID"), kOld);

    WriteBytes(dir / "fresh.MID", kOld);
    fs::remove(dir / "new.MID");
    const std::vector<ConversionResult> skipped = Run(IfOutputExists::Skip);
    EXPECT_EQ(skipped[0].status, Status::Converted);
    EXPECT_EQ(skipped[1].status, Status::OutputExists);
    EXPECT_EQ(skipped[2].status, Status::OutputExists);
    EXPECT_EQ(ReadBytes(dir / "fresh.MID"), kOld);
}

// A clash is decided first: the later job is refused, not counted as
// finding the earlier one's output.
TEST_F(ExistingOutputsTest, AnOutputTheRunWouldWriteTwiceIsRefusedNotFound) {
    WriteBytes(dir / "sub/there.kar", kSong);
    jobs.push_back({dir / "sub/there.kar", dir / "there.MID"});
    const OutputPlan plan = PlanOutputs(jobs, IfOutputExists::Skip);
    EXPECT_EQ(plan.decided[1]->status, Status::OutputExists);
    EXPECT_EQ(plan.decided[3]->status, Status::OutputTaken);
    EXPECT_FALSE(plan.exists[3]);
}

} // namespace
} // namespace lyricast

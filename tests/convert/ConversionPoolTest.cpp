#include "convert/ConversionPool.h"
#include "support/MemoryLimit.h"
#include "support/SmfBuilder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace lyricast {
namespace {

using namespace test;
using Status = ConversionResult::Status;

const Bytes kSong = Smf(1, {Track("00 ff 01 02 61 2f  00 90 3c 64  60 80 3c 40  00 ff 2f 00")});

class ConversionPoolTest : public ::testing::Test {
protected:
    ConversionJob Job(const std::string& name, const Bytes& bytes = kSong) {
        WriteBytes(dir / name, bytes);
        const std::string source = dir / name;
        return {source, source.substr(0, source.rfind('.')) + ".MID"};
    }
    std::vector<std::pair<std::size_t, Status>> RunAll(ConversionPool& pool,
                                                       const std::vector<ConversionJob>& jobs) {
        std::vector<std::pair<std::size_t, Status>> seen;
        pool.Run(jobs, [&](std::size_t index, const ConversionResult& result) {
            seen.emplace_back(index, result.status);
        });
        return seen;
    }

    TempDir dir;
};

TEST_F(ConversionPoolTest, ResultsComeInListOrderWhateverTheWorkers) {
    std::vector<ConversionJob> jobs;
    for (int i = 0; i < 60; ++i)
        jobs.push_back(Job("s" + std::to_string(i) + ".kar", i % 3 == 1 ? Hex("4d 54") : kSong));
    for (unsigned workers : {1u, 3u, 8u}) {
        ConversionPool pool(workers);
        const auto seen = RunAll(pool, jobs);
        ASSERT_EQ(seen.size(), jobs.size()) << workers;
        for (std::size_t i = 0; i < seen.size(); ++i) {
            EXPECT_EQ(seen[i].first, i);
            EXPECT_EQ(seen[i].second, i % 3 == 1 ? Status::NotLoaded : Status::Converted) << i;
        }
    }
    EXPECT_EQ(ReadBytes(dir / "s0.MID"),
              Header(0, 1) + Track("00 ff 05 02 61 0d  00 90 3c 64  60 80 3c 40  00 ff 2f 00"));
}

// Every worker writes in the pool's style; a pool told nothing writes as written.
TEST_F(ConversionPoolTest, EveryFileIsWrittenInThePoolsStyle) {
    const Bytes karaoke =
        Smf(1, {Track("00 ff 01 04 40 54 48 69  00 ff 01 03 5c 61 20  "
                      "00 ff 01 01 62  00 90 3c 64  60 80 3c 40  83 60 ff 2f 00")});
    const Bytes asWritten =
        Header(0, 1) + Track("00 ff 05 04 40 54 48 69  00 ff 05 03 20 61 20  "
                             "00 ff 05 01 62  00 90 3c 64  60 80 3c 40  00 ff 2f 00");
    const auto keyboard = [](const char* afterA) {
        return Header(0, 1) +
               Track("00 ff 03 02 48 69  00 ff 01 04 40 54 48 69  00 ff 05 03 0a 61" +
                     std::string(afterA) +
                     "00 ff 05 01 62  00 90 3c 64  60 80 3c 40  83 60 ff 2f 00");
    };
    std::vector<ConversionJob> jobs;
    for (int i = 0; i < 6; ++i)
        jobs.push_back(Job("s" + std::to_string(i) + ".kar", karaoke));
    const std::pair<LyricStyle, Bytes> runs[] = {
        {{}, asWritten},
        {{LyricStyle::Kind::Keyboard, 0}, keyboard(" 20 ")},
        {{LyricStyle::Kind::Keyboard, 1}, keyboard(" 0d ")}, // "b" goes on a line of its own
    };
    for (const auto& [style, expected] : runs) {
        ConversionPool pool(3, MemoryBudget::OfThisMachine(), style);
        RunAll(pool, jobs);
        for (const ConversionJob& job : jobs)
            EXPECT_EQ(ReadBytes(*job.output), expected) << job.source;
    }
}

TEST_F(ConversionPoolTest, StopFinishesWhatRunsAndStartsNothingElse) {
    std::vector<ConversionJob> jobs;
    for (int i = 0; i < 200; ++i)
        jobs.push_back(Job("s" + std::to_string(i) + ".kar"));
    ConversionPool pool(4);
    std::vector<std::size_t> delivered;
    pool.Run(jobs, [&](std::size_t index, const ConversionResult&) {
        delivered.push_back(index);
        if (index == 5)
            pool.Stop();
    });
    ASSERT_GE(delivered.size(), 6u);
    EXPECT_LE(delivered.size(), 6u + 4 * 4)
        << "workers run at most a few files ahead of the deliveries";
    for (std::size_t i = 0; i < delivered.size(); ++i)
        EXPECT_EQ(delivered[i], i) << "no gap, no repeat";
    for (std::size_t i = delivered.size(); i < jobs.size(); ++i)
        EXPECT_FALSE(std::filesystem::exists(*jobs[i].output)) << i;

    EXPECT_TRUE(RunAll(pool, jobs).empty()) << "a stopped pool stays stopped";
    ConversionPool stoppedFirst(4);
    stoppedFirst.Stop(); // the window's stop key, before the batch's worker has begun
    EXPECT_TRUE(RunAll(stoppedFirst, jobs).empty());
}

TEST_F(ConversionPoolTest, ClashingOutputsAreDecidedInListOrder) {
    const ConversionJob first = Job("a.kar");
    ConversionJob second = Job("a.KAR"); // the same output as the first
    const ConversionJob self{first.source, first.source};
    const ConversionJob ontoSource{Job("b.kar").source, first.source};
    const ConversionJob noName{dir / "README", std::nullopt};
    const ConversionJob missing{dir / "gone.kar", dir / "gone.MID"};
    const std::vector<ConversionJob> jobs = {noName, first, second, self, ontoSource, missing};
    for (unsigned workers : {1u, 4u}) {
        ConversionPool pool(workers);
        const auto seen = RunAll(pool, jobs);
        const std::vector<std::pair<std::size_t, Status>> expected = {
            {0, Status::NoOutputName},   {1, Status::Converted},      {2, Status::OutputTaken},
            {3, Status::ReplacesSource}, {4, Status::ReplacesSource}, {5, Status::FileError}};
        EXPECT_EQ(seen, expected) << workers;
    }
    EXPECT_EQ(ReadBytes(dir / "a.kar"), kSong) << "no source is ever written";
}

// Files are read only once the memory their songs can need is free: one
// that could never fit fails at once, and files that fit only one at a time
// are converted one at a time, however many workers wait.
TEST_F(ConversionPoolTest, EachFileWaitsForTheMemoryItsSongCanNeed) {
    std::vector<ConversionJob> jobs;
    for (int i = 0; i < 12; ++i)
        jobs.push_back(Job("s" + std::to_string(i) + ".kar"));
    const std::uint64_t one = TSmfFile::MemoryNeededFor(kSong.size());
    const std::uint64_t kept = 6 * (std::uint64_t{4} << 20);
    ConversionPool roomForOne(6, kept + one + one / 2);
    for (const auto& [index, status] : RunAll(roomForOne, jobs))
        EXPECT_EQ(status, Status::Converted) << index;

    ConversionPool roomForNone(6, kept + one / 2);
    for (const auto& [index, status] : RunAll(roomForNone, jobs))
        EXPECT_EQ(status, Status::OutOfMemory) << index;
}

TEST(WorkersFor, OnePerCoreFewerWhereMemoryIsShortAndNeverTooMany) {
    const std::uint64_t plenty = std::uint64_t{64} << 30;
    EXPECT_EQ(WorkersFor(3, plenty), 3u);
    EXPECT_EQ(WorkersFor(1000, plenty), kMostWorkers);
    EXPECT_EQ(WorkersFor(0, plenty), std::max(std::thread::hardware_concurrency(), 1u));
    EXPECT_EQ(WorkersFor(0, 0), 1u);
    EXPECT_EQ(WorkersFor(0, std::uint64_t{32} << 20), 1u);
}

#ifndef _WIN32
TEST_F(ConversionPoolTest, ThreadsThatCannotStartLeaveTheRunToThoseThatDid) {
    std::vector<ConversionJob> jobs;
    for (int i = 0; i < 40; ++i)
        jobs.push_back(Job("s" + std::to_string(i) + ".kar"));
    // Each thread's stack takes megabytes of address space: only a few fit.
    const auto allConverted = [&] {
        ConversionPool pool(300, std::uint64_t{4} << 30); // memory aside: only threads are short
        std::size_t converted = 0;
        pool.Run(jobs, [&](std::size_t, const ConversionResult& result) {
            converted += result.status == Status::Converted ? 1 : 0;
        });
        return converted == jobs.size();
    };
    EXPECT_EQ(StatusUnderMemoryLimit(allConverted, 96u << 20), 0);
}
#endif

} // namespace
} // namespace lyricast

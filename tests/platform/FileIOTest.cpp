#include "platform/FileIO.h"
#include "platform/FileError.h"
#include "platform/TemporaryFile.h"
#include "platform/TemporaryName.h"
#include "support/FileErrors.h"
#include "support/Hex.h"
#include "support/OddFiles.h"
#include "support/Platform.h"
#include "support/TempDir.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <new>
#include <set>
#include <thread>
#include <vector>

#ifndef _WIN32
#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace lyricast {
namespace {

using test::ErrorOf;
using test::Hex;
using test::ReasonOf;
using test::TempDir;

std::size_t EntriesIn(const TempDir& dir) {
    return static_cast<std::size_t>(
        std::distance(std::filesystem::directory_iterator(dir.path()), {}));
}

// Line ends, an end-of-file mark and a zero byte: what a text-mode file layer
// would change or stop at.
const std::vector<std::uint8_t> kTextLikeBytes = Hex("0d 0a 0a 1a 00 0d ff 0d");

TEST(FileIO, BytesGoOutAndComeBackUntranslated) {
    TempDir dir;
    const std::string path = dir / "song.MID";
    test::WriteBytes(path, std::vector<std::uint8_t>(5000, 0xAA));
    WriteFileReplacing(path, kTextLikeBytes);
    EXPECT_EQ(test::ReadBytes(path), kTextLikeBytes);
    EXPECT_EQ(ReadWholeFile(path), kTextLikeBytes);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1)
        << "a temporary file is left";
}

// One buffer for file after file: a short file after a long one, an empty
// one, and a failed read leave nothing of the one before.
TEST(FileIO, ReusedBufferHoldsOnlyTheLastFile) {
    TempDir dir;
    test::WriteBytes(dir / "long.kar", std::vector<std::uint8_t>(5000, 0xAA));
    test::WriteBytes(dir / "short.kar", kTextLikeBytes);
    test::WriteBytes(dir / "empty.kar", {});
    std::vector<std::uint8_t> bytes;
    ReadWholeFileInto(dir / "long.kar", bytes);
    EXPECT_EQ(bytes, std::vector<std::uint8_t>(5000, 0xAA));
    ReadWholeFileInto(dir / "short.kar", bytes);
    EXPECT_EQ(bytes, kTextLikeBytes);
    ReadWholeFileInto(dir / "empty.kar", bytes);
    EXPECT_TRUE(bytes.empty());
    EXPECT_THROW(ReadWholeFileInto(dir / "missing.kar", bytes), FileError);
    ReadWholeFileInto(dir / "short.kar", bytes);
    EXPECT_EQ(bytes, kTextLikeBytes);
}

TEST(FileIO, WhatCannotBeOpenedRaisesCannotOpen) {
    TempDir dir;
    for (const std::string& path : {dir.str(), dir / "missing.kar"})
        EXPECT_EQ(ErrorOf([&] { ReadWholeFile(path); }), "Cannot open file " + path);
    EXPECT_EQ(ReasonOf([&] { ReadWholeFile(dir.str()); }), kNotRegularFile);
    EXPECT_EQ(ReasonOf([&] { ReadWholeFile(dir / "missing.kar"); }), FileError::ReasonOf(ENOENT));
}

// A named pipe would hold the open until a writer came, and a device never
// ends: both are refused at once, whatever name they wear.
TEST(FileIO, OnlyRegularFilesAreRead) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has neither named pipes in folders nor /dev";
#else
    TempDir dir;
    const std::vector<std::string> names = test::MakeOddKaraokeFiles(dir.path());
    ASSERT_EQ(names.size(), 3u);
    for (const std::string& name : names) {
        EXPECT_EQ(ErrorOf([&] { ReadWholeFile(dir / name); }), "Cannot open file " + (dir / name));
        EXPECT_EQ(ReasonOf([&] { ReadWholeFile(dir / name); }), kNotRegularFile) << name;
    }
#endif
}

TEST(FileIO, FileBeyondTheLimitIsRefusedWithoutReadingIt) {
    TempDir dir;
    const std::string path = dir / "huge.kar";
    test::WriteBytes(path, Hex("4d 54 68 64 00 00 00 06 00 01 00 01 00 60"));
    std::error_code error;
    std::filesystem::resize_file(path, std::uintmax_t{100} << 30, error); // sparse: takes no room
    if (error)
        GTEST_SKIP() << "this file system makes no 100 GB sparse file: " << error.message();
    EXPECT_THROW(ReadWholeFile(path), std::bad_alloc);
}

TEST(FileIO, FailuresCarryTheSystemsReason) {
    TempDir dir;
    const std::string intoMissing = dir / "missing/x.MID";
    EXPECT_EQ(ErrorOf([&] { WriteFileReplacing(intoMissing, kTextLikeBytes); }),
              "Cannot create file " + intoMissing);
    EXPECT_EQ(ReasonOf([&] { WriteFileReplacing(intoMissing, kTextLikeBytes); }),
              FileError::ReasonOf(ENOENT));

    std::filesystem::create_directory(dir.path() / "box.MID");
    const std::string folder = dir / "box.MID";
    EXPECT_EQ(ErrorOf([&] { WriteFileReplacing(folder, kTextLikeBytes); }),
              "Cannot create file " + folder);
    EXPECT_NE(ReasonOf([&] { WriteFileReplacing(folder, kTextLikeBytes); }), "");
    EXPECT_EQ(EntriesIn(dir), 1u) << "a temporary file is left";
}

// The temporary file has a short name of its own, so an output name near the
// system's limit still fits.
TEST(FileIO, OutputWithALongNameIsWritten) {
    TempDir dir;
    const std::string path = dir / (std::string(246, 'n') + ".MID");
    WriteFileReplacing(path, kTextLikeBytes);
    EXPECT_EQ(test::ReadBytes(path), kTextLikeBytes);
    EXPECT_EQ(EntriesIn(dir), 1u) << "a temporary file is left";
}

TEST(FileIO, TemporaryNamesHaveOneLengthAndDoNotRepeat) {
    // The fixed length is what lets any output name that fits have a
    // temporary file whose name fits too.
    std::set<std::string> seen;
    for (int i = 0; i < 1000; ++i) {
        const std::string name = TemporaryNameIn("dir/", 1234, "ab");
        ASSERT_EQ(name.size(), std::string("dir/.lyricast-XXXXXX.tmp").size()) << name;
        EXPECT_TRUE(name.starts_with("dir/.lyricast-") && name.ends_with(".tmp")) << name;
        EXPECT_EQ(name.substr(14, 6).find_first_not_of("ab"), std::string::npos) << name;
        seen.insert(name);
    }
    EXPECT_GT(seen.size(), 60u)
        << "two letters give 64 names; calls in a row must spread over them";
}

#ifndef _WIN32
// A child process that is ended by `signal` while it holds a temporary file.
int SignalThatEndedAWriter(const TempDir& dir, int signal) {
    const pid_t child = ::fork();
    if (child == 0) {
        RemoveTemporariesOnInterrupt();
        const TemporaryFile temporary(dir.str() + "/", dir / "x.MID");
        ::raise(signal);
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status) ? WTERMSIG(status) : -1;
}
#endif

TEST(FileIO, InterruptedWriterLeavesNoTemporaryFile) {
#ifdef _WIN32
    GTEST_SKIP() << "an interrupted run on Windows is not cleaned up";
#else
    TempDir dir;
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        EXPECT_EQ(SignalThatEndedAWriter(dir, signal), signal)
            << "the signal still ends the process";
        EXPECT_EQ(EntriesIn(dir), 0u) << "a temporary file is left after signal " << signal;
    }
#endif
}

TEST(FileIO, AnInterruptRemovesEveryTemporaryFileWhateverTheThreadsDo) {
#ifdef _WIN32
    GTEST_SKIP() << "an interrupted run on Windows is not cleaned up";
#else
    TempDir dir;
    const pid_t child = ::fork();
    if (child == 0) {
        RemoveTemporariesOnInterrupt();
        // Threads that make and drop files all the time, as busy workers do.
        for (int t = 0; t < 8; ++t)
            std::thread([&dir] {
                HoldInterruptsInThisThread();
                for (;;) {
                    std::vector<std::unique_ptr<TemporaryFile>> held;
                    for (int i = 0; i < 20; ++i)
                        held.push_back(std::make_unique<TemporaryFile>(dir.str() + "/", "x"));
                }
            }).detach();
        // Far more files at once than any fixed table would hold.
        std::vector<std::unique_ptr<TemporaryFile>> many;
        for (int i = 0; i < 300; ++i)
            many.push_back(std::make_unique<TemporaryFile>(dir.str() + "/", "x"));
        ::raise(SIGTERM);
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
    EXPECT_EQ(EntriesIn(dir), 0u) << "temporary files are left";
#endif
}

TEST(FileIO, LockedFileIsNeitherReadNorReplaced) {
    SKIP_WITHOUT_EXCLUSIVE_OPEN();
    TempDir dir;
    const std::string path = dir / "song.MID";
    test::WriteBytes(path, Hex("01 02 03"));
    {
        const test::ExclusiveOpen lock(path);
        ASSERT_TRUE(lock.held());
        EXPECT_EQ(ErrorOf([&] { ReadWholeFile(path); }), "Cannot open file " + path);
        EXPECT_EQ(ErrorOf([&] { WriteFileReplacing(path, kTextLikeBytes); }),
                  "Cannot create file " + path);
    }
    EXPECT_EQ(test::ReadBytes(path), Hex("01 02 03"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1)
        << "a temporary file is left";
}

} // namespace
} // namespace lyricast

#include "platform/FileError.h"
#include "platform/FileIO.h"
#include "support/Hex.h"
#include "support/Platform.h"
#include "support/TempDir.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

namespace lyricast {
namespace {

using test::Hex;
using test::TempDir;

std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const FileError& error) {
        return error.what();
    }
    return "no error";
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
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << "a temporary file is left";
}

TEST(FileIO, WhatCannotBeOpenedRaisesCannotOpen) {
    TempDir dir;
    for (const std::string& path : {dir.str(), dir / "missing.kar"})
        EXPECT_EQ(ErrorOf([&] { ReadWholeFile(path); }), "Cannot open file " + path);
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
        EXPECT_EQ(ErrorOf([&] { WriteFileReplacing(path, kTextLikeBytes); }), "Cannot create file " + path);
    }
    EXPECT_EQ(test::ReadBytes(path), Hex("01 02 03"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << "a temporary file is left";
}

} // namespace
} // namespace lyricast

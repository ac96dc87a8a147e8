#include "platform/CurrentDirectory.h"
#include "platform/DirectoryError.h"
#include "platform/FolderListing.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

namespace lyricast {
namespace {

using test::TempDir;

TEST(DirectoryError, MessagesOfTheSystemCodes) {
    EXPECT_EQ(InOutMessage(2), "File not found");
    EXPECT_EQ(InOutMessage(3), "Invalid filename");
    EXPECT_EQ(InOutMessage(4), "Too many open files");
    EXPECT_EQ(InOutMessage(5), "File access denied");
    EXPECT_EQ(InOutMessage(21), "I/O error 21");
    EXPECT_EQ(DirectoryError::FromSystemCode(21).code(), 21);
    EXPECT_STREQ(DirectoryError::FromSystemCode(3).what(), "Invalid filename");
}

TEST(DirectoryError, ErrnoMapsOntoTheSameMessages) {
    const std::pair<int, const char*> cases[] = {
        {ENOENT, "File not found"},         {ENOTDIR, "File not found"},
        {ENAMETOOLONG, "Invalid filename"}, {EINVAL, "Invalid filename"},
        {EMFILE, "Too many open files"},    {ENFILE, "Too many open files"},
        {EACCES, "File access denied"},     {EPERM, "File access denied"},
    };
    for (const auto& [error, message] : cases) {
        EXPECT_STREQ(DirectoryError::FromErrno(error).what(), message) << error;
        EXPECT_EQ(DirectoryError::FromErrno(error).code(), SystemCodeOfErrno(error));
    }
    // EIO is 5 on Linux, but it is not "File access denied".
    EXPECT_EQ(std::string(DirectoryError::FromErrno(EIO).what()),
              "I/O error " + std::to_string(EIO));
    EXPECT_EQ(std::string(DirectoryError::FromErrno(ELOOP).what()),
              "I/O error " + std::to_string(ELOOP));
}

// Every test leaves the process's current directory where it found it.
class CurrentDirectory : public ::testing::Test {
protected:
    void SetUp() override { saved_ = std::filesystem::current_path(); }
    void TearDown() override { std::filesystem::current_path(saved_); }

    TempDir dir_;

private:
    std::filesystem::path saved_;
};

TEST_F(CurrentDirectory, SetThenGet) {
    std::filesystem::create_directories(dir_ / "a/b");
    SetCurrentDir(dir_ / "a/b");
    EXPECT_EQ(GetCurrentDir(), std::filesystem::canonical(dir_ / "a/b").string());
    SetCurrentDir("..");
    EXPECT_EQ(GetCurrentDir(), std::filesystem::canonical(dir_ / "a").string());
}

TEST_F(CurrentDirectory, FailuresRaiseTheMessageAndStayPut) {
    SetCurrentDir(dir_.str());
    const std::string before = GetCurrentDir();
    std::ofstream(dir_ / "file.txt") << "x";
    const auto messageOf = [](const std::string& path) {
        try {
            SetCurrentDir(path);
        } catch (const DirectoryError& error) {
            return std::string(error.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(messageOf(dir_ / "missing"), "File not found");
    EXPECT_EQ(messageOf(dir_ / "file.txt"), "File not found");
    EXPECT_EQ(messageOf(dir_ / std::string(300, 'n')), "Invalid filename");
    EXPECT_EQ(GetCurrentDir(), before);
}

TEST_F(CurrentDirectory, AFolderWithoutSearchRightIsDenied) {
    if (::geteuid() == 0) GTEST_SKIP() << "root enters every folder";
    std::filesystem::create_directories(dir_ / "locked");
    std::filesystem::permissions(dir_ / "locked", std::filesystem::perms::none);
    EXPECT_THROW(
        {
            try {
                SetCurrentDir(dir_ / "locked");
            } catch (const DirectoryError& error) {
                EXPECT_STREQ(error.what(), "File access denied");
                throw;
            }
        },
        DirectoryError);
}

TEST_F(CurrentDirectory, EnterVolumeLandsInTheFolderLastVisitedElseTheRoot) {
    std::filesystem::create_directories(dir_ / "volume/songs");
    EnterVolume(dir_ / "volume", dir_ / "volume/songs");
    EXPECT_EQ(GetCurrentDir(), std::filesystem::canonical(dir_ / "volume/songs").string());
    EnterVolume(dir_ / "volume", "");
    EXPECT_EQ(GetCurrentDir(), std::filesystem::canonical(dir_ / "volume").string());
    // The folder last visited was removed meanwhile: the root.
    EnterVolume(dir_ / "volume", dir_ / "volume/gone");
    EXPECT_EQ(GetCurrentDir(), std::filesystem::canonical(dir_ / "volume").string());
    EXPECT_THROW(EnterVolume(dir_ / "no-medium", ""), DirectoryError);
}

TEST(FolderListing, SubFoldersWithoutDotFoldersSortedWithoutCase) {
    TempDir dir;
    for (const char* name : {"beta", "Alpha", ".hidden", "gamma", "_under"})
        std::filesystem::create_directories(dir / name);
    std::ofstream(dir / "file.kar") << "x";
    std::filesystem::create_directory_symlink(dir / "gamma", dir / "link");
    EXPECT_EQ(ListSubFolders(dir.str()),
              (std::vector<std::string>{"_under", "Alpha", "beta", "gamma", "link"}));
    EXPECT_TRUE(ListSubFolders(dir / "missing").empty());

    const auto entries = ListFolder(dir.str());
    ASSERT_TRUE(entries);
    for (const FolderEntry& entry : *entries) {
        EXPECT_EQ(entry.hidden, entry.name.starts_with('.')) << entry.name;
        EXPECT_FALSE(entry.system);
    }
}

TEST(FolderListing, FilesMatchedByTheMaskWithoutHiddenOnes) {
    TempDir dir;
    for (const char* name : {"b.kar", "A.KAR", ".secret.kar", "song.mid", "README"})
        std::ofstream(dir / name) << "x";
    std::filesystem::create_directories(dir / "folder.kar");
    EXPECT_EQ(ListFiles(dir.str(), "*.*"),
              (std::vector<std::string>{"A.KAR", "b.kar", "README", "song.mid"}));
    EXPECT_EQ(ListFiles(dir.str(), "*.kar"), (std::vector<std::string>{"A.KAR", "b.kar"}));
    EXPECT_EQ(ListFiles(dir.str(), "*.kar;*.mid"),
              (std::vector<std::string>{"A.KAR", "b.kar", "song.mid"}));
    EXPECT_TRUE(ListFiles(dir / "missing", "*.*").empty());
}

TEST(MatchesMask, WindowsPatterns) {
    EXPECT_TRUE(MatchesMask("song.kar", "*.*"));
    EXPECT_TRUE(MatchesMask("README", "*.*"));
    EXPECT_TRUE(MatchesMask("SONG.KAR", "*.kar"));
    EXPECT_FALSE(MatchesMask("song.kar.bak", "*.kar"));
    EXPECT_TRUE(MatchesMask("a1.kar", "a?.kar"));
    EXPECT_FALSE(MatchesMask("a12.kar", "a?.kar"));
    EXPECT_TRUE(MatchesMask("abc", "abc.*"));
    EXPECT_TRUE(MatchesMask("aXbXc", "a*b*c"));
    EXPECT_FALSE(MatchesMask("aXbXd", "a*b*c"));
    EXPECT_TRUE(MatchesMask("", "*"));
    EXPECT_FALSE(MatchesMask("x", ""));
}

} // namespace
} // namespace lyricast

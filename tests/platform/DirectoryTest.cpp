#include "platform/CurrentDirectory.h"
#include "platform/DirectoryError.h"
#include "platform/FolderListing.h"
#include "platform/PathRules.h"
#include "platform/Volumes.h"

#include "support/Platform.h"
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
    // Windows tells these with codes of their own, 267 (not a folder) and 206
    // (name too long), which have no message but the numbered one.
    EXPECT_EQ(messageOf(dir_ / "file.txt"), test::kWindows ? "I/O error 267" : "File not found");
    EXPECT_EQ(messageOf(dir_ / std::string(300, 'n')),
              test::kWindows ? "I/O error 206" : "Invalid filename");
    EXPECT_EQ(GetCurrentDir(), before);
}

TEST_F(CurrentDirectory, AFolderWithoutSearchRightIsDenied) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows denies a folder by its access list, which this test does not set up "
                    "(Wine would not enforce it)";
#else
    if (::geteuid() == 0)
        GTEST_SKIP() << "root enters every folder";
#endif
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
    if (test::kWindows)
        GTEST_SKIP() << "Windows keeps each drive's current folder itself";
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

// The roots of the fixed drives whose letter is not that of `path`, and one
// drive letter that no volume has.
struct OtherDrives {
    std::vector<std::string> roots;
    std::string unused;
};

OtherDrives DrivesOtherThan(const std::string& path) {
    const PathRules& rules = PathRules::Windows();
    OtherDrives others;
    std::string listed;
    for (const Volume& volume : SystemVolumeTable().List()) {
        listed += volume.root.front();
        if (volume.kind == VolumeKind::Fixed &&
            !rules.SamePath(rules.DrivePart(volume.root), rules.DrivePart(path)))
            others.roots.push_back(volume.root);
    }
    for (char letter = 'z'; letter >= 'a' && others.unused.empty(); --letter)
        if (listed.find(letter) == std::string::npos)
            others.unused = std::string{letter, ':', '\\'};
    return others;
}

TEST_F(CurrentDirectory, EnterVolumeLandsInTheDrivesOwnCurrentFolder) {
    SKIP_WITHOUT_DRIVE_LETTERS();
    std::filesystem::create_directories(dir_ / "songs");
    SetCurrentDir(dir_ / "songs");
    const std::string songs = GetCurrentDir();
    const OtherDrives others = DrivesOtherThan(songs);
    if (others.roots.empty())
        GTEST_SKIP() << "a second fixed drive is needed";

    SetCurrentDir(others.roots.front());
    EnterVolume(std::string(PathRules::Windows().DrivePart(songs)) + "\\", others.roots.front());
    EXPECT_EQ(GetCurrentDir(), songs) << "the folder last visited is the system's business here";
    EXPECT_THROW(EnterVolume(others.unused, ""), DirectoryError) << others.unused;
    EXPECT_EQ(GetCurrentDir(), songs);
}

TEST(FolderListing, SubFoldersWithoutHiddenOnesSortedWithoutCase) {
    TempDir dir;
    for (const char* name : {"beta", "Alpha", ".hidden", "gamma", "_under"})
        std::filesystem::create_directories(dir / name);
    test::Hide(dir / ".hidden");
    std::ofstream(dir / "file.kar") << "x";
    EXPECT_EQ(ListSubFolders(dir.str()),
              (std::vector<std::string>{"_under", "Alpha", "beta", "gamma"}));
    EXPECT_TRUE(ListSubFolders(dir / "missing").empty());

    const auto entries = ListFolder(dir.str());
    ASSERT_TRUE(entries);
    for (const FolderEntry& entry : *entries) {
        // A dot hides a name on POSIX; on Windows Hide marked it hidden and system.
        const bool hidden = entry.name == ".hidden";
        EXPECT_EQ(entry.hidden, hidden) << entry.name;
        EXPECT_EQ(entry.system, hidden && test::kWindows) << entry.name;
    }
}

TEST(FolderListing, ALinkToAFolderIsASubFolder) {
    TempDir dir;
    std::filesystem::create_directories(dir / "gamma");
    LINK_FOLDER_OR_SKIP(dir / "gamma", dir / "link");
    EXPECT_EQ(ListSubFolders(dir.str()), (std::vector<std::string>{"gamma", "link"}));
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

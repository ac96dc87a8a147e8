#include "platform/FolderListing.h"
#include "platform/FileIO.h"
#include "platform/PathRules.h"
#include "support/Hex.h"
#include "support/Platform.h"
#include "support/TempDir.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace lyricast {
namespace {

using test::TempDir;
namespace fs = std::filesystem;

// Entries by name, a folder's name followed by "/", in byte order.
std::vector<std::string> Described(const std::optional<std::vector<FolderEntry>>& entries) {
    std::vector<std::string> names;
    for (const FolderEntry& entry : entries.value())
        names.push_back(entry.name + (entry.isFolder ? "/" : ""));
    std::sort(names.begin(), names.end());
    return names;
}

TEST(FolderListing, EveryEntryOnceWithItsKind) {
    TempDir dir;
    test::WriteBytes(dir / "song.kar", {});
    test::WriteBytes(dir / "NoDot", {});
    fs::create_directory(dir.path() / "Box.kar");
    test::WriteBytes(dir / ".hidden.kar", {});
    test::Hide(dir / ".hidden.kar");
    fs::create_directory(dir.path() / ".hiddenFolder");
    test::Hide(dir / ".hiddenFolder");
    const std::vector<std::string> expected{".hidden.kar", ".hiddenFolder/", "Box.kar/", "NoDot",
                                            "song.kar"};

    EXPECT_EQ(Described(ListFolder(dir.str())), expected);
    EXPECT_EQ(Described(ListFolder(dir.str() + PathRules::Native().separator)), expected)
        << "a folder spelled with its closing separator";
}

TEST(FolderListing, EmptyFolderIsListedAsEmpty) {
    TempDir dir;
    const auto entries = ListFolder(dir.str());
    ASSERT_TRUE(entries.has_value());
    EXPECT_TRUE(entries->empty());
}

TEST(FolderListing, RootListsItsFoldersWithoutDotEntries) {
    TempDir dir;
    const fs::path root = dir.path().root_path();
    const std::string top = (*dir.path().relative_path().begin()).string() + "/";
    const std::vector<std::string> names = Described(ListFolder(root.string()));
    EXPECT_NE(std::find(names.begin(), names.end(), top), names.end())
        << root << " should hold " << top;
    EXPECT_EQ(std::find(names.begin(), names.end(), "./"), names.end());
    EXPECT_EQ(std::find(names.begin(), names.end(), "../"), names.end());
}

TEST(FolderListing, OnlyFoldersCanBeListed) {
    TempDir dir;
    test::WriteBytes(dir / "song.kar", {});
    EXPECT_TRUE(IsFolder(dir.str()));
    for (const std::string& path : {dir / "song.kar", dir / "missing", dir / "missing/deeper"}) {
        EXPECT_FALSE(IsFolder(path)) << path;
        EXPECT_FALSE(ListFolder(path).has_value()) << path;
    }
}

#ifndef _WIN32
// A name is bytes here, whatever their encoding: an accented letter of a
// Latin code page comes back as the byte it was written with. (On Windows
// such a byte names no file; UnicodeNames says what happens there.)
TEST(FolderListing, EightBitNamesComeBackAsWritten) {
    TempDir dir;
    const std::string name = "Caf\xE9.kar";
    const std::string path = PathRules::Native().Join(dir.str(), name);
    WriteFileReplacing(path, test::Hex("4d 54 68 64"));
    EXPECT_EQ(Described(ListFolder(dir.str())), std::vector<std::string>{name});
    EXPECT_EQ(ReadWholeFile(path), test::Hex("4d 54 68 64"));
}
#endif

TEST(FolderListing, DriveLetterAloneMeansThatDrivesCurrentFolder) {
    SKIP_WITHOUT_DRIVE_LETTERS();
    TempDir dir;
    test::WriteBytes(dir / "song.kar", {});
    const test::CurrentFolder inside(dir.path());
    EXPECT_EQ(Described(ListFolder(dir.path().root_name().string())),
              std::vector<std::string>{"song.kar"});
}

} // namespace
} // namespace lyricast

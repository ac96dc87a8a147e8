#include "platform/CurrentDirectory.h"
#include "platform/DirectoryError.h"
#include "platform/FileIO.h"
#include "platform/FileIdentity.h"
#include "platform/FolderListing.h"
#include "platform/NewFolder.h"
#include "platform/OpenFolder.h"
#include "platform/PathRules.h"
#include "support/FileErrors.h"
#include "support/Hex.h"
#include "support/Platform.h"
#include "support/TempDir.h"
#include "support/Utf8Path.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>
#include <system_error>

namespace lyricast {
namespace {

using test::Hex;
using test::ReasonOf;
using test::TempDir;
namespace fs = std::filesystem;

std::string Join(const std::string& folder, const std::string& name) {
    return PathRules::Native().Join(folder, name);
}

// The names in a folder as the system holds them, read past the program's
// own layer, in byte order; a folder's name followed by "/".
std::vector<std::string> NamesOnDisk(const std::string& folder) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(test::FsPath(folder)))
        names.push_back(test::Utf8(entry.path().filename()) + (entry.is_directory() ? "/" : ""));
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> Listed(const std::string& folder) {
    std::vector<std::string> names;
    const auto entries = ListFolder(folder);
    for (const FolderEntry& entry : entries.value())
        names.push_back(entry.name + (entry.isFolder ? "/" : ""));
    std::sort(names.begin(), names.end());
    return names;
}

// Names in the writings karaoke collections hold: none of them in the
// Western code page but the accented one.
const std::vector<std::string> kFolders = {
    "\xd0\x9f\xd0\xb5\xd1\x81\xd0\xbd\xd0\xb8",         // Песни
    "\xe6\x97\xa5\xe6\x9c\xac\xe3\x81\xae\xe6\xad\x8c", // 日本の歌
    "\xe0\xb9\x80\xe0\xb8\x9e\xe0\xb8\xa5\xe0\xb8\x87", // เพลง
    "Canci\xc3\xb3n",                                   // Canción
    "\xf0\x9f\x8e\xa4 Live",                            // 🎤 Live
};
const std::vector<std::string> kFiles = {
    "\xd0\x9b\xd0\xb5\xd1\x82\xd0\xbe.kar",     // Лето.kar
    "\xe5\xa4\x8f\xf0\x9f\x8e\xa4.kar",         // 夏🎤.kar
    "Se\xc3\xb1orita.kar",                      // Señorita.kar
    "Ti\xe1\xba\xbfng Vi\xe1\xbb\x87t.kar",     // Tiếng Việt.kar
    "\xe0\xb8\xa3\xe0\xb8\xb1\xe0\xb8\x81.kar", // รัก.kar
};

TEST(UnicodeNames, FoldersAndFilesInEveryWritingAreMadeListedAndReadAsNamed) {
    TempDir dir;
    std::vector<std::string> expected;
    for (const std::string& folder : kFolders) {
        ASSERT_TRUE(CreateFolder(Join(dir.str(), folder))) << folder;
        expected.push_back(folder + "/");
    }
    for (const std::string& file : kFiles) {
        WriteFileReplacing(Join(Join(dir.str(), kFolders[0]), file), Hex("4d 54 68 64"));
        WriteFileReplacing(Join(dir.str(), file),
                           std::vector<std::uint8_t>(file.begin(), file.end()));
        expected.push_back(file);
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(NamesOnDisk(dir.str()), expected) << "the names the system holds";
    EXPECT_EQ(Listed(dir.str()), expected);
    for (const std::string& file : kFiles) {
        const std::string path = Join(dir.str(), file);
        EXPECT_EQ(ReadWholeFile(path), std::vector<std::uint8_t>(file.begin(), file.end()));
        EXPECT_EQ(ReadWholeFile(Join(Join(dir.str(), kFolders[0]), file)), Hex("4d 54 68 64"));
        EXPECT_FALSE(IsFolder(path)) << file;
        EXPECT_TRUE(IdentityOf(path).has_value()) << file;
    }
    for (const std::string& folder : kFolders) {
        EXPECT_TRUE(IsFolder(Join(dir.str(), folder))) << folder;
        EXPECT_NE(IdentityOf(Join(dir.str(), folder)), IdentityOf(dir.str())) << folder;
    }
    std::vector<std::string> folders = kFolders;
    std::sort(folders.begin(), folders.end(), LessIgnoringCase);
    EXPECT_EQ(ListSubFolders(dir.str()), folders);
}

TEST(UnicodeNames, AFolderOfAnyNameBecomesTheCurrentOne) {
    TempDir dir;
    const test::CurrentFolder back(dir.path());
    for (const std::string& name : kFolders) {
        const std::string folder = Join(dir.str(), name);
        ASSERT_TRUE(CreateFolder(folder));
        SetCurrentDir(folder);
        EXPECT_EQ(GetCurrentDir(), test::Utf8(fs::canonical(test::FsPath(folder)))) << name;
        EXPECT_TRUE(fs::equivalent(fs::current_path(), test::FsPath(folder))) << name;
    }
}

// Names that Windows' reading of a path would change: a closing dot or space
// dropped, a device's name taken for the device. Each must reach its own
// file, never the one the reading makes of it.
TEST(UnicodeNames, NamesThatAReadingWouldChangeReachTheirOwnFiles) {
    TempDir dir;
    const std::string dotted = Join(dir.str(), "d1.");
    const std::string plain = Join(dir.str(), "d1");
    ASSERT_TRUE(CreateFolder(dotted));
    ASSERT_TRUE(CreateFolder(plain));
    WriteFileReplacing(Join(dotted, "a.kar"), Hex("01"));
    WriteFileReplacing(Join(plain, "a.kar"), Hex("02"));
    WriteFileReplacing(Join(dir.str(), "con.kar"), Hex("03"));
    WriteFileReplacing(Join(dir.str(), "spaced.kar "), Hex("04"));
    const std::vector<std::string> names{"con.kar", "d1./", "d1/", "spaced.kar "};
    EXPECT_EQ(NamesOnDisk(dir.str()), names);
    EXPECT_EQ(Listed(dir.str()), names);
    EXPECT_EQ(Listed(dotted), std::vector<std::string>{"a.kar"});
    EXPECT_EQ(ReadWholeFile(Join(dotted, "a.kar")), Hex("01"));
    EXPECT_EQ(ReadWholeFile(Join(plain, "a.kar")), Hex("02"));
    EXPECT_EQ(ReadWholeFile(Join(dir.str(), "con.kar")), Hex("03"));
    EXPECT_EQ(ReadWholeFile(Join(dir.str(), "spaced.kar ")), Hex("04"));
    EXPECT_NE(IdentityOf(dotted), IdentityOf(plain));
}

// A tree whose paths pass the longest that the system takes plainly
// (MAX_PATH on Windows): every call reaches it still.
TEST(UnicodeNames, PathsLongerThanThePlainLimitWork) {
    TempDir dir;
    const std::string name(150, 'n');
    const std::string middle = Join(dir.str(), name);
    const std::string folder = Join(middle, "\xd0\x9f\xd0\xb5\xd1\x81\xd0\xbd\xd0\xb8 " + name);
    ASSERT_TRUE(CreateFolder(middle));
    ASSERT_TRUE(CreateFolder(folder));
    ASSERT_GT(folder.size(), 300u);
    const std::string song = Join(folder, "\xe5\xa4\x8f.kar");
    WriteFileReplacing(song, Hex("4d 54 68 64"));
    WriteFileReplacing(song, Hex("4d 54 68 64 00")); // replacing goes through a temporary file
    EXPECT_EQ(ReadWholeFile(song), Hex("4d 54 68 64 00"));
    EXPECT_EQ(Listed(folder), std::vector<std::string>{"\xe5\xa4\x8f.kar"});
    EXPECT_TRUE(IsFolder(folder));
    EXPECT_FALSE(IsFolder(song));
    EXPECT_TRUE(IdentityOf(song).has_value());
}

#ifdef _WIN32
// Text that is not UTF-8 (the code page's "é" of an older program's
// settings, say) names no file on Windows: it is refused with its reason,
// never read as a name it might be taken for.
TEST(UnicodeNames, TextThatIsNotUtf8NamesNoFileOnWindows) {
    TempDir dir;
    WriteFileReplacing(Join(dir.str(), "Caf\xc3\xa9.kar"), Hex("01"));
    WriteFileReplacing(Join(dir.str(), "Caf\xef\xbf\xbd.kar"), Hex("02")); // U+FFFD
    const std::string latin1 = Join(dir.str(), "Caf\xe9.kar");
    const std::string illegal = std::generic_category().message(EILSEQ);
    EXPECT_EQ(ReasonOf([&] { ReadWholeFile(latin1); }), illegal);
    EXPECT_EQ(ReasonOf([&] { WriteFileReplacing(latin1, Hex("03")); }), illegal);
    EXPECT_FALSE(IsFolder(Join(dir.str(), "Caf\xe9")));
    EXPECT_FALSE(IdentityOf(latin1).has_value());
    EXPECT_FALSE(CreateFolder(Join(dir.str(), "Caf\xe9")));
    std::string reason;
    EXPECT_FALSE(OpenFolder::Open(Join(dir.str(), "Caf\xe9"), reason).has_value());
    EXPECT_FALSE(reason.empty());
    EXPECT_THROW(SetCurrentDir(Join(dir.str(), "Caf\xe9")), DirectoryError);
    EXPECT_EQ(NamesOnDisk(dir.str()),
              (std::vector<std::string>{"Caf\xc3\xa9.kar", "Caf\xef\xbf\xbd.kar"}));
    EXPECT_EQ(ReadWholeFile(Join(dir.str(), "Caf\xc3\xa9.kar")), Hex("01"));
}

// Windows lets a name hold half a surrogate pair, which no UTF-8 spells: it
// is listed in the form that brings it back to the system unchanged.
TEST(UnicodeNames, ANameWithALoneSurrogateIsReachedAsItIs) {
    TempDir dir;
    const std::wstring wide = test::FsPath(dir.str()).wstring() + L"\\lone\xd800.kar";
    const HANDLE made = ::CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (made == INVALID_HANDLE_VALUE)
        GTEST_SKIP() << "this file system takes no name with half a surrogate pair (Wine's does "
                        "not), error "
                     << ::GetLastError();
    ::CloseHandle(made);
    const std::string name = "lone\xed\xa0\x80.kar";
    EXPECT_EQ(Listed(dir.str()), std::vector<std::string>{name});
    EXPECT_TRUE(ReadWholeFile(Join(dir.str(), name)).empty());
    WriteFileReplacing(Join(dir.str(), "lone\xed\xa0\x80.MID"), Hex("01"));
    EXPECT_NE(
        ::GetFileAttributesW((test::FsPath(dir.str()).wstring() + L"\\lone\xd800.MID").c_str()),
        INVALID_FILE_ATTRIBUTES);
}
#endif

} // namespace
} // namespace lyricast

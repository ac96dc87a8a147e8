// The drive list on the drives of a Wine prefix. Beside Wine's own c: and z:
// (the build machine's root), scripts/lib/wine.sh maps one drive of each kind:
//   j: removable,    k: remote, connected to \\Srv\Songs,
//   l: fixed, labelled "Café Songs",
//   m: fixed, but its folder is missing,   n: CD-ROM without a disc,
//   o: remote without a connection, labelled "Old Share",
//   p: fixed, labelled "Песни 歌",
//   r: RAM disk, labelled "Ram Disk".
#include "platform/CurrentDirectory.h"
#include "platform/DirectoryError.h"
#include "platform/Volumes.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <algorithm>
#include <cstdlib>

namespace lyricast {
namespace {

const PathRules& Win = PathRules::Windows();

class WineDrives : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::getenv("LYRICAST_WINE_TEST_DRIVES") == nullptr)
            GTEST_SKIP() << "the test drives are mapped by scripts/test-windows";
        volumes_ = SystemVolumeTable().List();
    }

    // The listed volume of a drive letter, or nullptr.
    const Volume* Drive(char letter) const {
        for (const Volume& volume : volumes_)
            if (volume.root == std::string{letter, ':', '\\'})
                return &volume;
        return nullptr;
    }

    std::vector<Volume> volumes_;
};

TEST_F(WineDrives, EachKindWithItsLabelOrShareInBothCases) {
    struct Case {
        char letter;
        VolumeKind kind;
        const char* lower;
        const char* upper;
    };
    const Case cases[] = {
        {'c', VolumeKind::Fixed, "c: []", "C: []"},
        {'j', VolumeKind::Removable, "j:", "J:"}, // not queried: no brackets
        {'k', VolumeKind::Remote, "k: \\\\srv\\songs", "K: \\\\SRV\\SONGS"},
        {'n', VolumeKind::CdRom, "n: []", "N: []"},
        {'o', VolumeKind::Remote, "o: [old share]", "O: [OLD SHARE]"},
        {'r', VolumeKind::RamDisk, "r: [ram disk]", "R: [RAM DISK]"},
        {'z', VolumeKind::Fixed, "z: []", "Z: []"},
    };
    for (const Case& c : cases) {
        const Volume* volume = Drive(c.letter);
        ASSERT_NE(volume, nullptr) << c.letter;
        EXPECT_EQ(volume->kind, c.kind) << c.letter;
        EXPECT_EQ(VolumeCaption(*volume, false, Win), c.lower);
        EXPECT_EQ(VolumeCaption(*volume, true, Win), c.upper);
    }
    ASSERT_NE(Drive('k'), nullptr);
    EXPECT_EQ(Drive('k')->connection, "\\\\Srv\\Songs") << "the share keeps its case until shown";
}

// Labels come up as UTF-8 and are cased letter by letter, whatever the code
// page: that of this prefix (1252) has the é of l:, but not the Cyrillic of p:.
TEST_F(WineDrives, LabelsAreUnicodeAndCasedWhateverTheCodePage) {
    EXPECT_EQ(GetACP(), 1252u) << "scripts/lib/wine.sh runs Wine in the Western code page";
    const Volume* cafe = Drive('l');
    ASSERT_NE(cafe, nullptr);
    EXPECT_EQ(cafe->label, "Caf\xc3\xa9 Songs");
    EXPECT_EQ(VolumeCaption(*cafe, false, Win), "l: [caf\xc3\xa9 songs]");
    EXPECT_EQ(VolumeCaption(*cafe, true, Win), "L: [CAF\xc3\x89 SONGS]");
    const Volume* songs = Drive('p');
    ASSERT_NE(songs, nullptr);
    EXPECT_EQ(songs->label, "\xd0\x9f\xd0\xb5\xd1\x81\xd0\xbd\xd0\xb8 \xe6\xad\x8c"); // Песни 歌
    EXPECT_EQ(VolumeCaption(*songs, false, Win),
              "p: [\xd0\xbf\xd0\xb5\xd1\x81\xd0\xbd\xd0\xb8 \xe6\xad\x8c]"); // песни 歌
    EXPECT_EQ(VolumeCaption(*songs, true, Win),
              "P: [\xd0\x9f\xd0\x95\xd0\xa1\xd0\x9d\xd0\x98 \xe6\xad\x8c]"); // ПЕСНИ 歌
}

TEST_F(WineDrives, LetterOrderWithoutTheDriveWhoseFolderIsMissing) {
    std::string letters;
    for (const Volume& volume : volumes_)
        letters += volume.root.front();
    EXPECT_EQ(letters.find('m'), std::string::npos) << letters;
    EXPECT_TRUE(std::is_sorted(letters.begin(), letters.end())) << letters;
    for (const char letter : std::string("cjklnoprz"))
        EXPECT_NE(letters.find(letter), std::string::npos) << letter << " in " << letters;
}

TEST_F(WineDrives, CriticalErrorModeComesBackAfterEveryQuery) {
    const UINT before = SetErrorMode(SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    SystemVolumeTable().List();
    EXPECT_EQ(GetErrorMode(), UINT{SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX});
    SystemVolumeTable().CaseOf("n:\\");
    EXPECT_EQ(GetErrorMode(), UINT{SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX});
    SetErrorMode(before);
}

TEST_F(WineDrives, CaseAndRootOfAFolder) {
    const VolumeCase disk = SystemVolumeTable().CaseOf("C:\\windows");
    EXPECT_TRUE(disk.preservesCase);
    EXPECT_FALSE(disk.caseSensitive);
    EXPECT_EQ(SystemVolumeTable().RootOf("C:\\windows"), "c:\\");
    EXPECT_EQ(SystemVolumeTable().RootOf("k:\\"), "k:\\");
    EXPECT_EQ(SystemVolumeTable().RootOf("\\\\Srv\\Songs\\pop"), "")
        << "a share has no drive letter";
}

// Choosing a CD drive without a disc raises the error of the failed change
// and leaves the process where it was.
TEST_F(WineDrives, ADriveWithoutItsMediumCannotBeEntered) {
    const std::string before = GetCurrentDir();
    try {
        EnterVolume("n:\\", "");
        ADD_FAILURE() << "no error";
    } catch (const DirectoryError& error) {
        EXPECT_EQ(error.what(), InOutMessage(error.code()));
    }
    EXPECT_EQ(GetCurrentDir(), before);
}

} // namespace
} // namespace lyricast

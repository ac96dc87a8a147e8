#include "platform/NameCase.h"
#include "support/CaseFoldingFolder.h"
#include "support/Platform.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace lyricast {
namespace {

using namespace test;
namespace fs = std::filesystem;

TEST(FoldedName, LettersOfEveryCaseWritingFoldTogether) {
    struct Pair {
        const char* a;
        const char* b;
    };
    for (const Pair& same : {
             Pair{"Song.MID", "SONG.mid"}, Pair{"Caf\xc3\xa9.MID", "CAF\xc3\x89.MID"}, // é É
             Pair{"\xc5\xbe\xc4\x9b", "\xc5\xbd\xc4\x9a"},                             // žě ŽĚ
             Pair{"\xc3\xbf", "\xc5\xb8"},                                             // ÿ Ÿ
             Pair{"\xd0\xbf\xd0\xb5\xd1\x81\xd0\xbd\xd1\x8f",                          // песня
                  "\xd0\x9f\xd0\x95\xd0\xa1\xd0\x9d\xd0\xaf"},                         // ПЕСНЯ
             Pair{"\xd1\x91\xd1\x97", "\xd0\x81\xd0\x87"},                             // ёї ЁЇ
             Pair{"\xce\xbb\xcf\x8c\xce\xb3\xce\xbf\xcf\x82",                          // λόγος
                  "\xce\x9b\xce\x8c\xce\x93\xce\x9f\xce\xa3"},                         // ΛΌΓΟΣ
             Pair{"\xe1\xba\xa1\xe1\xbb\xb1", "\xe1\xba\xa0\xe1\xbb\xb0"}, // ạự ẠỰ
             Pair{"\xef\xbd\x81", "\xef\xbc\xa1"},                         // ａ Ａ
         })
        EXPECT_EQ(FoldedName(same.a), FoldedName(same.b)) << same.a << " " << same.b;
    for (const Pair& different : {
             Pair{"a.MID", "b.MID"}, Pair{"\xc3\xb7", "\xc3\x97"}, // ÷ is no small ×
             Pair{"\xe6\xad\x8c", "\xe6\xad\x8d"},                 // no case in Han
             Pair{"\xe9", "\xc9"},                                 // not UTF-8: only ASCII folds
         })
        EXPECT_NE(FoldedName(different.a), FoldedName(different.b))
            << different.a << " " << different.b;
    EXPECT_EQ(FoldedName("x\xff\xc3"), "X\xff\xc3"); // bytes that are no UTF-8 stay
}

TEST(CaseSwapped, OnlyAsciiLettersSwap) {
    EXPECT_EQ(CaseSwapped(".lyricast-aB3.tmp"), ".LYRICAST-Ab3.TMP");
    EXPECT_EQ(CaseSwapped("123 \xc3\xa9"), "123 \xc3\xa9");
}

TEST(FolderFoldsCase, AskedOfTheFolderItselfAndLeavesNothingBehind) {
    TempDir empty;
    EXPECT_EQ(FolderFoldsCase(empty.str()), kWindows);
    EXPECT_TRUE(fs::is_empty(empty.path())); // the probe file is gone

    TempDir named;
    std::ofstream(named / "Song.kar").put('x');
    EXPECT_EQ(FolderFoldsCase(named.str()), kWindows);
    if (!kWindows) {
        // Both spellings are entries of their own: the folder tells case apart.
        std::ofstream(named / "sONG.KAR").put('y');
        EXPECT_FALSE(FolderFoldsCase(named.str()));
        EXPECT_FALSE(FolderFoldsCase(named / "nowhere"));
    }
}

TEST(FolderFoldsCase, AFoldingFileSystemIsFoundOut) {
    const CaseFoldingFolder folding;
    if (!folding.path())
        GTEST_SKIP() << folding.reason();
    EXPECT_TRUE(FolderFoldsCase(*folding.path())); // empty: asked with a file of our own
    EXPECT_TRUE(fs::is_empty(*folding.path()));
    std::ofstream(*folding.path() + "/Song.kar").put('x');
    EXPECT_TRUE(FolderFoldsCase(*folding.path()));
}

} // namespace
} // namespace lyricast

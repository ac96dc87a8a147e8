#include "convert/OutputNaming.h"

#include <gtest/gtest.h>

namespace lyricast {
namespace {

const PathRules& kWindows = PathRules::Windows();
const PathRules& kPosix = PathRules::Posix();

struct NamingCase {
    const char* source;
    std::optional<std::string> outputFolder;
    std::optional<std::string> expected;
};

void ExpectOutputs(const PathRules& rules, std::initializer_list<NamingCase> cases) {
    for (const NamingCase& c : cases)
        EXPECT_EQ(OutputPathOf(c.source, c.outputFolder, rules), c.expected)
            << c.source << " into " << c.outputFolder.value_or("(beside)");
}

TEST(OutputNaming, WindowsPaths) {
    ExpectOutputs(
        kWindows,
        {
            {R"(C:\Songs\My.Song.kar)", std::nullopt, R"(C:\Songs\My.Song.MID)"},
            {R"(C:\Songs\My.Song.kar)", R"(D:\Out)", R"(D:\Out\My.Song.MID)"},
            {R"(C:\Songs\My.Song.kar)", R"(D:\)", R"(D:\My.Song.MID)"}, // a root's own separator
            {R"(C:\Songs\My.Song.kar)", "", R"(\My.Song.MID)"},
            {R"(C:\\song.KAR)", std::nullopt, R"(C:\\song.MID)"}, // a scan of a drive root
            {R"(C:song.kar)", std::nullopt, R"(C:song.MID)"},     // ":" ends the drive part
            {R"(C:\Songs/sub/x.kar)", std::nullopt, R"(C:\Songs/sub/x.MID)"},
            {R"(C:\Songs.d\Readme)", std::nullopt,
             std::nullopt}, // the dot of a folder does not count
            {R"(\\server\share\.kar)", std::nullopt, R"(\\server\share\.MID)"},
        });
}

TEST(OutputNaming, PosixPaths) {
    ExpectOutputs(kPosix, {
                              {"/home/u/My.Song.kar", std::nullopt, "/home/u/My.Song.MID"},
                              {"/home/u/My.Song.kar", "/out", "/out/My.Song.MID"},
                              {"/home/u/My.Song.kar", "/", "/My.Song.MID"},
                              {"song.kar", std::nullopt, "song.MID"},
                              {"/home/u/a:b.kar", std::nullopt,
                               "/home/u/a:b.MID"}, // ":" is part of a POSIX name
                              {"/home/u/back\\slash.kar", std::nullopt, "/home/u/back\\slash.MID"},
                              {"/home/u.d/README", std::nullopt, std::nullopt},
                              {"/home/u/trailing.", std::nullopt, "/home/u/trailing.MID"},
                          });
}

TEST(OutputNaming, Parts) {
    EXPECT_EQ(FileNameOf(R"(C:\a\b.kar)", kWindows), "b.kar");
    EXPECT_EQ(SourceFolderOf(R"(C:\a\b.kar)", kWindows), R"(C:\a\)");
    EXPECT_EQ(SourceFolderOf("b.kar", kPosix), "");
    EXPECT_EQ(OutputNameOf("Song.Kar"), "Song.MID");
    EXPECT_EQ(OutputNameOf(".kar"), ".MID");
    EXPECT_EQ(OutputNameOf("kar"), std::nullopt);
}

} // namespace
} // namespace lyricast

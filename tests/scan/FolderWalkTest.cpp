#include "scan/FolderWalk.h"
#include "support/DeepFolders.h"
#include "support/Platform.h"
#include "support/TempDir.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace lyricast {
namespace {

using test::TempDir;
namespace fs = std::filesystem;

// The walk runs under the rules of the platform it runs on.
const PathRules& kRules = PathRules::Native();

class FolderWalkTest : public ::testing::Test {
protected:
    void Touch(const std::string& relative) { test::WriteBytes(dir / relative, {}); }
    void Folder(const std::string& relative) { fs::create_directories(dir.path() / relative); }

    // The files found, relative to the walked folder and spelled with "/",
    // with their extensions.
    std::vector<std::string> Walk(const std::string& start = "") {
        std::vector<std::string> found;
        const std::string root = start.empty() ? dir.str() : start;
        WalkHooks hooks{
            [this] { ++foldersStarted; }, [this] { return subFolders; },
            [this, &found] { return stopAfter >= 0 && found.size() >= std::size_t(stopAfter); },
            [&](const std::string& path, const std::string& extension) {
                found.push_back(Relative(root, path) + " " + extension);
            },
            [&](const std::string& folder, const std::string& reason) {
                unreadable.push_back(Relative(root, folder) + ": " + reason);
            }};
        hooks.midiFilesToo = midiFilesToo;
        FolderWalk(hooks, kRules).WalkFolder(root);
        return found;
    }

    // The path below `root`, spelled with "/"; "" for the root itself.
    static std::string Relative(const std::string& root, const std::string& path) {
        std::string relative = path.size() > root.size() ? path.substr(root.size() + 1) : "";
        std::replace(relative.begin(), relative.end(), kRules.separator, '/');
        return relative;
    }

    TempDir dir;
    bool subFolders = true;
    bool midiFilesToo = false;
    int stopAfter = -1;
    int foldersStarted = 0;
    std::vector<std::string> unreadable; // "relative path: reason"
};

const auto kIgnoreUnreadable = [](const std::string&, const std::string&) {};

TEST_F(FolderWalkTest, OnlyKarExtensionsInAnyCase) {
    for (const char* name : {"a.kar", "b.Kar", "C.KAR", ".kar", "song.kar.bak", "song.kar1", "kar",
                             "song.mid", "x.KAR.kar"})
        Touch(name);
    EXPECT_EQ(Walk(), (std::vector<std::string>{".kar .KAR", "a.kar .KAR", "b.Kar .KAR",
                                                "C.KAR .KAR", "x.KAR.kar .KAR"}));
}

TEST_F(FolderWalkTest, MidiFilesTooWhenAsked) {
    for (const char* name : {"a.kar", "b.mid", "c.MIDI", "d.Mid", "e.midi.bak", "f.smf", "g.mi"})
        Touch(name);
    midiFilesToo = true;
    EXPECT_EQ(Walk(),
              (std::vector<std::string>{"a.kar .KAR", "b.mid .MID", "c.MIDI .MIDI", "d.Mid .MID"}));
}

TEST_F(FolderWalkTest, NameOrderFoldsLettersToUpperCase) {
    for (const char* name : {"b.kar", "A.kar", "_.kar", "Z.kar", "ab.kar", "1.kar"})
        Touch(name);
    EXPECT_EQ(Walk(), (std::vector<std::string>{"1.kar .KAR", "A.kar .KAR", "ab.kar .KAR",
                                                "b.kar .KAR", "Z.kar .KAR", "_.kar .KAR"}));
}

TEST_F(FolderWalkTest, NamesDifferingOnlyInCaseListUpperCaseFirst) {
    if (kRules.caseInsensitive)
        GTEST_SKIP() << "names differing only in case are one file here";
    for (const char* name : {"song.kar", "Song.Kar", "SONG.KAR", "a.kar", "A.kar"})
        Touch(name);
    EXPECT_EQ(Walk(), (std::vector<std::string>{"A.kar .KAR", "a.kar .KAR", "SONG.KAR .KAR",
                                                "Song.Kar .KAR", "song.kar .KAR"}));
}

TEST_F(FolderWalkTest, SubFoldersDepthFirstAndDotFoldersSkipped) {
    Touch("a.kar");
    Touch("m/b.kar");
    Touch("m/deep/c.kar");
    Touch("m/z.kar");
    Touch(".hidden/d.kar");
    Touch(".e.kar");
    Touch("z.kar");
    EXPECT_EQ(Walk(),
              (std::vector<std::string>{".e.kar .KAR", "a.kar .KAR", "m/b.kar .KAR",
                                        "m/deep/c.kar .KAR", "m/z.kar .KAR", "z.kar .KAR"}));
    EXPECT_EQ(foldersStarted, 3);
}

TEST_F(FolderWalkTest, WithoutSubFoldersAFolderNamedLikeAKarFileIsAFile) {
    Touch("a.kar");
    Touch("sub/b.kar");
    Folder("Box.Kar");
    subFolders = false;
    EXPECT_EQ(Walk(), (std::vector<std::string>{"a.kar .KAR", "Box.Kar .KAR"}));
    subFolders = true;
    EXPECT_EQ(Walk(), (std::vector<std::string>{"a.kar .KAR", "sub/b.kar .KAR"}));
}

TEST_F(FolderWalkTest, StopRequestEndsTheWalk) {
    Touch("a.kar");
    Touch("b/c.kar");
    Touch("b/d.kar");
    Touch("e.kar");
    stopAfter = 2;
    EXPECT_EQ(Walk(), (std::vector<std::string>{"a.kar .KAR", "b/c.kar .KAR"}));
}

TEST_F(FolderWalkTest, StopRequestedDuringAFolderStartAddsNothingMore) {
    Touch("a/b.kar");
    Touch("d.kar");
    std::vector<std::string> found;
    bool stop = false;
    int starts = 0;
    WalkHooks hooks{[&] { stop = ++starts == 2; }, // a stop arrives while folder a pauses
                    [] { return true; }, [&] { return stop; },
                    [&](const std::string& path, const std::string&) { found.push_back(path); },
                    kIgnoreUnreadable};
    FolderWalk(hooks, kRules).WalkFolder(dir.str());
    EXPECT_TRUE(found.empty());
}

TEST_F(FolderWalkTest, EveryFolderIsEnteredOnceWhateverLinksLeadToIt) {
    Touch("a.kar");
    Touch("sub/b.kar");
    LINK_FOLDER_OR_SKIP(dir.path(), dir.path() / "sub" / "loop");
    LINK_FOLDER_OR_SKIP(dir.path() / "sub",
                        dir.path() / "twin"); // not on the path, but walked already
    EXPECT_EQ(Walk(), (std::vector<std::string>{"a.kar .KAR", "sub/b.kar .KAR"}));
}

// Two links at each of 17 levels make 131,072 routes to one file.
TEST_F(FolderWalkTest, RoutesThroughLinksDoNotMultiplyTheRows) {
    Touch("f17/song.kar");
    for (int level = 16; level >= 0; --level) {
        const fs::path next = dir.path() / ("f" + std::to_string(level + 1));
        Folder("f" + std::to_string(level));
        for (const char* link : {"a", "b"})
            LINK_FOLDER_OR_SKIP(next, dir.path() / ("f" + std::to_string(level)) / link);
    }
    const std::string root = dir / "f0";
    const auto rows = Walk(root);
    EXPECT_EQ(rows, std::vector<std::string>{"a/a/a/a/a/a/a/a/a/a/a/a/a/a/a/a/a/song.kar .KAR"});
}

// Beyond PATH_MAX here (over 5,000 bytes); beyond MAX_PATH on Windows, but
// within what Wine can follow.
TEST_F(FolderWalkTest, FilesBeyondTheLongestPathAreStillFound) {
    const std::string name(200, 'd');
    const int levels = test::kWindows ? 8 : 25;
    const test::DeepFolders deep(dir.path(), levels, name);
    std::string expected;
    for (int i = 0; i < levels; ++i)
        expected += name + "/";
    EXPECT_EQ(Walk(), std::vector<std::string>{expected + "deep.kar .KAR"});
}

TEST_F(FolderWalkTest, SeparatorIsPutEvenAfterOneAlreadyThere) {
    Touch("sub/a.kar");
    std::vector<std::string> paths;
    WalkHooks hooks{[] {}, [] { return true; }, [] { return false; },
                    [&](const std::string& path, const std::string&) { paths.push_back(path); },
                    kIgnoreUnreadable};
    const std::string sep(1, kRules.separator);
    FolderWalk(hooks, kRules).WalkFolder(dir.str() + sep);
    EXPECT_EQ(paths, std::vector<std::string>{dir.str() + sep + sep + "sub" + sep + "a.kar"});
}

TEST_F(FolderWalkTest, FolderThatCannotBeListedAddsNothing) {
    EXPECT_TRUE(Walk(dir / "missing").empty());
    EXPECT_EQ(foldersStarted, 1);
    ASSERT_EQ(unreadable.size(), 1u) << "it is reported, with the system's reason";
    if (!test::kWindows) {
        EXPECT_EQ(unreadable[0], ": No such file or directory");
    }
    EXPECT_GT(unreadable[0].size(), 2u) << unreadable[0];
}

// A folder that goes between the listing of its parent and its own opening
// is reported where it was met, and the walk goes on after it.
TEST_F(FolderWalkTest, FolderThatCannotBeOpenedIsReportedInItsPlace) {
    Touch("a.kar");
    Touch("b/c.kar");
    Touch("d.kar");
    std::vector<std::string> met;
    WalkHooks hooks{[] {}, [] { return true; }, [] { return false; },
                    [&](const std::string& path, const std::string&) {
                        met.push_back(Relative(dir.str(), path));
                        if (met.size() == 1)
                            fs::remove_all(dir.path() / "b");
                    },
                    [&](const std::string& folder, const std::string& reason) {
                        met.push_back(Relative(dir.str(), folder) + " unreadable");
                        EXPECT_FALSE(reason.empty());
                    }};
    FolderWalk(hooks, kRules).WalkFolder(dir.str());
    EXPECT_EQ(met, (std::vector<std::string>{"a.kar", "b unreadable", "d.kar"}));
}

// A folder deeper than the system can follow is reported where the walk
// stops, not lost. Only Wine has one to offer that its own calls cannot make.
TEST_F(FolderWalkTest, FolderBeyondWhatTheSystemFollowsIsReported) {
    if (!test::kWindows)
        GTEST_SKIP() << "the walk reaches these folders through their parents here";
    const auto tree = test::WineDeepTree();
    if (!tree)
        GTEST_SKIP() << "scripts/test-windows makes the tree deeper than Wine follows";
    const auto rows = Walk(*tree);
    EXPECT_EQ(rows, (std::vector<std::string>{"d1/a.kar .KAR", "d2/a.kar .KAR", "d3/a.kar .KAR",
                                              "d4/a.kar .KAR", "z.kar .KAR"}));
    ASSERT_EQ(unreadable.size(), 4u);
    const std::string chain = std::string(200, 'n') + "/";
    for (std::size_t i = 0; i < unreadable.size(); ++i) {
        const std::string folder = "d" + std::to_string(i + 1) + "/" + chain + chain;
        EXPECT_TRUE(unreadable[i].starts_with(folder)) << unreadable[i];
        EXPECT_NE(unreadable[i].find(": "), std::string::npos) << "with the system's reason";
    }
}

} // namespace
} // namespace lyricast

#include "PaneFakes.h"

#include "platform/AsciiCase.h"
#include "platform/DirectoryError.h"

namespace lyricast::test {
namespace {

namespace fs = std::filesystem;

struct ExpectedItem {
    std::string text;
    LadderKind kind;
    int indent;
    std::string path;
};

// The items for `folder`, worked out here from the rules of the ladder: the
// root (open, indent 2), one open item per folder down to the current one
// (index x 4 + 2), then its sub-folders (closed, separators x 4 + 6).
std::vector<ExpectedItem> ExpectedLadder(const std::string& folder,
                                         const std::vector<std::string>& subFolders) {
    const PathRules& rules = PathRules::Native();
    const char sep = rules.separator;
    const std::string root = std::string(rules.DrivePart(folder)) + sep;
    std::vector<std::string> parts;
    for (std::size_t at = root.size(); at < folder.size();) {
        const std::size_t end = std::min(folder.find(sep, at), folder.size());
        parts.push_back(folder.substr(at, end - at));
        at = end + 1;
    }
    std::vector<ExpectedItem> items{
        {root, parts.empty() ? LadderKind::Current : LadderKind::Open, 2, root}};
    std::string path = root.substr(0, root.size() - 1);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        path += sep + parts[i];
        const bool last = i + 1 == parts.size();
        items.push_back({parts[i], last ? LadderKind::Current : LadderKind::Open,
                         static_cast<int>(i + 1) * 4 + 2, path});
    }
    const int separators = static_cast<int>(std::count(folder.begin(), folder.end(), sep));
    for (const std::string& name : subFolders)
        items.push_back({name, LadderKind::Closed, separators * 4 + 6,
                         folder.back() == sep ? folder + name : folder + sep + name});
    return items;
}

// Checks the core's items and what its view shows: the same items, the
// current one selected.
void ExpectLadder(const FolderList& pane, const std::string& folder,
                  const std::vector<std::string>& subFolders) {
    const auto expected = ExpectedLadder(folder, subFolders);
    const DirectoryListBox& list = pane.list;
    EXPECT_EQ(list.Directory(), folder);
    ASSERT_EQ(list.ItemCount(), static_cast<int>(expected.size()));
    ASSERT_EQ(pane.view.items.size(), expected.size());
    for (int i = 0; i < list.ItemCount(); ++i) {
        const ExpectedItem& item = expected[static_cast<std::size_t>(i)];
        EXPECT_EQ(list.ItemText(i), item.text) << i;
        EXPECT_EQ(list.ItemKind(i), item.kind) << i;
        EXPECT_EQ(list.ItemIndent(i), item.indent) << i;
        EXPECT_EQ(list.ItemPath(i), item.path) << i;
        const FolderItem& shown = pane.view.items[static_cast<std::size_t>(i)];
        EXPECT_EQ(shown.text, item.text) << i;
        EXPECT_EQ(shown.kind, item.kind) << i;
        EXPECT_EQ(shown.indent, item.indent) << i;
    }
    const int current = static_cast<int>(expected.size() - subFolders.size()) - 1;
    EXPECT_EQ(pane.view.selected, current);
    EXPECT_EQ(list.ItemKind(current), LadderKind::Current);
}

// The sub-folders the list must show: no hidden ones, sorted without regard to case.
std::vector<std::string> VisibleSubFolders(const std::string& folder) {
    std::vector<std::string> names;
    if (const auto entries = ListFolder(folder))
        for (const FolderEntry& entry : *entries)
            if (entry.isFolder && !entry.hidden && !entry.system)
                names.push_back(entry.name);
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return LessIgnoringCase(a, b); });
    return names;
}

int RowOf(const DirectoryListBox& list, const std::string& text) {
    for (int i = 0; i < list.ItemCount(); ++i)
        if (list.ItemText(i) == text)
            return i;
    return -1;
}

using FolderListTest = PaneTree;

TEST_F(FolderListTest, LadderTwoLevelsDownAndAtTheRootFromCreationOn) {
    FolderList atB(volumes_);
    EXPECT_EQ(atB.view.shows, 1);
    ExpectLadder(atB, b_, {"c1", "C2", "sub3"});
    EXPECT_EQ(GetCurrentDir(), b_);

    atB.list.SetDirectory(root_);
    ExpectLadder(atB, root_, VisibleSubFolders(root_));
    FolderList atRoot(volumes_);
    ExpectLadder(atRoot, root_, VisibleSubFolders(root_));
}

TEST_F(FolderListTest, ItemsLeadUpTheLadderAndDown) {
    FolderList pane(volumes_);
    DirectoryListBox& list = pane.list;
    EXPECT_EQ(list.ItemPath(-1), "");
    EXPECT_EQ(list.ItemPath(list.ItemCount()), "");
    list.OpenCurrent(-1);
    list.OpenCurrent(list.ItemCount());
    EXPECT_EQ(pane.changes, 0);

    list.OpenCurrent(RowOf(list, "A"));
    ExpectLadder(pane, Folder("A"), {"B"});
    EXPECT_EQ(GetCurrentDir(), Folder("A"));
    list.OpenCurrent(RowOf(list, "B"));
    list.OpenCurrent(RowOf(list, "sub3"));
    ExpectLadder(pane, Join(b_, "sub3"), {});
    EXPECT_EQ(pane.changes, 3);
    EXPECT_EQ(pane.doubleClicks, 0); // Enter's way in: no OnDblClick
    EXPECT_EQ(pane.enters, 5) << "OnEnter, with an item to open or not";
}

TEST_F(FolderListTest, DoubleClickRaisesOnDblClickBeforeTheFolderChanges) {
    FolderList pane(volumes_);
    std::string seenFolder, seenCurrentDir;
    pane.list.OnDblClick = [&] {
        seenFolder = pane.list.Directory();
        seenCurrentDir = GetCurrentDir();
    };
    pane.list.DblClick(RowOf(pane.list, "C2"));
    EXPECT_EQ(seenFolder, b_);
    EXPECT_EQ(seenCurrentDir, b_);
    ExpectLadder(pane, Join(b_, "C2"), {});
    EXPECT_EQ(GetCurrentDir(), Join(b_, "C2"));
    EXPECT_EQ(pane.changes, 1);

    // On the current item: the handler runs, the folder stays.
    seenFolder.clear();
    pane.list.DblClick(RowOf(pane.list, "C2"));
    EXPECT_EQ(seenFolder, Join(b_, "C2"));
    EXPECT_EQ(pane.changes, 1);
    EXPECT_EQ(pane.enters, 0);

    // Enter raises its own handler, also while the old folder is current.
    pane.list.OnEnter = pane.list.OnDblClick;
    seenFolder.clear();
    pane.list.OpenCurrent(RowOf(pane.list, "B"));
    EXPECT_EQ(seenFolder, Join(b_, "C2"));
    EXPECT_EQ(pane.list.Directory(), b_);
}

TEST_F(FolderListTest, TheSameFolderOrNoneLeavesEverythingAsItIs) {
    FolderList pane(volumes_);
    pane.list.SetDirectory(b_);
    pane.list.SetDirectory("");
    EXPECT_EQ(pane.changes, 0);
    EXPECT_EQ(pane.view.shows, 1);
}

TEST_F(FolderListTest, AFileOrAPatternOpensTheFolderItIsIn) {
    FolderList pane(volumes_);
    pane.list.SetDirectory(Join(Join(b_, "C2"), "*.kar"));
    EXPECT_EQ(pane.list.Directory(), Join(b_, "C2"));
    pane.list.SetDirectory(Join(b_, "x.kar"));
    EXPECT_EQ(pane.list.Directory(), b_);
    pane.list.SetDirectory("sub3"); // relative to the current folder
    EXPECT_EQ(pane.list.Directory(), Join(b_, "sub3"));
    EXPECT_EQ(pane.changes, 3);
}

TEST_F(FolderListTest, ARemovedFolderRaisesFileNotFoundAndKeepsTheList) {
    FolderList pane(volumes_);
    const std::vector<FolderItem> before = pane.view.items;
    const int row = RowOf(pane.list, "sub3");
    fs::remove(tree_.path() / "A/B/sub3");

    EXPECT_THROW(pane.list.SetDirectory(Join(b_, "sub3")), DirectoryError);
    EXPECT_THROW(pane.list.DblClick(row), DirectoryError);
    try {
        pane.list.OpenCurrent(row);
        ADD_FAILURE() << "no error";
    } catch (const DirectoryError& error) {
        EXPECT_STREQ(error.what(), "File not found");
        EXPECT_EQ(error.code(), 2);
    }
    EXPECT_EQ(pane.list.Directory(), b_);
    EXPECT_EQ(GetCurrentDir(), b_);
    EXPECT_EQ(pane.list.ItemText(row), "sub3");
    EXPECT_EQ(pane.view.items.size(), before.size());
    EXPECT_EQ(pane.view.shows, 1);
    EXPECT_EQ(pane.changes, 0);
}

// Folders named in any writing are laddered, listed, opened and entered;
// where the volume does not keep case, they are shown lower-cased as the
// system cases them (on Windows every letter, elsewhere ASCII alone).
TEST_F(FolderListTest, FoldersOfAnyNameAreLadderedListedAndOpened) {
    const std::string songs = "\xd0\x9f\xd0\xb5\xd1\x81\xd0\xbd\xd0\xb8"; // Песни
    const std::vector<std::string> below = {
        "Canci\xc3\xb3n",                                   // Canción
        "\xd0\x9b\xd0\xb5\xd1\x82\xd0\xbe",                 // Лето
        "\xe0\xb9\x80\xe0\xb8\x9e\xe0\xb8\xa5\xe0\xb8\x87", // เพลง
        "\xe6\x97\xa5\xe6\x9c\xac\xe3\x81\xae\xe6\xad\x8c", // 日本の歌
        "\xf0\x9f\x8e\xa4",                                 // 🎤
    };
    for (const std::string& name : below)
        std::filesystem::create_directories(FsPath(Join(Join(b_, songs), name)));
    FolderList pane(volumes_);
    DirectoryListBox& list = pane.list;
    list.OpenCurrent(RowOf(list, songs));
    ExpectLadder(pane, Join(b_, songs), below);
    EXPECT_EQ(GetCurrentDir(), Join(b_, songs));
    list.OpenCurrent(RowOf(list, below[3]));
    ExpectLadder(pane, Join(Join(b_, songs), below[3]), {});
    EXPECT_EQ(GetCurrentDir(), Join(Join(b_, songs), below[3]));
    list.OpenCurrent(RowOf(list, songs));
    EXPECT_EQ(list.Directory(), Join(b_, songs)) << "an open item leads back up";

    volumes_.volumeCase = {false, false};
    list.SetDirectory(Join(Join(b_, songs), below[0]));
    EXPECT_EQ(list.DisplayText(RowOf(list, songs)),
              kWindows ? "\xd0\xbf\xd0\xb5\xd1\x81\xd0\xbd\xd0\xb8" : songs); // песни
    EXPECT_EQ(list.DisplayText(RowOf(list, below[0])), "canci\xc3\xb3n");
}

TEST_F(FolderListTest, CaseIsShownAndComparedByTheVolumesFlags) {
    volumes_.volumeCase = {false, false};
    FolderList pane(volumes_);
    DirectoryListBox& list = pane.list;
    EXPECT_FALSE(list.PreservesCase());
    EXPECT_FALSE(list.CaseSensitive());
    const int row = RowOf(list, "C2");
    EXPECT_EQ(list.DisplayText(row), "c2");
    EXPECT_EQ(pane.view.items[static_cast<std::size_t>(row)].text, "c2");
    EXPECT_EQ(list.DisplayText(RowOf(list, "B")), "b");

    // On a volume that does not mind case, another spelling is the same folder.
    std::string upper = b_;
    std::transform(upper.begin(), upper.end(), upper.begin(), AsciiUpper);
    list.SetDirectory(upper);
    EXPECT_EQ(pane.changes, 0);

    volumes_.volumeCase = {true, false};
    list.SetDirectory(Join(b_, "C2"));
    EXPECT_TRUE(list.PreservesCase());
    EXPECT_EQ(list.DisplayText(RowOf(list, "C2")), "C2");

    // A case-sensitive volume preserves case too.
    volumes_.volumeCase = {false, true};
    list.SetDirectory(b_);
    EXPECT_TRUE(list.PreservesCase());
    EXPECT_TRUE(list.CaseSensitive());
    EXPECT_EQ(list.DisplayText(RowOf(list, "C2")), "C2");
}

} // namespace
} // namespace lyricast::test

#include "PaneFakes.h"

namespace lyricast::test {
namespace {

using FileListTest = PaneTree;

TEST_F(FileListTest, FollowsTheFolderListThroughItsMask) {
    FolderList folders(volumes_);
    FileList files;
    EXPECT_EQ(files.files.Mask(), "*.*");
    folders.list.SetFileList(&files.files);
    EXPECT_EQ(folders.list.FileList(), &files.files);
    EXPECT_EQ(files.files.Directory(), b_);
    EXPECT_EQ(files.view.files, (std::vector<std::string>{"x.kar", "Y.txt"}));

    const int before = files.changes;
    folders.list.SetDirectory(Join(b_, "C2"));
    EXPECT_EQ(files.files.Directory(), Join(b_, "C2"));
    EXPECT_EQ(files.view.files, std::vector<std::string>{"song.KAR"});
    EXPECT_EQ(files.files.Files(), files.view.files);
    EXPECT_EQ(files.changes, before + 1);

    files.files.SetMask("*.txt;*.mid");
    EXPECT_TRUE(files.view.files.empty());
    folders.list.SetDirectory(b_);
    EXPECT_EQ(files.view.files, std::vector<std::string>{"Y.txt"});
    EXPECT_EQ(GetCurrentDir(), b_);
}

TEST_F(FileListTest, ShowsTheBusyCursorFromTheHundredthEntry) {
    for (int i = 0; i < 150; ++i)
        Touch(tree_.path() / "A/B/C2" / ("f" + std::to_string(i)));
    FileList files;
    bool busyAtChange = true;
    files.files.OnChange = [&] { busyAtChange = files.view.busy; };

    files.files.SetDirectory(Join(b_, "C2"));
    EXPECT_EQ(files.view.files.size(), 151u);
    EXPECT_EQ(files.view.addedWhileBusy, 51); // from the 101st entry on
    EXPECT_FALSE(busyAtChange);

    files.view.addedWhileBusy = 0;
    files.files.SetDirectory(b_);
    EXPECT_EQ(files.view.addedWhileBusy, 0);
    EXPECT_FALSE(files.view.busy);
}

} // namespace
} // namespace lyricast::test

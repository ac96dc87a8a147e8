#include "PaneFakes.h"

#include "platform/DirectoryError.h"

namespace lyricast::test {
namespace {

using DriveBoxTest = PaneTree;

TEST_F(DriveBoxTest, OffersTheVolumesWithTheirCaptionsAndKinds) {
    DriveBox drives(volumes_);
    const std::vector<DriveEntry>& shown = drives.view.entries;
    ASSERT_EQ(shown.size(), 4u);
    if (!kWindows) {
        EXPECT_EQ(shown[0].caption, "/ [system]");
        EXPECT_EQ(shown[1].caption, Folder("volA") + " [stick]");
        EXPECT_EQ(shown[3].caption, NoDisc() + " []"); // a CD drive without a disc
    }
    EXPECT_EQ(shown[1].kind, VolumeKind::Removable);
    EXPECT_EQ(shown[2].kind, VolumeKind::CdRom);
    EXPECT_EQ(shown[2].root, Folder("volB"));
    EXPECT_EQ(drives.box.Entries().size(), 4u);
    // The drive as the box's text case spells it: "c:\" on Windows.
    EXPECT_TRUE(PathRules::Native().SamePath(drives.box.Drive(), root_)) << drives.box.Drive();
    EXPECT_EQ(drives.box.ItemIndex(), 0);
    EXPECT_EQ(drives.view.selected, 0);

    drives.box.SetTextCase(TextCase::tcUpperCase);
    if (!kWindows) {
        EXPECT_EQ(drives.view.entries[1].caption, Folder("volA") + " [STICK]");
    }
    EXPECT_EQ(drives.view.selected, 0);
    EXPECT_EQ(drives.changes, 1); // refilling sets the stored drive again

    SetCurrentDir(Folder("volB"));
    DriveBox onDisc(volumes_);
    EXPECT_TRUE(PathRules::Native().SamePath(onDisc.box.Drive(), Folder("volB")));
    EXPECT_EQ(onDisc.view.selected, 2);
}

TEST_F(DriveBoxTest, ChoosingTheSelectedDriveDoesNothing) {
    DriveBox drives(volumes_);
    FolderList folders(volumes_);
    drives.box.SetDirList(&folders.list);
    EXPECT_EQ(folders.list.DriveCombo(), &drives.box);
    EXPECT_EQ(drives.box.DirList(), &folders.list);

    drives.box.SetDrive(root_);
    drives.box.EntryChosen(0);
    drives.box.EntryChosen(-1);
    drives.box.EntryChosen(4);
    EXPECT_EQ(drives.changes, 0);
    EXPECT_EQ(folders.changes, 0);
    EXPECT_EQ(folders.list.Directory(), b_);
}

TEST_F(DriveBoxTest, ChoosingADriveOpensTheFolderLastVisitedThere) {
    SKIP_WITH_DRIVE_LETTERS();
    DriveBox drives(volumes_);
    FolderList folders(volumes_);
    drives.box.SetDirList(&folders.list);

    // volA, never visited: its mount point.
    drives.box.EntryChosen(1);
    EXPECT_EQ(folders.list.Directory(), Folder("volA"));
    EXPECT_EQ(GetCurrentDir(), Folder("volA"));
    EXPECT_EQ(drives.box.Drive(), Folder("volA"));
    EXPECT_EQ(drives.changes, 1);
    EXPECT_EQ(folders.changes, 1);
    EXPECT_EQ(folders.view.items.back().text, "songs");

    folders.list.SetDirectory(Folder("volA/songs"));
    EXPECT_EQ(drives.box.Drive(), Folder("volA"));
    drives.box.EntryChosen(2);
    EXPECT_EQ(folders.list.Directory(), Folder("volB"));

    // Back on volA: the folder last visited there; back on the root: A/B.
    drives.box.EntryChosen(1);
    EXPECT_EQ(folders.list.Directory(), Folder("volA/songs"));
    drives.box.EntryChosen(0);
    EXPECT_EQ(folders.list.Directory(), b_);
    EXPECT_EQ(GetCurrentDir(), b_);
}

TEST_F(DriveBoxTest, ADriveWithoutDiscRaisesTheErrorAndKeepsTheFolder) {
    SKIP_WITH_DRIVE_LETTERS();
    DriveBox drives(volumes_);
    FolderList folders(volumes_);
    FileList files;
    drives.box.SetDirList(&folders.list);
    folders.list.SetFileList(&files.files);

    try {
        drives.box.EntryChosen(3);
        ADD_FAILURE() << "no error";
    } catch (const DirectoryError& error) {
        EXPECT_STREQ(error.what(), "File not found");
    }
    EXPECT_EQ(drives.view.selected, 3); // the box shows the new drive
    EXPECT_EQ(drives.box.Drive(), NoDisc());
    EXPECT_EQ(folders.list.Directory(), b_); // the list keeps its folder
    EXPECT_EQ(GetCurrentDir(), b_);
    EXPECT_EQ(folders.view.shows, 1);
    EXPECT_EQ(files.files.Directory(), b_);
    EXPECT_EQ(folders.changes, 0);

    EXPECT_THROW(folders.list.DriveChange(NoDisc()), DirectoryError);
}

TEST_F(DriveBoxTest, AFolderOnAnotherVolumeMovesTheDriveBox) {
    SKIP_WITH_DRIVE_LETTERS();
    DriveBox drives(volumes_);
    FolderList folders(volumes_);
    drives.box.SetDirList(&folders.list);

    folders.list.SetDirectory(Folder("volB"));
    EXPECT_EQ(drives.box.Drive(), Folder("volB"));
    EXPECT_EQ(drives.view.selected, 2);
    EXPECT_EQ(drives.changes, 1);
    EXPECT_EQ(folders.changes, 1); // the drive change inside neither rebuilds nor notifies
    EXPECT_EQ(folders.view.shows, 2);

    folders.list.SetDirectory(Join(b_, "c1"));
    EXPECT_EQ(drives.view.selected, 0);
    EXPECT_EQ(folders.list.Directory(), Join(b_, "c1"));
}

TEST_F(DriveBoxTest, LinksAreTwoWayAndEndWithEitherSide) {
    FolderList folders(volumes_);
    {
        DriveBox drives(volumes_);
        drives.box.SetDirList(&folders.list);
        DriveBox other(volumes_);
        other.box.SetDirList(&folders.list); // takes the list over
        EXPECT_EQ(drives.box.DirList(), nullptr);
        EXPECT_EQ(folders.list.DriveCombo(), &other.box);
    }
    EXPECT_EQ(folders.list.DriveCombo(), nullptr);
    {
        FileList files;
        folders.list.SetFileList(&files.files);
        EXPECT_EQ(files.files.DirList(), &folders.list);
    }
    EXPECT_EQ(folders.list.FileList(), nullptr);
}

} // namespace
} // namespace lyricast::test

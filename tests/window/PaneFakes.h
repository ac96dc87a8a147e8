#pragma once

#include "platform/CurrentDirectory.h"
#include "platform/FolderListing.h"
#include "support/FakeVolumes.h"
#include "support/Platform.h"
#include "support/TempDir.h"
#include "window/DirectoryListBox.h"
#include "window/DriveComboBox.h"
#include "window/FileListBox.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>

namespace lyricast::test {

// The views record what the cores have them show.
struct FakeFolderView final : DirectoryListBoxView {
    std::vector<FolderItem> items;
    int selected = -1;
    int shows = 0;
    void ShowItems(const std::vector<FolderItem>& shown, int select) override {
        items = shown;
        selected = select;
        ++shows;
    }
};

struct FakeDriveView final : DriveComboBoxView {
    std::vector<DriveEntry> entries;
    int selected = -1;
    void ShowDrives(const std::vector<DriveEntry>& shown) override {
        entries = shown;
        selected = -1;
    }
    void SelectDrive(int index) override { selected = index; }
};

struct FakeFileView final : FileListBoxView {
    std::vector<std::string> files;
    bool busy = false;
    int addedWhileBusy = 0;
    void ClearFiles() override { files.clear(); }
    void AddFile(const std::string& name) override {
        files.push_back(name);
        if (busy)
            ++addedWhileBusy;
    }
    void ShowBusy(bool on) override {
        EXPECT_NE(busy, on) << "the busy cursor is switched twice the same way";
        busy = on;
    }
};

// A core with its view, made and shown as a widget makes and shows it.
struct FolderList {
    explicit FolderList(const VolumeTable& volumes) : list(view, volumes) {
        list.OnChange = [this] { ++changes; };
        list.OnDblClick = [this] { ++doubleClicks; };
        list.OnEnter = [this] { ++enters; };
        list.BuildList();
    }
    FakeFolderView view;
    DirectoryListBox list;
    int changes = 0;
    int doubleClicks = 0;
    int enters = 0;
};

struct DriveBox {
    explicit DriveBox(const VolumeTable& volumes) : box(view, volumes) {
        box.BuildList();
        box.OnChange = [this] { ++changes; };
    }
    FakeDriveView view;
    DriveComboBox box;
    int changes = 0;
};

struct FileList {
    FileList() : files(view) {
        files.OnChange = [this] { ++changes; };
        files.ReRead();
    }
    FakeFileView view;
    FileListBox files;
    int changes = 0;
};

inline void Touch(const std::filesystem::path& path) {
    std::ofstream(path) << "x";
}

// A tree of folders and files for the pane, its folder A/B current:
//   A/B/{c1, C2, sub3, .hidden}, A/B/{x.kar, Y.txt, .h.kar}, A/B/C2/song.KAR,
//   volA/songs, volB
// and a volume table: the tree's own root (fixed), volA (removable),
// volB (CD-ROM) and nodisc, a CD drive without a disc (no such folder).
class PaneTree : public ::testing::Test {
protected:
    void SetUp() override {
        namespace fs = std::filesystem;
        for (const char* folder :
             {"A/B/c1", "A/B/C2", "A/B/sub3", "A/B/.hidden", "volA/songs", "volB"})
            fs::create_directories(tree_.path() / folder);
        Hide(tree_ / "A/B/.hidden");
        for (const char* file : {"A/B/x.kar", "A/B/Y.txt", "A/B/.h.kar", "A/B/C2/song.KAR"})
            Touch(tree_.path() / file);
        Hide(tree_ / "A/B/.h.kar");
        b_ = Folder("A/B");
        root_ = std::string(PathRules::Native().DrivePart(b_)) + PathRules::Native().separator;
        volumes_.volumes = {
            {root_, VolumeKind::Fixed, "System", ""},
            {Folder("volA"), VolumeKind::Removable, "STICK", ""},
            {Folder("volB"), VolumeKind::CdRom, "Disc", ""},
            {NoDisc(), VolumeKind::CdRom, "", ""},
        };
        SetCurrentDir(b_);
    }

    // The path as the system spells the current directory there.
    std::string Folder(const std::string& relative) const {
        return Utf8(std::filesystem::canonical(tree_.path() / FsPath(relative)).make_preferred());
    }
    std::string Join(const std::string& folder, const std::string& name) const {
        return PathRules::Native().Join(folder, name);
    }
    std::string NoDisc() const { return Join(Folder("."), "nodisc"); }

    TempDir tree_;
    CurrentFolder restore_{std::filesystem::current_path()};
    std::string b_;    // A/B
    std::string root_; // the root of the tree's volume, "/" or "C:\"
    FakeVolumeTable volumes_;
};

// Only the POSIX volume table lets a volume be a folder of the tree: on
// Windows a drive change lands in the drive's own current folder.
#define SKIP_WITH_DRIVE_LETTERS()                                                                  \
    do {                                                                                           \
        if (::lyricast::test::kWindows)                                                            \
            GTEST_SKIP() << "volumes here are folders, which only POSIX mounts can be";            \
    } while (0)

} // namespace lyricast::test

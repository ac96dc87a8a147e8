#pragma once

#include "window/FolderLadder.h"
#include "platform/Volumes.h"
#include "ui/win32/Box.h"

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace lyricast {

class DriveBox;

// The folder list: the ladder of folders from the root down to the current
// folder, then the folders below it, in an owner-drawn list box. The process's
// current directory follows the current folder. The owner opens the selected
// folder on a double-click (after its own handler) and on Enter; a single
// click only selects. Errors (a folder or drive that cannot be entered) are
// raised as DirectoryError and leave the list on its folder.
class FolderList {
public:
    FolderList(HWND parent, int id, const Box& box,
               const VolumeTable& volumes = SystemVolumeTable());
    FolderList(const FolderList&) = delete;
    FolderList& operator=(const FolderList&) = delete;

    HWND Handle() const { return handle_; }
    // The current folder, exactly as the system reports the current directory.
    const std::string& Directory() const { return directory_; }
    // Makes `path` the current folder (a last part with "*" or "?", or naming
    // a file, is not entered), rebuilds the items and raises onChange; nothing
    // happens when `path` is empty or already the current folder.
    void SetDirectory(const std::string& path);
    void OpenCurrent();
    // The drive box's call: makes the volume of `root` current, landing in
    // its own current folder.
    void DriveChange(const std::string& root);

    int ItemCount() const { return static_cast<int>(items_.size()); }
    std::string ItemPath(int index) const;
    LadderKind ItemKind(int index) const { return items_.at(static_cast<std::size_t>(index)).kind; }
    // The text as shown: lower-cased on a volume that neither preserves nor minds case.
    std::string DisplayText(int index) const;
    int ItemIndent(int index) const;
    static int ItemHeight();
    void Draw(const DRAWITEMSTRUCT& item) const;

    // The drive box that drives this list; DriveBox::SetDirList sets it.
    DriveBox* driveBox = nullptr;
    std::function<void()> onChange;

private:
    void BuildList();
    std::string FolderToEnter(const std::string& path) const;
    void EnterFolder(const std::string& folder);
    bool SameFolder(const std::string& a, const std::string& b) const;
    std::string RootOfPath(const std::string& path) const;
    void RememberFolder();

    HWND handle_;
    const VolumeTable* volumes_;
    std::string directory_;
    std::vector<LadderItem> items_;
    bool preservesCase_ = true;
    bool caseSensitive_ = true;
    bool inSetDirectory_ = false;
    // The folder last current on each volume in this run (by the volume's root).
    std::map<std::string, std::string> lastVisited_;
};

} // namespace lyricast

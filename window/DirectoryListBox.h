#pragma once

#include "platform/Volumes.h"
#include "window/FolderLadder.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace lyricast {

class DriveComboBox;
class FileListBox;

// One item of the folder list as it is drawn: its text as shown, its kind
// (for the glyph) and where its glyph starts, in pixels from the item's left.
struct FolderItem {
    std::string text;
    LadderKind kind = LadderKind::Open;
    int indent = 0;
};

// What the folder list needs a toolkit to show.
class DirectoryListBoxView {
public:
    // The items were rebuilt: shows these and selects the one at `selected`.
    virtual void ShowItems(const std::vector<FolderItem>& items, int selected) = 0;

protected:
    ~DirectoryListBoxView() = default;
};

// The folder list: the ladder of folders from the root down to the current
// folder, then the folders below it. The process's current directory follows
// the current folder. A folder or drive that cannot be entered raises
// DirectoryError and leaves the list on its folder and items.
class DirectoryListBox {
public:
    // Takes the process's current directory as the current folder; the view
    // shows the items with BuildList once it can.
    explicit DirectoryListBox(DirectoryListBoxView& view,
                              const VolumeTable& volumes = SystemVolumeTable());
    DirectoryListBox(const DirectoryListBox&) = delete;
    DirectoryListBox& operator=(const DirectoryListBox&) = delete;
    ~DirectoryListBox();

    // The current folder, exactly as the system reports the current directory.
    const std::string& Directory() const { return directory_; }
    // Makes `path` the current folder (a last part with "*" or "?", or naming
    // a file, is not entered), rebuilds the items and raises OnChange; nothing
    // happens when `path` is empty or already the current folder.
    void SetDirectory(const std::string& path);
    // Enter on the item at `index` (the selected one; -1 for none): OnEnter,
    // then the item is opened.
    void OpenCurrent(int index);
    // A double-click on the item at `index`: OnDblClick, then the item is opened.
    void DblClick(int index);

    // Reads the items again from the current folder, shows them with the
    // current item selected.
    void BuildList();

    int ItemCount() const { return static_cast<int>(items_.size()); }
    // The folder an item stands for; empty for an index out of the list.
    std::string ItemPath(int index) const;
    LadderKind ItemKind(int index) const { return items_.at(static_cast<std::size_t>(index)).kind; }
    // The item's text as stored, and as shown (lower-cased on a volume that
    // neither preserves nor minds case).
    const std::string& ItemText(int index) const {
        return items_.at(static_cast<std::size_t>(index)).text;
    }
    std::string DisplayText(int index) const;
    int ItemIndent(int index) const;

    bool PreservesCase() const { return preservesCase_; }
    bool CaseSensitive() const { return caseSensitive_; }

    // The drive box that drives this list (set with DriveComboBox::SetDirList).
    DriveComboBox* DriveCombo() const { return driveCombo_; }
    // The file list this list drives; the link is two-way.
    FileListBox* FileList() const { return fileList_; }
    void SetFileList(FileListBox* fileList);

    // The drive box's call: makes the volume of `root` current, landing in
    // the folder last visited there in this run (on Windows the drive's own
    // current folder).
    void DriveChange(const std::string& root);

    std::function<void()> OnChange;
    std::function<void()> OnDblClick;
    std::function<void()> OnEnter;

private:
    friend class DriveComboBox;

    void Change();
    void Open(int index);
    std::string FolderToEnter(const std::string& path) const;
    void EnterFolder(const std::string& folder);
    bool SameFolder(const std::string& a, const std::string& b) const;
    std::string RootOfPath(const std::string& path) const;
    void RememberFolder();

    DirectoryListBoxView& view_;
    const VolumeTable& volumes_;
    std::string directory_;
    std::vector<LadderItem> items_;
    bool preservesCase_ = true;
    bool caseSensitive_ = true;
    bool inSetDirectory_ = false;
    // The folder last current on each volume in this run (by the volume's root).
    std::map<std::string, std::string> lastVisited_;
    DriveComboBox* driveCombo_ = nullptr;
    FileListBox* fileList_ = nullptr;
};

} // namespace lyricast

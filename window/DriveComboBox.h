#pragma once

#include "platform/Volumes.h"

#include <functional>
#include <string>
#include <vector>

namespace lyricast {

class DirectoryListBox;

enum class TextCase { tcLowerCase, tcUpperCase };

// One entry of the drive box: the volume's root, its kind (for the glyph)
// and its caption.
struct DriveEntry {
    std::string root;
    VolumeKind kind = VolumeKind::Fixed;
    std::string caption;
};

// What the drive box needs a toolkit to show.
class DriveComboBoxView {
public:
    // The entries were refilled: shows these, none selected.
    virtual void ShowDrives(const std::vector<DriveEntry>& entries) = 0;
    // Selects the entry at `index`; -1 selects none.
    virtual void SelectDrive(int index) = 0;

protected:
    ~DriveComboBoxView() = default;
};

// The drive box: one entry per volume of its table. Choosing an entry sets
// the drive, which moves the linked folder list to that volume's own current
// folder. A drive is named by its volume's root ("c:\" on Windows, a mount
// point such as "/media/stick" elsewhere). A drive that cannot be entered
// raises DirectoryError from SetDrive; the box then shows the new drive
// while the folder list keeps its folder.
class DriveComboBox {
public:
    // Takes the drive of the process's current directory; the view fills
    // the entries with BuildList once it can show them.
    explicit DriveComboBox(DriveComboBoxView& view,
                           const VolumeTable& volumes = SystemVolumeTable());
    DriveComboBox(const DriveComboBox&) = delete;
    DriveComboBox& operator=(const DriveComboBox&) = delete;
    ~DriveComboBox();

    // The stored drive: the root of the selected volume, empty for none.
    const std::string& Drive() const { return drive_; }
    // Selects the volume of `root` (empty clears the selection), tells the
    // linked folder list, then raises OnChange; nothing happens when that
    // drive is already selected.
    void SetDrive(const std::string& root);
    // The user chose the entry at `index`.
    void EntryChosen(int index);

    TextCase GetTextCase() const { return textCase_; }
    // Refills the entries in the new case.
    void SetTextCase(TextCase textCase);

    // The folder list this box drives; the link is two-way.
    DirectoryListBox* DirList() const { return dirList_; }
    void SetDirList(DirectoryListBox* dirList);

    // Fills the entries from the volume table again and reselects the drive.
    void BuildList();
    const std::vector<DriveEntry>& Entries() const { return entries_; }
    // The selected entry, -1 for none.
    int ItemIndex() const { return selected_; }
    const VolumeTable& Volumes() const { return volumes_; }

    std::function<void()> OnChange;

private:
    void Select(int index);

    DriveComboBoxView& view_;
    const VolumeTable& volumes_;
    std::vector<DriveEntry> entries_;
    int selected_ = -1;
    std::string drive_;
    TextCase textCase_ = TextCase::tcLowerCase;
    DirectoryListBox* dirList_ = nullptr;
};

} // namespace lyricast

#include "ui/win32/pane/DriveBox.h"

#include "platform/CurrentDirectory.h"
#include "ui/win32/Controls.h"
#include "ui/win32/pane/FolderList.h"
#include "ui/win32/pane/ItemDrawing.h"

#include <algorithm>

namespace lyricast {
namespace {

const PathRules& Rules() {
    return PathRules::Native();
}

// The drive box shows drive letters in lower case.
std::string LowerCaseRoot(std::string root) {
    if (Rules().DrivePart(root).size() == 2 && root[0] >= 'A' && root[0] <= 'Z')
        root[0] = static_cast<char>(root[0] - 'A' + 'a');
    return root;
}

constexpr int kDroppedHeight = 200;

} // namespace

DriveBox::DriveBox(HWND parent, int id, const Box& box, const VolumeTable& volumes)
    : handle_(CreateChild(parent, "COMBOBOX", "",
                          WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST |
                              CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                          {box.x, box.y, box.width, kDroppedHeight}, id)),
      volumes_(&volumes), drive_(volumes.RootOf(GetCurrentDir())) {
    BuildList();
}

void DriveBox::SetDrive(const std::string& root) {
    if (SelectedEntry() >= 0 && Rules().SamePath(root, drive_))
        return;
    drive_ = LowerCaseRoot(root);
    const auto entry = std::find_if(entries_.begin(), entries_.end(), [&](const Volume& volume) {
        return !drive_.empty() && Rules().SamePath(volume.root, drive_);
    });
    const int index = entry != entries_.end() ? static_cast<int>(entry - entries_.begin()) : -1;
    SendMessageA(handle_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    if (dirList_ != nullptr)
        dirList_->DriveChange(drive_);
}

void DriveBox::EntryChosen() {
    const int index = SelectedEntry();
    if (index >= 0)
        SetDrive(VolumeAt(index).root);
}

void DriveBox::SetDirList(FolderList* dirList) {
    if (dirList_ != nullptr)
        dirList_->driveBox = nullptr;
    dirList_ = dirList;
    if (dirList_ != nullptr)
        dirList_->driveBox = this;
}

std::string DriveBox::EntryText(int index) const {
    return VolumeCaption(VolumeAt(index), false, Rules());
}

int DriveBox::SelectedEntry() const {
    return static_cast<int>(SendMessageA(handle_, CB_GETCURSEL, 0, 0));
}

int DriveBox::EntryHeight() {
    return std::max<int>(UiTextHeight(), GlyphSize(GlyphName::Floppy).cy);
}

void DriveBox::Draw(const DRAWITEMSTRUCT& item) const {
    const int index = static_cast<int>(item.itemID);
    if (index < 0 || index >= EntryCount())
        return;
    const GlyphName glyph = GlyphOfVolume(VolumeAt(index).kind);
    DrawListItem(item, {glyph, 2, 2 + static_cast<int>(GlyphSize(glyph).cx) + 6, true},
                 EntryText(index));
}

// Nothing is selected afterwards, so that setting the stored drive again
// selects its entry.
void DriveBox::BuildList() {
    entries_ = volumes_->List();
    SendMessageA(handle_, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < EntryCount(); ++i)
        SendMessageA(handle_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(EntryText(i).c_str()));
    SetDrive(drive_);
}

} // namespace lyricast

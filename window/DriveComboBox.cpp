#include "window/DriveComboBox.h"

#include "platform/AsciiCase.h"
#include "platform/CurrentDirectory.h"
#include "window/DirectoryListBox.h"

#include <algorithm>

namespace lyricast {
namespace {

const PathRules& Rules() {
    return PathRules::Native();
}

// On Windows the letter of a drive root, in the case asked for.
std::string CasedRoot(std::string root, TextCase textCase) {
    if (!Rules().driveLetters || Rules().DrivePart(root).size() != 2)
        return root;
    root[0] = textCase == TextCase::tcUpperCase ? AsciiUpper(root[0]) : AsciiLower(root[0]);
    return root;
}

} // namespace

DriveComboBox::DriveComboBox(DriveComboBoxView& view, const VolumeTable& volumes)
    : view_(view), volumes_(volumes), drive_(volumes.RootOf(GetCurrentDir())) {}

DriveComboBox::~DriveComboBox() {
    SetDirList(nullptr);
}

void DriveComboBox::SetDrive(const std::string& root) {
    if (selected_ >= 0 && Rules().SamePath(root, drive_))
        return;
    if (root.empty()) {
        drive_.clear();
        Select(-1);
    } else {
        drive_ = CasedRoot(root, textCase_);
        const auto entry = std::find_if(entries_.begin(), entries_.end(), [&](const DriveEntry& e) {
            return Rules().SamePath(e.root, drive_);
        });
        Select(entry != entries_.end() ? static_cast<int>(entry - entries_.begin()) : -1);
    }
    if (dirList_ != nullptr)
        dirList_->DriveChange(drive_);
    if (OnChange)
        OnChange();
}

void DriveComboBox::EntryChosen(int index) {
    if (index < 0 || index >= static_cast<int>(entries_.size()))
        return;
    SetDrive(entries_[static_cast<std::size_t>(index)].root);
}

void DriveComboBox::SetTextCase(TextCase textCase) {
    if (textCase == textCase_)
        return;
    textCase_ = textCase;
    BuildList();
}

void DriveComboBox::SetDirList(DirectoryListBox* dirList) {
    if (dirList_ == dirList)
        return;
    if (dirList_ != nullptr)
        dirList_->driveCombo_ = nullptr;
    dirList_ = dirList;
    if (dirList_ == nullptr)
        return;
    if (dirList_->driveCombo_ != nullptr)
        dirList_->driveCombo_->dirList_ = nullptr;
    dirList_->driveCombo_ = this;
}

void DriveComboBox::BuildList() {
    entries_.clear();
    const bool upperCase = textCase_ == TextCase::tcUpperCase;
    for (const Volume& volume : volumes_.List())
        entries_.push_back({volume.root, volume.kind, VolumeCaption(volume, upperCase, Rules())});
    view_.ShowDrives(entries_);
    // Nothing selected, so that setting the stored drive again selects its entry.
    selected_ = -1;
    SetDrive(drive_);
}

void DriveComboBox::Select(int index) {
    selected_ = index;
    view_.SelectDrive(index);
}

} // namespace lyricast

#include "window/DirectoryListBox.h"

#include "platform/AsciiCase.h"
#include "platform/CurrentDirectory.h"
#include "platform/DirectoryError.h"
#include "platform/FileIdentity.h"
#include "platform/FolderListing.h"
#include "platform/TextCase.h"
#include "window/DriveComboBox.h"
#include "window/FileListBox.h"

namespace lyricast {
namespace {

const PathRules& Rules() {
    return PathRules::Native();
}

// Sets a flag for as long as it lives.
class FlagRaised {
public:
    explicit FlagRaised(bool& flag) : flag_(flag), before_(flag) { flag_ = true; }
    FlagRaised(const FlagRaised&) = delete;
    FlagRaised& operator=(const FlagRaised&) = delete;
    ~FlagRaised() { flag_ = before_; }

private:
    bool& flag_;
    bool before_;
};

} // namespace

DirectoryListBox::DirectoryListBox(DirectoryListBoxView& view, const VolumeTable& volumes)
    : view_(view), volumes_(volumes), directory_(GetCurrentDir()) {
    RememberFolder();
}

DirectoryListBox::~DirectoryListBox() {
    SetFileList(nullptr);
    if (driveCombo_ != nullptr)
        driveCombo_->SetDirList(nullptr);
}

void DirectoryListBox::SetDirectory(const std::string& path) {
    if (path.empty() || SameFolder(path, directory_))
        return;
    const std::string before = directory_;
    try {
        EnterFolder(FolderToEnter(path));
    } catch (...) {
        // The list keeps its folder, and so does the process, as far as it can.
        directory_ = before;
        try {
            SetCurrentDir(before);
        } catch (const DirectoryError&) {
        }
        throw;
    }
    directory_ = GetCurrentDir();
    RememberFolder();
    BuildList();
    Change();
}

// Each handler runs while the old folder is still current.
void DirectoryListBox::OpenCurrent(int index) {
    if (OnEnter)
        OnEnter();
    Open(index);
}

void DirectoryListBox::DblClick(int index) {
    if (OnDblClick)
        OnDblClick();
    Open(index);
}

void DirectoryListBox::Open(int index) {
    if (index < 0 || index >= ItemCount())
        return;
    SetDirectory(ItemPath(index));
}

void DirectoryListBox::BuildList() {
    const VolumeCase volumeCase = volumes_.CaseOf(directory_);
    preservesCase_ = volumeCase.preservesCase || volumeCase.caseSensitive;
    caseSensitive_ = volumeCase.caseSensitive;

    items_ = LadderOf(directory_, Rules(), IsNativeLeadByte);
    const int selected = ItemCount() - 1;
    for (std::string& name : ListSubFolders(directory_))
        items_.push_back({std::move(name), LadderKind::Closed});

    std::vector<FolderItem> shown;
    shown.reserve(items_.size());
    for (int i = 0; i < ItemCount(); ++i)
        shown.push_back({DisplayText(i), ItemKind(i), ItemIndent(i)});
    view_.ShowItems(shown, selected);
}

std::string DirectoryListBox::ItemPath(int index) const {
    if (index < 0 || index >= ItemCount())
        return {};
    return LadderItemPath(static_cast<std::size_t>(index), items_[static_cast<std::size_t>(index)],
                          directory_, Rules(), IsNativeLeadByte);
}

std::string DirectoryListBox::DisplayText(int index) const {
    return preservesCase_ ? ItemText(index) : InTextCase(ItemText(index), false);
}

int DirectoryListBox::ItemIndent(int index) const {
    return LadderIndent(static_cast<std::size_t>(index), ItemKind(index), directory_, Rules(),
                        IsNativeLeadByte);
}

void DirectoryListBox::SetFileList(FileListBox* fileList) {
    if (fileList_ == fileList)
        return;
    if (fileList_ != nullptr)
        fileList_->dirList_ = nullptr;
    fileList_ = fileList;
    if (fileList_ == nullptr)
        return;
    if (fileList_->dirList_ != nullptr)
        fileList_->dirList_->fileList_ = nullptr;
    fileList_->dirList_ = this;
    fileList_->SetDirectory(directory_);
}

void DirectoryListBox::DriveChange(const std::string& root) {
    if (root.empty() || Rules().SamePath(root, volumes_.RootOf(directory_)))
        return;
    const auto last = lastVisited_.find(root);
    EnterVolume(root, last != lastVisited_.end() ? last->second : std::string());
    directory_ = GetCurrentDir();
    RememberFolder();
    if (!inSetDirectory_) {
        BuildList();
        Change();
    }
}

void DirectoryListBox::Change() {
    if (fileList_ != nullptr)
        fileList_->SetDirectory(directory_);
    if (OnChange)
        OnChange();
}

bool DirectoryListBox::SameFolder(const std::string& a, const std::string& b) const {
    return caseSensitive_ ? a == b : SameIgnoringAsciiCase(a, b);
}

// A last part with wildcards, or one that names a file, is not entered.
std::string DirectoryListBox::FolderToEnter(const std::string& path) const {
    const PathSplit split = SplitLastPart(path, Rules());
    const bool wildcards = split.last.find_first_of("*?") != std::string::npos;
    if (split.last.empty() || !(wildcards || (IdentityOf(path) && !IsFolder(path))))
        return path;
    return split.folder.empty() ? directory_ : split.folder;
}

// Moves to the folder's volume first (through the drive box when there is
// one), without rebuilding, then into the folder itself.
void DirectoryListBox::EnterFolder(const std::string& folder) {
    const std::string root = RootOfPath(folder);
    if (!Rules().SamePath(root, volumes_.RootOf(directory_))) {
        FlagRaised inSetDirectory(inSetDirectory_);
        if (driveCombo_ != nullptr) {
            driveCombo_->SetDrive(root);
        } else {
            DriveChange(root);
        }
    }
    SetCurrentDir(folder);
}

// The volume a path leads to; a relative path stays on the current one.
std::string DirectoryListBox::RootOfPath(const std::string& path) const {
    const bool absolute = !Rules().DrivePart(path).empty() ||
                          (!Rules().driveLetters && !path.empty() && Rules().IsSeparator(path[0]));
    return volumes_.RootOf(absolute ? path : directory_);
}

void DirectoryListBox::RememberFolder() {
    const std::string root = volumes_.RootOf(directory_);
    if (!root.empty())
        lastVisited_[root] = directory_;
}

} // namespace lyricast

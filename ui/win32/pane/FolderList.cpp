#include "ui/win32/pane/FolderList.h"

#include "platform/CurrentDirectory.h"
#include "platform/DirectoryError.h"
#include "platform/FileIdentity.h"
#include "platform/FolderListing.h"
#include "platform/TextCase.h"
#include "ui/win32/Controls.h"
#include "ui/win32/pane/DriveBox.h"
#include "ui/win32/pane/ItemDrawing.h"

#include <algorithm>

namespace lyricast {
namespace {

const PathRules& Rules() {
    return PathRules::Native();
}

char FoldLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
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

FolderList::FolderList(HWND parent, int id, const Box& box, const VolumeTable& volumes)
    : handle_(CreateChild(parent, "LISTBOX", "",
                          WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED |
                              LBS_NOINTEGRALHEIGHT | LBS_WANTKEYBOARDINPUT,
                          box, id, WS_EX_CLIENTEDGE)),
      volumes_(&volumes), directory_(GetCurrentDir()) {
    RememberFolder();
    BuildList();
}

void FolderList::SetDirectory(const std::string& path) {
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
    if (onChange)
        onChange();
}

void FolderList::OpenCurrent() {
    const int selected = static_cast<int>(SendMessageA(handle_, LB_GETCURSEL, 0, 0));
    if (selected >= 0)
        SetDirectory(ItemPath(selected));
}

void FolderList::DriveChange(const std::string& root) {
    if (root.empty() || Rules().SamePath(root, volumes_->RootOf(directory_)))
        return;
    const auto last = lastVisited_.find(root);
    EnterVolume(root, last != lastVisited_.end() ? last->second : std::string());
    directory_ = GetCurrentDir();
    RememberFolder();
    if (!inSetDirectory_) {
        BuildList();
        if (onChange)
            onChange();
    }
}

std::string FolderList::ItemPath(int index) const {
    if (index < 0 || index >= ItemCount())
        return {};
    return LadderItemPath(static_cast<std::size_t>(index), items_[static_cast<std::size_t>(index)],
                          directory_, Rules(), IsNativeLeadByte);
}

std::string FolderList::DisplayText(int index) const {
    const std::string& text = items_.at(static_cast<std::size_t>(index)).text;
    return preservesCase_ || caseSensitive_ ? text : InTextCase(text, false);
}

int FolderList::ItemIndent(int index) const {
    return LadderIndent(static_cast<std::size_t>(index), ItemKind(index), directory_, Rules(),
                        IsNativeLeadByte);
}

int FolderList::ItemHeight() {
    return std::max<int>(UiTextHeight(), GlyphSize(GlyphName::OpenFolder).cy + 1);
}

void FolderList::Draw(const DRAWITEMSTRUCT& item) const {
    const int index = static_cast<int>(item.itemID);
    if (index < 0 || index >= ItemCount())
        return;
    const GlyphName glyph = GlyphOfLadderItem(ItemKind(index));
    const int indent = ItemIndent(index);
    DrawListItem(item, {glyph, indent, indent + static_cast<int>(GlyphSize(glyph).cx) + 4, false},
                 DisplayText(index));
}

void FolderList::BuildList() {
    const VolumeCase volumeCase = volumes_->CaseOf(directory_);
    preservesCase_ = volumeCase.preservesCase || volumeCase.caseSensitive;
    caseSensitive_ = volumeCase.caseSensitive;

    items_ = LadderOf(directory_, Rules(), IsNativeLeadByte);
    const int selected = static_cast<int>(items_.size()) - 1;
    for (std::string& name : ListSubFolders(directory_))
        items_.push_back({std::move(name), LadderKind::Closed});

    SendMessageA(handle_, WM_SETREDRAW, FALSE, 0);
    SendMessageA(handle_, LB_RESETCONTENT, 0, 0);
    for (std::size_t i = 0; i < items_.size(); ++i)
        SendMessageA(handle_, LB_ADDSTRING, 0, 0);
    SendMessageA(handle_, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    SendMessageA(handle_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(handle_, nullptr, TRUE);
}

bool FolderList::SameFolder(const std::string& a, const std::string& b) const {
    if (caseSensitive_)
        return a == b;
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char l, char r) { return FoldLower(l) == FoldLower(r); });
}

// A last part with wildcards, or one that names a file, is not entered.
std::string FolderList::FolderToEnter(const std::string& path) const {
    const PathSplit split = SplitLastPart(path, Rules());
    const bool wildcards = split.last.find_first_of("*?") != std::string::npos;
    if (split.last.empty() || !(wildcards || (IdentityOf(path) && !IsFolder(path))))
        return path;
    return split.folder.empty() ? directory_ : split.folder;
}

// Moves to the folder's volume first (through the drive box when there is
// one), without rebuilding, then into the folder itself.
void FolderList::EnterFolder(const std::string& folder) {
    const std::string root = RootOfPath(folder);
    if (!Rules().SamePath(root, volumes_->RootOf(directory_))) {
        FlagRaised inSetDirectory(inSetDirectory_);
        if (driveBox != nullptr) {
            driveBox->SetDrive(root);
        } else {
            DriveChange(root);
        }
    }
    SetCurrentDir(folder);
}

// The volume a path leads to; a relative path stays on the current one.
std::string FolderList::RootOfPath(const std::string& path) const {
    const bool absolute = !Rules().DrivePart(path).empty() ||
                          (!Rules().driveLetters && !path.empty() && Rules().IsSeparator(path[0]));
    return volumes_->RootOf(absolute ? path : directory_);
}

void FolderList::RememberFolder() {
    const std::string root = volumes_->RootOf(directory_);
    if (!root.empty())
        lastVisited_[root] = directory_;
}

} // namespace lyricast

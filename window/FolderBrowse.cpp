#include "window/FolderBrowse.h"

#include "platform/CurrentDirectory.h"
#include "platform/DirectoryError.h"
#include "platform/NewFolder.h"
#include "window/DirectoryListBox.h"

namespace lyricast {
namespace {

std::string CurrentFolderOrNothing() {
    try {
        return GetCurrentDir();
    } catch (const DirectoryError&) {
        return {};
    }
}

} // namespace

FolderBrowse::FolderBrowse(FolderBrowseView& view)
    : view_(view), startingCurrentFolder_(CurrentFolderOrNothing()) {}

FolderBrowse::~FolderBrowse() {
    if (startingCurrentFolder_.empty())
        return;
    try {
        SetCurrentDir(startingCurrentFolder_);
    } catch (const DirectoryError&) {
        // The folder went away meanwhile; the current folder stays where browsing left it.
    }
}

void FolderBrowse::Start(DirectoryListBox& folderList, const std::string& startFolder) {
    folderList_ = &folderList;
    try {
        folderList.SetDirectory(startFolder);
    } catch (const DirectoryError&) {
        // A folder that is gone: start from the current folder instead.
    }
}

const std::string& FolderBrowse::Folder() const {
    return folderList_->Directory();
}

void FolderBrowse::NewFolderClick() {
    const std::optional<std::string> name = view_.AskFolderName();
    if (!name)
        return;
    if (!CreateAndOpen(*name))
        view_.ShowWarning("IO-Error!\nCould not create folder.");
}

bool FolderBrowse::CreateAndOpen(const std::string& name) {
    if (name.empty())
        return false;
    const std::string path = PathRules::Native().Join(folderList_->Directory(), name);
    if (!CreateFolder(path))
        return false;
    folderList_->SetDirectory(path);
    return true;
}

} // namespace lyricast

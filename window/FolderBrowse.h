#pragma once

#include "platform/PathRules.h"

#include <optional>
#include <string>

namespace lyricast {

class DirectoryListBox;

// What the folder-browse dialog needs a toolkit to ask or show.
class FolderBrowseView {
public:
    // The name of the folder to make; nothing when the user cancels.
    virtual std::optional<std::string> AskFolderName() = 0;
    // A warning box titled with the application's name.
    virtual void ShowWarning(const std::string& text) = 0;

protected:
    ~FolderBrowseView() = default;
};

// The folder-browse dialog: a drive box and a folder list (the view's) to
// walk to a folder, and New Folder, which makes a folder inside the one shown
// and opens it. The dialog gives back the folder list's folder. Browsing moves
// the process's current folder; it is put back as it was when the dialog goes.
class FolderBrowse {
public:
    // Notes the process's current folder, to put it back at the end.
    explicit FolderBrowse(FolderBrowseView& view);
    FolderBrowse(const FolderBrowse&) = delete;
    FolderBrowse& operator=(const FolderBrowse&) = delete;
    ~FolderBrowse();

    // Opens `startFolder` in the folder list; an empty or vanished one leaves
    // the list at the current folder.
    void Start(DirectoryListBox& folderList, const std::string& startFolder);
    // The folder shown, as the system spells it: no closing separator, except at a root.
    const std::string& Folder() const;

    // Asks for a name, makes that folder inside the one shown and opens it;
    // "IO-Error!\nCould not create folder." when it cannot be made.
    void NewFolderClick();

private:
    bool CreateAndOpen(const std::string& name);

    FolderBrowseView& view_;
    DirectoryListBox* folderList_ = nullptr;
    std::string startingCurrentFolder_;
};

} // namespace lyricast

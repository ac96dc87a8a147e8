#pragma once

#include "window/ExistingChoice.h"

#include <optional>
#include <string>

namespace lyricast {

// What the output folder dialog's decisions need a toolkit to show or ask.
class OutPathView {
public:
    // The folder-browse dialog, starting at `startFolder` (the current folder
    // when empty); nothing when the user cancels it.
    virtual std::optional<std::string> BrowseForFolder(const std::string& title,
                                                       const std::string& startFolder) = 0;
    // Checks one of the two choices and shows the folder in the text box.
    virtual void ShowChoice(bool savePath, const std::string& folder) = 0;
    // Checks one of "If a file exists": Replace, Skip or Ask.
    virtual void ShowExisting(ExistingChoice choice) = 0;
    // "Keep sub-folders": its check, and whether it can be changed (only
    // with "Always save to").
    virtual void ShowKeepTree(bool checked, bool enabled) = 0;
    virtual void CloseDialog() = 0;

protected:
    ~OutPathView() = default;
};

} // namespace lyricast

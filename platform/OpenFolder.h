#pragma once

#include "platform/FileIdentity.h"
#include "platform/FolderListing.h"

#include <optional>
#include <string>
#include <vector>

namespace lyricast {

// A folder held open while it is walked. Its sub-folders are opened through
// it, not by their whole path, so a tree deeper than the system's longest
// path is still listed to its end, and its identity is the folder's own even
// if a link is changed meanwhile.
class OpenFolder {
public:
    // Nothing when the path leads to no folder that can be opened; `reason`
    // then holds the system's word for why.
    static std::optional<OpenFolder> Open(const std::string& path, std::string& reason);
    // The entry `name` of this folder (or a link to a folder), opened; as Open.
    std::optional<OpenFolder> OpenChild(const std::string& name, std::string& reason) const;

    OpenFolder(OpenFolder&& other) noexcept;
    OpenFolder& operator=(OpenFolder&&) = delete;
    OpenFolder(const OpenFolder&) = delete;
    ~OpenFolder();

    // As ListFolder: every entry but "." and ".."; nothing when it cannot be
    // listed to its end, with the system's reason in `reason`.
    std::optional<std::vector<FolderEntry>> List(std::string& reason) const;
    std::optional<FileIdentity> Identity() const;

private:
    OpenFolder(int descriptor, std::string path)
        : descriptor_(descriptor), path_(std::move(path)) {}

    int descriptor_ = -1; // the open folder on POSIX systems
    std::string path_;    // its path on Windows, whose calls take paths
};

} // namespace lyricast

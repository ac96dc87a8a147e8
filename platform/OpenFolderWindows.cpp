#include "platform/OpenFolder.h"

#include "platform/FileError.h"
#include "platform/FolderListingWindows.h"
#include "platform/PathRules.h"
#include "platform/SystemMessageWindows.h"
#include "platform/SystemPathWindows.h"

#include <windows.h>
#include <cerrno>

namespace lyricast {

// Windows calls take paths, so the folder is kept as its path and the
// sub-folders are reached by joining names to it, as the walk spells them.
std::optional<OpenFolder> OpenFolder::Open(const std::string& path, std::string& reason) {
    const auto wide = SystemPath(path);
    const DWORD attributes = wide ? ::GetFileAttributesW(wide->c_str()) : INVALID_FILE_ATTRIBUTES;
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        reason = SystemMessage(::GetLastError());
        return std::nullopt;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        reason = FileError::ReasonOf(ENOTDIR);
        return std::nullopt;
    }
    return OpenFolder(-1, path);
}

std::optional<OpenFolder> OpenFolder::OpenChild(const std::string& name,
                                                std::string& reason) const {
    return Open(PathRules::Native().Join(path_, name), reason);
}

OpenFolder::OpenFolder(OpenFolder&& other) noexcept
    : descriptor_(other.descriptor_), path_(std::move(other.path_)) {}

OpenFolder::~OpenFolder() = default;

std::optional<std::vector<FolderEntry>> OpenFolder::List(std::string& reason) const {
    return ListFolder(path_, reason);
}

std::optional<FileIdentity> OpenFolder::Identity() const {
    return IdentityOf(path_);
}

} // namespace lyricast

#include "platform/OpenFolder.h"

#include "platform/PathRules.h"

namespace lyricast {

// Windows calls take paths, so the folder is kept as its path and the
// sub-folders are reached by joining names to it, as the walk spells them.
std::optional<OpenFolder> OpenFolder::Open(const std::string& path) {
    if (!IsFolder(path))
        return std::nullopt;
    return OpenFolder(-1, path);
}

std::optional<OpenFolder> OpenFolder::OpenChild(const std::string& name) const {
    return Open(PathRules::Native().Join(path_, name));
}

OpenFolder::OpenFolder(OpenFolder&& other) noexcept
    : descriptor_(other.descriptor_), path_(std::move(other.path_)) {}

OpenFolder::~OpenFolder() = default;

std::optional<std::vector<FolderEntry>> OpenFolder::List() const {
    return ListFolder(path_);
}

std::optional<FileIdentity> OpenFolder::Identity() const {
    return IdentityOf(path_);
}

} // namespace lyricast

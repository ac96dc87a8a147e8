#include "platform/OpenFolder.h"

#include "platform/FolderEntryPosix.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace lyricast {
namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;

} // namespace

std::optional<OpenFolder> OpenFolder::Open(const std::string& path) {
    const int descriptor = ::open(path.c_str(), kFolderFlags);
    if (descriptor < 0)
        return std::nullopt;
    return OpenFolder(descriptor, {});
}

std::optional<OpenFolder> OpenFolder::OpenChild(const std::string& name) const {
    const int descriptor = ::openat(descriptor_, name.c_str(), kFolderFlags);
    if (descriptor < 0)
        return std::nullopt;
    return OpenFolder(descriptor, {});
}

OpenFolder::OpenFolder(OpenFolder&& other) noexcept
    : descriptor_(std::exchange(other.descriptor_, -1)), path_(std::move(other.path_)) {}

OpenFolder::~OpenFolder() {
    if (descriptor_ >= 0)
        ::close(descriptor_);
}

std::optional<std::vector<FolderEntry>> OpenFolder::List() const {
    // A descriptor of its own for the listing, which closedir closes.
    const int listing = ::openat(descriptor_, ".", kFolderFlags);
    if (listing < 0)
        return std::nullopt;
    DIR* dir = ::fdopendir(listing);
    if (dir == nullptr) {
        ::close(listing);
        return std::nullopt;
    }
    std::vector<FolderEntry> entries;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        entries.push_back(
            {std::string(name), IsFolderAt(listing, *entry), name.starts_with('.'), false});
    }
    ::closedir(dir);
    return entries;
}

std::optional<FileIdentity> OpenFolder::Identity() const {
    struct stat info {};
    if (::fstat(descriptor_, &info) != 0)
        return std::nullopt;
    return FileIdentity{static_cast<std::uint64_t>(info.st_dev),
                        static_cast<std::uint64_t>(info.st_ino)};
}

} // namespace lyricast

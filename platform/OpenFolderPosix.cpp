#include "platform/OpenFolder.h"

#include "platform/FileError.h"
#include "platform/FolderEntryPosix.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace lyricast {
namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;

std::optional<OpenFolder> Failed(std::string& reason) {
    reason = FileError::ReasonOf(errno);
    return std::nullopt;
}

} // namespace

std::optional<OpenFolder> OpenFolder::Open(const std::string& path, std::string& reason) {
    const int descriptor = ::open(path.c_str(), kFolderFlags);
    if (descriptor < 0)
        return Failed(reason);
    return OpenFolder(descriptor, {});
}

std::optional<OpenFolder> OpenFolder::OpenChild(const std::string& name,
                                                std::string& reason) const {
    const int descriptor = ::openat(descriptor_, name.c_str(), kFolderFlags);
    if (descriptor < 0)
        return Failed(reason);
    return OpenFolder(descriptor, {});
}

OpenFolder::OpenFolder(OpenFolder&& other) noexcept
    : descriptor_(std::exchange(other.descriptor_, -1)), path_(std::move(other.path_)) {}

OpenFolder::~OpenFolder() {
    if (descriptor_ >= 0)
        ::close(descriptor_);
}

std::optional<std::vector<FolderEntry>> OpenFolder::List(std::string& reason) const {
    // A descriptor of its own for the listing, which closedir closes. Opening
    // "." inside the folder needs the right to search it, as its files do.
    const int listing = ::openat(descriptor_, ".", kFolderFlags);
    if (listing < 0) {
        reason = FileError::ReasonOf(errno);
        return std::nullopt;
    }
    DIR* dir = ::fdopendir(listing);
    if (dir == nullptr) {
        reason = FileError::ReasonOf(errno);
        ::close(listing);
        return std::nullopt;
    }
    std::vector<FolderEntry> entries;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(dir);
        if (entry == nullptr)
            break;
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        entries.push_back(
            {std::string(name), IsFolderAt(listing, *entry), name.starts_with('.'), false});
    }
    const int error = errno;
    ::closedir(dir);
    if (error != 0) {
        reason = FileError::ReasonOf(error);
        return std::nullopt;
    }
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

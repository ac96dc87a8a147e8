#include "platform/FolderListing.h"

#include "platform/FolderEntryPosix.h"

#include <dirent.h>
#include <sys/stat.h>

namespace lyricast {
namespace {

class DirectoryHandle {
public:
    explicit DirectoryHandle(const std::string& folder) : dir_(::opendir(folder.c_str())) {}
    DirectoryHandle(const DirectoryHandle&) = delete;
    DirectoryHandle& operator=(const DirectoryHandle&) = delete;
    ~DirectoryHandle() {
        if (dir_ != nullptr)
            ::closedir(dir_);
    }
    DIR* get() const { return dir_; }

private:
    DIR* dir_;
};

} // namespace

std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder) {
    DirectoryHandle dir(folder);
    if (dir.get() == nullptr)
        return std::nullopt;
    std::vector<FolderEntry> entries;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        entries.push_back({std::string(name), IsFolderAt(::dirfd(dir.get()), *entry),
                           name.starts_with('.'), false});
    }
    return entries;
}

bool IsFolder(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace lyricast

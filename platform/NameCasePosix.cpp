#include "platform/NameCase.h"

#include "platform/TemporaryFile.h"

#include <cerrno>
#include <dirent.h>
#include <exception>
#include <fcntl.h>
#include <optional>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace lyricast {
namespace {

bool HasAsciiLetter(std::string_view name) {
    return CaseSwapped(name) != name;
}

bool ExistsAt(int folder, const std::string& name) {
    struct stat info {};
    return ::fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0;
}

class Listing {
public:
    explicit Listing(const std::string& folder)
        : dir_(::opendir(folder.empty() ? "." : folder.c_str())) {}
    Listing(const Listing&) = delete;
    Listing& operator=(const Listing&) = delete;
    ~Listing() {
        if (dir_ != nullptr)
            ::closedir(dir_);
    }
    bool open() const { return dir_ != nullptr; }
    int descriptor() const { return ::dirfd(dir_); }
    // The next name, "." and ".." left out; nothing at the end.
    const char* Next() {
        while (const dirent* entry = ::readdir(dir_)) {
            const std::string_view name = entry->d_name;
            if (name != "." && name != "..")
                return entry->d_name;
        }
        return nullptr;
    }

private:
    DIR* dir_;
};

// An entry with a letter answers for its folder: under its other case the
// system finds it only when it folds case, unless that other spelling is an
// entry of its own. Nothing when no entry can tell.
std::optional<bool> FoldsByEntries(Listing& listing) {
    while (const char* name = listing.Next()) {
        if (!HasAsciiLetter(name))
            continue;
        const std::string swapped = CaseSwapped(name);
        if (!ExistsAt(listing.descriptor(), swapped))
            return false;
        // Found: the folder folds case unless the other spelling is listed too.
        while (const char* other = listing.Next())
            if (swapped == other)
                return false;
        return true;
    }
    return std::nullopt;
}

// A folder with no entry to ask is asked with a file of our own.
bool FoldsByProbe(const std::string& folder) {
    try {
        const std::string withSeparator =
            folder.empty() || folder.back() == '/' ? folder : folder + '/';
        const TemporaryFile probe(withSeparator, withSeparator + "probe");
        const std::string name = probe.path().substr(withSeparator.size());
        struct stat info {};
        return ::stat((withSeparator + CaseSwapped(name)).c_str(), &info) == 0;
    } catch (const std::exception&) {
        return false; // nothing can be written there, so nothing can clash
    }
}

} // namespace

bool FolderFoldsCase(const std::string& folder) {
    Listing listing(folder);
    if (!listing.open())
        return false;
    if (const auto folds = FoldsByEntries(listing))
        return *folds;
    return FoldsByProbe(folder);
}

} // namespace lyricast

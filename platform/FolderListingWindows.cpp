#include "platform/FolderListingWindows.h"

#include "platform/PathRules.h"
#include "platform/SystemMessageWindows.h"
#include "platform/SystemPathWindows.h"
#include "platform/WideTextWindows.h"

#include <windows.h>

namespace lyricast {
namespace {

class FindHandle {
public:
    explicit FindHandle(HANDLE handle) : handle_(handle) {}
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    ~FindHandle() {
        if (valid())
            ::FindClose(handle_);
    }
    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

// "*.*" inside the folder. A folder spelled with a closing separator (a drive
// root such as "C:\") or a bare drive ("C:", that drive's current folder)
// takes the pattern directly.
std::string EverythingIn(const std::string& folder) {
    const PathRules& rules = PathRules::Native();
    if (!folder.empty() && rules.IsSeparator(folder.back()))
        return folder + "*.*";
    return rules.Join(folder, "*.*");
}

bool HasAttribute(DWORD attributes, DWORD wanted) {
    return (attributes & wanted) != 0;
}

HANDLE FindFirst(const std::string& pattern, WIN32_FIND_DATAW& found) {
    const auto wide = SystemPath(pattern);
    return wide ? ::FindFirstFileW(wide->c_str(), &found) : INVALID_HANDLE_VALUE;
}

} // namespace

std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder) {
    std::string reason;
    return ListFolder(folder, reason);
}

std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder, std::string& reason) {
    WIN32_FIND_DATAW found{};
    const FindHandle find(FindFirst(EverythingIn(folder), found));
    std::vector<FolderEntry> entries;
    if (!find.valid()) {
        const DWORD error = ::GetLastError();
        // A drive root has no "." or "..", so an empty one matches nothing.
        if (error == ERROR_FILE_NOT_FOUND && IsFolder(folder))
            return entries;
        reason = SystemMessage(error);
        return std::nullopt;
    }
    do {
        const std::wstring_view name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        const DWORD attributes = found.dwFileAttributes;
        entries.push_back({Utf8FromWide(name), HasAttribute(attributes, FILE_ATTRIBUTE_DIRECTORY),
                           HasAttribute(attributes, FILE_ATTRIBUTE_HIDDEN),
                           HasAttribute(attributes, FILE_ATTRIBUTE_SYSTEM)});
    } while (::FindNextFileW(find.get(), &found));
    return entries;
}

bool IsFolder(const std::string& path) {
    const auto wide = SystemPath(path);
    const DWORD attributes = wide ? ::GetFileAttributesW(wide->c_str()) : INVALID_FILE_ATTRIBUTES;
    return attributes != INVALID_FILE_ATTRIBUTES &&
           HasAttribute(attributes, FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace lyricast

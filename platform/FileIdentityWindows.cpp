#include "platform/FileIdentity.h"

#include "platform/SystemPathWindows.h"

#include <windows.h>

namespace lyricast {
namespace {

// Opens a file or folder only to ask about it. Asking for no access rights
// lets even a file that another program holds open exclusively answer;
// backup semantics let a folder be opened at all.
HANDLE OpenForQuery(const std::string& path) {
    const auto wide = SystemPath(path);
    if (!wide)
        return INVALID_HANDLE_VALUE;
    return ::CreateFileW(wide->c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

} // namespace

std::optional<FileIdentity> IdentityOf(const std::string& path) {
    const HANDLE handle = OpenForQuery(path);
    if (handle == INVALID_HANDLE_VALUE)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = ::GetFileInformationByHandle(handle, &info) != 0;
    ::CloseHandle(handle);
    if (!known)
        return std::nullopt;
    const std::uint64_t index = std::uint64_t{info.nFileIndexHigh} << 32 | info.nFileIndexLow;
    return FileIdentity{info.dwVolumeSerialNumber, index};
}

} // namespace lyricast

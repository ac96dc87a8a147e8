#include "platform/SystemPathWindows.h"

#include "platform/ExtendedPath.h"
#include "platform/WideTextWindows.h"

#include <windows.h>
#include <cerrno>
#include <vector>

namespace lyricast {
std::wstring FullSystemPath(const std::wstring& path) {
    std::vector<wchar_t> buffer(path.size() + MAX_PATH);
    for (;;) {
        const DWORD length = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(buffer.size()),
                                                buffer.data(), nullptr);
        if (length == 0)
            return path;
        if (length < buffer.size())
            return std::wstring(buffer.data(), length);
        buffer.resize(length);
    }
}

std::optional<std::wstring> PlainSystemPath(const std::string& path) {
    auto wide = WideFromUtf8(path);
    if (!wide) {
        ::SetLastError(ERROR_NO_UNICODE_TRANSLATION);
        errno = EILSEQ;
    }
    return wide;
}

std::optional<std::wstring> SystemPath(const std::string& path) {
    auto wide = PlainSystemPath(path);
    if (!wide)
        return wide;
    if (IsSpelledInFull(path))
        return WideFromUtf8(WithExtendedPrefix(path));
    // A path that needs the system's reading (a relative one, or one with
    // "." or "/") has it, as it always had, and the prefix only once read.
    if (wide->size() <= kLongestPlainWindowsPath)
        return wide;
    return WideFromUtf8(WithExtendedPrefix(Utf8FromWide(FullSystemPath(*wide))));
}

} // namespace lyricast

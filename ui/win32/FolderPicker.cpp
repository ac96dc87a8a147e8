#include "ui/win32/FolderPicker.h"

#include "ui/win32/WideText.h"

#include <shlobj.h>

#include <vector>

namespace lyricast {

std::optional<std::string> PickFolder(HWND owner, const std::string& title) {
    const std::wstring shownTitle = Wide(title);
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.lpszTitle = shownTitle.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST chosen = SHBrowseForFolderW(&info);
    if (chosen == nullptr)
        return std::nullopt;
    std::vector<wchar_t> path(kLongestPath, L'\0');
    const bool named = SHGetPathFromIDListEx(chosen, path.data(), static_cast<DWORD>(path.size()),
                                             GPFIDL_DEFAULT) != FALSE;
    CoTaskMemFree(chosen);
    if (!named)
        return std::nullopt;
    return Utf8(path.data());
}

std::vector<std::string> DroppedPaths(HDROP drop) {
    std::vector<std::string> paths;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(DragQueryFileW(drop, i, nullptr, 0), L'\0');
        DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size() + 1));
        paths.push_back(Utf8(path));
    }
    return paths;
}

} // namespace lyricast

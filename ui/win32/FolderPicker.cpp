#include "ui/win32/FolderPicker.h"

#include "ui/win32/CodePageText.h"

#include <shlobj.h>

#include <array>

namespace lyricast {

std::optional<std::string> PickFolder(HWND owner, const std::string& title) {
    BROWSEINFOA info{};
    info.hwndOwner = owner;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
    if (chosen == nullptr)
        return std::nullopt;
    std::array<char, MAX_PATH> path{};
    const bool named = SHGetPathFromIDListA(chosen, path.data()) != FALSE;
    CoTaskMemFree(chosen);
    if (!named)
        return std::nullopt;
    return TakenText(path.data());
}

std::vector<std::string> DroppedPaths(HDROP drop) {
    std::vector<std::string> paths;
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::string path(DragQueryFileA(drop, i, nullptr, 0), '\0');
        DragQueryFileA(drop, i, path.data(), static_cast<UINT>(path.size() + 1));
        paths.push_back(TakenText(path));
    }
    return paths;
}

} // namespace lyricast

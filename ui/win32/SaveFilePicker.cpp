#include "ui/win32/SaveFilePicker.h"

#include "ui/win32/CodePageText.h"

#include <commdlg.h>

#include <algorithm>
#include <array>

namespace lyricast {

std::optional<std::string> PickSaveFile(HWND owner, const std::string& title,
                                        const std::string& suggested) {
    std::array<char, MAX_PATH> path{};
    const std::string shownSuggested = ShownText(suggested);
    std::copy_n(shownSuggested.begin(), std::min(shownSuggested.size(), path.size() - 1),
                path.begin());
    const std::string shownTitle = ShownText(title);
    OPENFILENAMEA info{};
    info.lStructSize = sizeof info;
    info.hwndOwner = owner;
    info.lpstrFilter = "CSV (*.csv)\0*.csv\0All files (*.*)\0*.*\0";
    info.lpstrFile = path.data();
    info.nMaxFile = static_cast<DWORD>(path.size());
    info.lpstrTitle = shownTitle.c_str();
    info.lpstrDefExt = "csv";
    info.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    if (!GetSaveFileNameA(&info))
        return std::nullopt;
    return TakenText(path.data());
}

} // namespace lyricast

#include "ui/win32/SaveFilePicker.h"

#include "ui/win32/WideText.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

namespace lyricast {

std::optional<std::string> PickSaveFile(HWND owner, const std::string& title,
                                        const std::string& suggested) {
    std::vector<wchar_t> path(kLongestPath, L'\0');
    const std::wstring shownSuggested = Wide(suggested);
    std::copy_n(shownSuggested.begin(), std::min(shownSuggested.size(), path.size() - 1),
                path.begin());
    const std::wstring shownTitle = Wide(title);
    OPENFILENAMEW info{};
    info.lStructSize = sizeof info;
    info.hwndOwner = owner;
    info.lpstrFilter = L"CSV (*.csv)\0*.csv\0All files (*.*)\0*.*\0";
    info.lpstrFile = path.data();
    info.nMaxFile = static_cast<DWORD>(path.size());
    info.lpstrTitle = shownTitle.c_str();
    info.lpstrDefExt = L"csv";
    info.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    if (!GetSaveFileNameW(&info))
        return std::nullopt;
    return Utf8(path.data());
}

} // namespace lyricast

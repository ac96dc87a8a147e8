#include "ui/win32/CodePageText.h"

#include "platform/WideTextWindows.h"

#include <windows.h>

namespace lyricast {

std::string ShownText(const std::string& utf8) {
    const std::wstring wide = WideForDisplay(utf8);
    const int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size,
                        nullptr, nullptr);
    return text;
}

std::string TakenText(const std::string& codePageText) {
    const int size = MultiByteToWideChar(CP_ACP, 0, codePageText.data(),
                                         static_cast<int>(codePageText.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, codePageText.data(), static_cast<int>(codePageText.size()),
                        wide.data(), size);
    return Utf8FromWide(wide);
}

} // namespace lyricast

#include "platform/SystemMessageWindows.h"

#include "platform/WideTextWindows.h"

#include <windows.h>

namespace lyricast {

std::string SystemMessage(unsigned long code) {
    wchar_t buffer[512];
    DWORD length =
        ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                         0, buffer, sizeof buffer / sizeof buffer[0], nullptr);
    while (length > 0 && (buffer[length - 1] == L'\r' || buffer[length - 1] == L'\n' ||
                          buffer[length - 1] == L' ' || buffer[length - 1] == L'.'))
        --length;
    if (length == 0)
        return "error " + std::to_string(code);
    return Utf8FromWide(std::wstring_view(buffer, length));
}

} // namespace lyricast

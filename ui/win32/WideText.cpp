#include "ui/win32/WideText.h"

#include "platform/WideTextWindows.h"

namespace lyricast {

std::wstring Wide(const std::string& utf8) {
    return WideForDisplay(utf8);
}

std::string Utf8(std::wstring_view wide) {
    return Utf8FromWide(wide);
}

} // namespace lyricast

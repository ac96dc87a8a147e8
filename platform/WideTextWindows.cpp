#include "platform/WideTextWindows.h"

#include "platform/Utf16.h"

namespace lyricast {
namespace {

// wchar_t is Windows' UTF-16 unit: the same 16 bits as char16_t.
std::wstring Wide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

} // namespace

std::optional<std::wstring> WideFromUtf8(std::string_view text) {
    const auto utf16 = Utf16FromUtf8(text);
    if (!utf16)
        return std::nullopt;
    return Wide(*utf16);
}

std::string Utf8FromWide(std::wstring_view text) {
    return Utf8FromUtf16(std::u16string(text.begin(), text.end()));
}

std::wstring WideForDisplay(std::string_view text) {
    return Wide(Utf16ForDisplay(text));
}

} // namespace lyricast

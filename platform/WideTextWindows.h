#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lyricast {

// The program's UTF-8 text as Windows' wide calls take it, and back, as
// Utf16FromUtf8 and Utf8FromUtf16 convert it: nothing for text that is not
// UTF-8, never a replaced character.
std::optional<std::wstring> WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);

// For showing text only, as Utf16ForDisplay.
std::wstring WideForDisplay(std::string_view text);

} // namespace lyricast

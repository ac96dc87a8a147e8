#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lyricast {

// Names and texts are UTF-8 inside the program and UTF-16 in Windows' calls.
// A Windows name may hold a lone surrogate, which UTF-8 has no character for;
// it is carried as the three bytes UTF-8 gives its value, so every name the
// system hands up goes back to it unchanged. Nothing is ever replaced: text
// that is not UTF-8 in that sense has no UTF-16 form, and neither has a
// surrogate pair spelled as two such lone halves, the one name another
// spelling would otherwise reach.
std::optional<std::u16string> Utf16FromUtf8(std::string_view text);
std::string Utf8FromUtf16(std::u16string_view text);

// For showing text only: as Utf16FromUtf8, but each byte that starts no
// character shows as U+FFFD, and the text is never refused.
std::u16string Utf16ForDisplay(std::string_view text);

} // namespace lyricast

#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lyricast {

// This window's text is UTF-8, as everywhere in the program, and crosses to
// its widgets, the system's dialogs and its drawing calls in UTF-16. A byte
// that starts no character shows as U+FFFD; what a widget or such a call
// hands back is UTF-8 again, a name's lone surrogate carried as the layers
// below carry it, so that a path shown and read back reaches its file.
std::wstring Wide(const std::string& utf8);
std::string Utf8(std::wstring_view wide);

// Room for the longest path the system takes, in UTF-16 units with its end.
inline constexpr std::size_t kLongestPath = 32768;

} // namespace lyricast

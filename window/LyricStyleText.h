#pragma once

#include "convert/LyricStyle.h"

#include <cstdint>
#include <optional>
#include <string>

namespace lyricast {

// The longest line the user may ask for, as kar2mid's --line-length takes it.
inline constexpr std::uint32_t kLongestLineLimit = 1024;

// The style's name where it is remembered: "as-written" or "keyboard", as
// kar2mid's --lyric-style spells them; and the style such a name gives.
std::string LyricStyleKey(LyricStyle::Kind kind);
std::optional<LyricStyle::Kind> LyricStyleKindOf(const std::string& key);

// A longest line typed or remembered: a whole number from 0 to
// kLongestLineLimit, nothing else.
std::optional<std::uint32_t> LineLengthOf(const std::string& text);

// What the status bar says of the style during a batch: "Lyrics: as
// written", "Lyrics: keyboard", "Lyrics: keyboard, lines of at most 40".
std::string LyricStyleStatus(const LyricStyle& style);

} // namespace lyricast

#pragma once

#include "platform/DisplayText.h"

#include <string>
#include <string_view>

namespace lyricast {

// The bytes decoded by the system's converter from a legacy code page (not
// Auto or UTF-8) into UTF-8, each byte that starts no character as U+FFFD.
std::string DecodeWithSystem(std::string_view bytes, CodePage page);

} // namespace lyricast

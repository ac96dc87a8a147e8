#pragma once

#include <string>
#include <string_view>

namespace lyricast {

// Text in the encoding the system gives names in, as UTF-8: from the code
// page on Windows; elsewhere names are bytes, kept where they are UTF-8.
std::string Utf8FromNative(std::string_view text);

// The text with every byte that is not part of a whole, shortest UTF-8
// sequence (of a character up to U+10FFFF, no surrogate) replaced by U+FFFD.
std::string ValidUtf8(std::string_view text);

} // namespace lyricast

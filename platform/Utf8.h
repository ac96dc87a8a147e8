#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lyricast {

struct Utf8Char {
    char32_t codePoint;
    std::size_t length; // in bytes
};

// One character at the start of `text`: well-formed UTF-8, or the three bytes
// UTF-8 would give a lone surrogate (U+D800 to U+DFFF), which a Windows name
// may hold and which is carried that way; nothing for a byte that starts
// neither (a stray continuation byte, an overlong or cut-off sequence).
std::optional<Utf8Char> DecodeUtf8(std::string_view text);

void AppendUtf8(std::string& out, char32_t codePoint);

// The text with every byte that is not part of a whole, shortest UTF-8
// sequence of a character (up to U+10FFFF, no surrogate) replaced by U+FFFD:
// what a reader of UTF-8 text, such as a report, can take.
std::string ValidUtf8(std::string_view text);

// How many bytes at the end of `text` begin a character that the text does
// not finish: 0 to 3.
std::size_t UnfinishedUtf8Tail(std::string_view text);

} // namespace lyricast

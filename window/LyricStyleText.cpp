#include "window/LyricStyleText.h"

#include <charconv>

namespace lyricast {
namespace {

constexpr const char* kAsWrittenKey = "as-written";
constexpr const char* kKeyboardKey = "keyboard";

} // namespace

std::string LyricStyleKey(LyricStyle::Kind kind) {
    return kind == LyricStyle::Kind::Keyboard ? kKeyboardKey : kAsWrittenKey;
}

std::optional<LyricStyle::Kind> LyricStyleKindOf(const std::string& key) {
    if (key == kAsWrittenKey)
        return LyricStyle::Kind::AsWritten;
    if (key == kKeyboardKey)
        return LyricStyle::Kind::Keyboard;
    return std::nullopt;
}

std::optional<std::uint32_t> LineLengthOf(const std::string& text) {
    std::uint32_t length = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, length);
    if (text.empty() || error != std::errc() || stop != end || length > kLongestLineLimit)
        return std::nullopt;
    return length;
}

std::string LyricStyleStatus(const LyricStyle& style) {
    if (style.kind == LyricStyle::Kind::AsWritten)
        return "Lyrics: as written";
    std::string text = "Lyrics: keyboard";
    if (style.lineLength != 0)
        text += ", lines of at most " + std::to_string(style.lineLength);
    return text;
}

} // namespace lyricast

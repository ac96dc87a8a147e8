#include "platform/Utf16.h"

#include "platform/Utf8.h"

namespace lyricast {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(char32_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

void AppendUtf16(std::u16string& out, char32_t c) {
    if (c < 0x10000) {
        out.push_back(static_cast<char16_t>(c));
        return;
    }
    c -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 | (c >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 | (c & 0x3FF)));
}

// Appends the characters of `text` until one cannot be converted; returns
// where that one starts, or the text's size when all were. With `strict`, a
// low surrogate right after a high one cannot.
std::size_t AppendWhileUtf8(std::u16string& out, std::string_view text, bool strict) {
    std::size_t at = 0;
    bool afterHighSurrogate = false;
    while (at < text.size()) {
        const auto decoded = DecodeUtf8(text.substr(at));
        if (!decoded || (strict && afterHighSurrogate && IsLowSurrogate(decoded->codePoint)))
            return at;
        AppendUtf16(out, decoded->codePoint);
        afterHighSurrogate = IsHighSurrogate(decoded->codePoint);
        at += decoded->length;
    }
    return at;
}

} // namespace

std::optional<std::u16string> Utf16FromUtf8(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    if (AppendWhileUtf8(out, text, true) != text.size())
        return std::nullopt;
    return out;
}

std::u16string Utf16ForDisplay(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (;;) {
        const std::size_t stopped = AppendWhileUtf8(out, text, false);
        if (stopped == text.size())
            return out;
        out.push_back(kReplacement);
        text.remove_prefix(stopped + 1);
    }
}

std::string Utf8FromUtf16(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char32_t unit = text[at];
        if (IsHighSurrogate(unit) && at + 1 < text.size() && IsLowSurrogate(text[at + 1])) {
            AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (text[++at] - 0xDC00));
            continue;
        }
        AppendUtf8(out, unit);
    }
    return out;
}

} // namespace lyricast

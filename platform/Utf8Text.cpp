#include "platform/Utf8Text.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace lyricast {
namespace {

constexpr std::string_view kReplacement = "\xef\xbf\xbd";

bool Continues(unsigned char byte) {
    return (byte & 0xc0) == 0x80;
}

// The length of the valid sequence at `at`, or 0.
std::size_t SequenceAt(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xbf; // what the second byte may be
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3;
        low = lead == 0xe0 ? 0xa0 : 0x80;  // no overlong form
        high = lead == 0xed ? 0x9f : 0xbf; // no surrogate
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4;
        low = lead == 0xf0 ? 0x90 : 0x80;
        high = lead == 0xf4 ? 0x8f : 0xbf; // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (at + length > text.size() || byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (!Continues(byte(i)))
            return 0;
    return length;
}

} // namespace

std::string ValidUtf8(std::string_view text) {
    std::string valid;
    valid.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = SequenceAt(text, at);
        if (length == 0) {
            valid += kReplacement;
            ++at;
            continue;
        }
        valid += text.substr(at, length);
        at += length;
    }
    return valid;
}

#ifdef _WIN32
std::string Utf8FromNative(std::string_view text) {
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int wide = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    std::wstring utf16(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), size, utf16.data(), wide);
    const int narrow =
        WideCharToMultiByte(CP_UTF8, 0, utf16.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(narrow), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), wide, utf8.data(), narrow, nullptr, nullptr);
    return utf8;
}
#else
std::string Utf8FromNative(std::string_view text) {
    return ValidUtf8(text);
}
#endif

} // namespace lyricast

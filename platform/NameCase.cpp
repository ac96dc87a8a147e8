#include "platform/NameCase.h"

#include "platform/AsciiCase.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace lyricast {
namespace {

struct Decoded {
    char32_t codePoint;
    std::size_t length;
};

// One UTF-8 character at the start of `text`; nothing for a byte that does
// not start a well-formed one.
std::optional<Decoded> DecodeUtf8(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    char32_t value = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07u;
    } else {
        return std::nullopt;
    }
    if (text.size() < length)
        return std::nullopt;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0u) != 0x80u)
            return std::nullopt;
        value = value << 6 | (byte(i) & 0x3Fu);
    }
    const char32_t smallest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
    if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return std::nullopt;
    return Decoded{value, length};
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

bool Within(char32_t c, char32_t first, char32_t last) {
    return c >= first && c <= last;
}

// In these blocks each capital is followed by its small letter.
char32_t PairedUpper(char32_t c, bool capitalsEven) {
    const bool even = c % 2 == 0;
    return even == capitalsEven ? c : c - 1;
}

char32_t UpperOf(char32_t c) {
    if (Within(c, 0xE0, 0xFE))
        return c == 0xF7 ? c : c - 0x20; // U+00F7 is the division sign
    if (c == 0xFF)
        return 0x178;
    if (Within(c, 0x100, 0x137) || Within(c, 0x14A, 0x177))
        return PairedUpper(c, true);
    if (Within(c, 0x139, 0x148) || Within(c, 0x179, 0x17E))
        return PairedUpper(c, false);
    if (Within(c, 0x3B1, 0x3C9) && c != 0x3C2)
        return c - 0x20;
    if (c == 0x3C2) // final sigma
        return 0x3A3;
    if (c == 0x3AC)
        return 0x386;
    if (Within(c, 0x3AD, 0x3AF))
        return c - 0x25;
    if (c == 0x3CC)
        return 0x38C;
    if (Within(c, 0x3CD, 0x3CE))
        return c - 0x3F;
    if (Within(c, 0x430, 0x44F))
        return c - 0x20;
    if (Within(c, 0x450, 0x45F))
        return c - 0x50;
    if (Within(c, 0x460, 0x481) || Within(c, 0x48A, 0x4BF) || Within(c, 0x4D0, 0x4FF))
        return PairedUpper(c, true);
    if (Within(c, 0x561, 0x586))
        return c - 0x30;
    if (Within(c, 0x1E00, 0x1E95) || Within(c, 0x1EA0, 0x1EFF))
        return PairedUpper(c, true);
    if (Within(c, 0xFF41, 0xFF5A))
        return c - 0x20;
    return c;
}

} // namespace

std::string FoldedName(std::string_view name) {
    std::string folded;
    folded.reserve(name.size());
    while (!name.empty()) {
        const auto decoded = DecodeUtf8(name);
        if (!decoded) {
            folded.push_back(AsciiUpper(name.front()));
            name.remove_prefix(1);
            continue;
        }
        AppendUtf8(folded, UpperOf(decoded->codePoint));
        name.remove_prefix(decoded->length);
    }
    return folded;
}

std::string CaseSwapped(std::string_view name) {
    std::string swapped(name);
    std::transform(swapped.begin(), swapped.end(), swapped.begin(),
                   [](char c) { return AsciiUpper(c) != c ? AsciiUpper(c) : AsciiLower(c); });
    return swapped;
}

} // namespace lyricast

#include "platform/NameCase.h"

#include "platform/AsciiCase.h"
#include "platform/Utf8.h"

#include <algorithm>

namespace lyricast {
namespace {

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
        if (!decoded || decoded->length == 1) {
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

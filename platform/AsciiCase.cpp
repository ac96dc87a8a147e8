#include "platform/AsciiCase.h"

#include <algorithm>

namespace lyricast {

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char l, char r) { return AsciiLower(l) == AsciiLower(r); });
}

} // namespace lyricast

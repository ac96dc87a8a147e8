#pragma once

#include "platform/PathRules.h"

#include <string>
#include <string_view>

namespace lyricast {

// Text for one field of kar2mid's line-per-file output, safe to show on a
// terminal. Every control character is escaped: a line break is written
// "\n", a tab "\t", a carriage return "\r", an escape "\e", any other (DEL
// too) "\xHH"; so every file keeps to one line, every --list field to its
// column, and no name can move the cursor or fake a line. Where "\" is no
// path separator it is written "\\", and the C1 controls of UTF-8 (U+0080 to
// U+009F, which some terminals obey) are escaped byte by byte. On Windows "\"
// separates folders and names are in the code page, so both stay as they are.
std::string PrintableText(std::string_view text, const PathRules& rules);

} // namespace lyricast

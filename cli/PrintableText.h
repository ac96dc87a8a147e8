#pragma once

#include "platform/PathRules.h"

#include <string>
#include <string_view>

namespace lyricast {

// Text for one field of kar2mid's line-per-file output, safe to show on a
// terminal. Every control character is escaped: a line break is written
// "\n", a tab "\t", a carriage return "\r", an escape "\e", any other (DEL
// too) "\xHH"; so every file keeps to one line, every --list field to its
// column, and no name can move the cursor or fake a line. The C1 controls of
// UTF-8 (U+0080 to U+009F, which some terminals obey) are escaped byte by
// byte. Where "\" is no path separator it is written "\\"; on Windows it
// separates folders and stays as it is.
std::string PrintableText(std::string_view text, const PathRules& rules);

} // namespace lyricast

#pragma once

#include "platform/PathRules.h"

#include <string>
#include <string_view>

namespace lyricast {

// Text for one field of kar2mid's line-per-file output. Where "\" is no path
// separator, a line break is written "\n", a tab "\t" and a backslash "\\",
// so that every file keeps to one line and every --list field to its column.
// Windows names can hold neither a line break nor a tab, and "\" separates
// their folders, so there the text is left as it is.
std::string PrintableText(std::string_view text, const PathRules& rules);

} // namespace lyricast

#pragma once

#include "platform/PathRules.h"

#include <string>
#include <vector>

namespace lyricast {

// Where the help page may be, in the order to try: "Help/Help.html" beside
// the program (as built, and as the Windows program is installed), then the
// shared data folder of an installed Linux layout (bin/../share/...).
// `programFolder` ends with its separator; empty means the current folder.
std::vector<std::string> HelpPageCandidates(const std::string& programFolder,
                                            const PathRules& rules);

} // namespace lyricast

#pragma once

#include "platform/PathRules.h"

#include <optional>
#include <string>

namespace lyricast {

// Makes the folders of `output` below `root` (a folder that exists) that are
// not there yet, from the top down. Nothing once they are all there; else
// why the first that cannot be made is not: "Cannot create folder F: reason".
// Another worker making one of them at the same moment is no failure.
std::optional<std::string> MakeOutputFolders(const std::string& root, const std::string& output,
                                             const PathRules& rules);

} // namespace lyricast

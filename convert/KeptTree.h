#pragma once

#include "platform/PathRules.h"

#include <optional>
#include <string>
#include <string_view>

namespace lyricast {

// The folders from `root` down to the source's own folder, with the closing
// separator ("Rock/Queen/"); empty when the source is in `root` itself or
// not below it.
std::string FolderBelowRoot(std::string_view sourcePath, std::string_view root,
                            const PathRules& rules);

// The output at the same place below `outputFolder` as the source is below
// `root` (OUT/Rock/Queen/song.MID); nothing when the source's name has no ".".
std::optional<std::string> TreeOutputPathOf(std::string_view sourcePath, std::string_view root,
                                            const std::string& outputFolder,
                                            const PathRules& rules);

} // namespace lyricast

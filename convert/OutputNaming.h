#pragma once

#include "platform/PathRules.h"

#include <optional>
#include <string>
#include <string_view>

namespace lyricast {

// How a converted song is named and placed. A source path is split at its
// last folder end: the file name after it, the source folder up to and
// including it.
std::string FileNameOf(std::string_view sourcePath, const PathRules& rules);
std::string SourceFolderOf(std::string_view sourcePath, const PathRules& rules);

// The file name cut before its last "." and followed by ".MID"; nothing when
// the name has no ".".
std::optional<std::string> OutputNameOf(std::string_view fileName);

// Beside the source when outputFolder is absent, else outputFolder joined with
// the output name; nothing when the source's name has no ".".
std::optional<std::string> OutputPathOf(std::string_view sourcePath,
                                        const std::optional<std::string>& outputFolder,
                                        const PathRules& rules);

} // namespace lyricast

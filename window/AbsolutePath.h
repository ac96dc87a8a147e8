#pragma once

#include "platform/PathRules.h"

#include <string>

namespace lyricast {

// `path` read against `folder` as the system reads a relative path against
// its current folder: a path from a root stays as it is, one from the root of
// the current drive ("\songs") takes the drive of `folder`, and any other is
// joined to `folder`. A drive-relative path ("Y:songs") is read against that
// drive's own folder, which only the system knows (FromDriveRoot), so it
// stays as it is here; so does every path when `folder` is empty.
std::string AbsoluteAgainst(const std::string& path, const std::string& folder,
                            const PathRules& rules);

} // namespace lyricast

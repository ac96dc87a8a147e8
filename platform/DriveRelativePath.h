#pragma once

#include "platform/PathRules.h"

#include <string>
#include <string_view>

namespace lyricast {

// A path that names a drive but no folder from its root ("Y:", "Y:songs"):
// the system reads it from that drive's current folder.
bool IsDriveRelative(std::string_view path, const PathRules& rules);

// A drive-relative path spelled from its drive's root, as the system reads it
// now ("Y:" with Y's current folder at Y:\sub gives "Y:\sub"); any other path
// as it is. A name joined to "Y:" with a separator would otherwise land in the
// drive's root, not in the folder that was listed.
std::string FromDriveRoot(const std::string& path);

} // namespace lyricast

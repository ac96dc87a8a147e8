#pragma once

#include <string>

namespace lyricast {

// The system's text for a Windows error code, in UTF-8, without the
// full stop and line break it ends with ("Access is denied").
std::string SystemMessage(unsigned long code);

} // namespace lyricast

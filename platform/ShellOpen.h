#pragma once

#include <string>

namespace lyricast {

// Opens a document with the desktop's default program for it, without
// waiting for that program. Whether it could be opened is not reported.
void ShellOpen(const std::string& path);

} // namespace lyricast

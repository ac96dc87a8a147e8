#pragma once

#include <string>

namespace lyricast {

// The full path of the program's own file, in UTF-8.
std::string ProgramFile();

} // namespace lyricast

#pragma once

#include <string>

namespace lyricast {

// The folder of the program's own file, with its closing separator.
std::string ProgramFolder();

} // namespace lyricast

#pragma once

#include <string>

namespace lyricast {

// Text shown to the user, such as a volume's label or a share's name, in upper
// or lower case. On Windows that is every letter of the ANSI code page the
// system hands such text in ("É" and "é" too); elsewhere only the ASCII
// letters, as a byte of a UTF-8 character cannot be changed on its own.
std::string InTextCase(std::string text, bool upperCase);

} // namespace lyricast

#pragma once

#include <string>

namespace lyricast {

// Text shown to the user, such as a volume's label or a share's name, in upper
// or lower case. On Windows that is every letter the system knows a case of
// ("É" and "é", "Я" and "я"); elsewhere only the ASCII letters, as the same
// label may be spelled in any encoding there. Text that is not UTF-8 has its
// ASCII letters cased alone.
std::string InTextCase(std::string text, bool upperCase);

} // namespace lyricast

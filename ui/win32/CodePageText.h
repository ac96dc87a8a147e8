#pragma once

#include <string>

namespace lyricast {

// This window still talks to its widgets and to the shell's pickers with the
// code page's ("A") calls, while the layers below speak UTF-8. Text goes to
// a widget in the code page, a character it cannot spell as "?"; what a
// widget or such a call hands back comes back as UTF-8.
std::string ShownText(const std::string& utf8);
std::string TakenText(const std::string& codePageText);

} // namespace lyricast

#pragma once

#include <windows.h>

#include <string>

namespace lyricast {

// The About box's text: the program's name, its version and its maker.
std::string AboutText();

// Shows the About box with the program's icon, modal to `owner`.
void ShowAboutBox(HWND owner);

} // namespace lyricast

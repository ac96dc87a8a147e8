#pragma once

#include <string>

namespace lyricast {

// Opens a document with the desktop's default program for it, without
// waiting for that program. Whether it could be opened is not reported.
void ShellOpen(const std::string& path);

// Opens a folder in the desktop's file manager, without waiting for it;
// never in this program, even where it is the desktop's choice for folders.
// False when there is no file manager to open it with.
bool ShellOpenFolder(const std::string& folder);

} // namespace lyricast

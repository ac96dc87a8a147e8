#pragma once

#include <string>

namespace lyricast {

// The process's current directory, exactly as the system reports it (on
// Windows a drive root ends with "\", any other folder does not). Raises
// DirectoryError when the system cannot tell it (the folder was removed).
std::string GetCurrentDir();

// Makes `path` the process's current directory, or raises DirectoryError with
// the message for the system's error code and leaves it where it was.
void SetCurrentDir(const std::string& path);

// Makes a volume's own current folder the process's current directory. On
// Windows that is the folder the system keeps for the drive of `root` ("d:"
// lands there); elsewhere it is `lastVisited` (the folder last visited on that
// volume, empty when none) while it can be entered, else `root` itself.
// Raises DirectoryError as SetCurrentDir does.
void EnterVolume(const std::string& root, const std::string& lastVisited);

} // namespace lyricast

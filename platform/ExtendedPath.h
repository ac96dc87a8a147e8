#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lyricast {

// Windows' file calls read a path before they use it: "/" as "\", "." and
// ".." resolved, doubled separators as one, a part's closing dot (and the
// last part's closing dots and spaces) dropped, and a device's name ("con",
// "nul.kar") taken for that device. So "C:\k\d1.\a.kar" reaches the file
// a.kar of C:\k\d1, another file than the one named. The "\\?\" prefix
// ("\\?\UNC\" for a share) turns that reading off: the path is taken as it
// is spelled, and at any length the system takes (32,767 UTF-16 units)
// instead of MAX_PATH's.

// The longest path, in UTF-16 units, that the calls take without the prefix:
// MAX_PATH (260) less the closing zero and the room for an 8.3 name that
// creating a folder keeps.
inline constexpr std::size_t kLongestPlainWindowsPath = 247;

// A full path that the system's reading could only spoil: from a drive's
// root ("C:\") or a share's ("\\srv\share"), its parts separated by "\"
// alone, none of them empty, "." or ".."; a closing separator aside. Such a
// path is taken as it is spelled.
bool IsSpelledInFull(std::string_view path);

// A full path with the prefix: "\\?\C:\..." or "\\?\UNC\srv\share\...". A
// path with a prefix already ("\\?\", or a device's "\\.\") or that is not
// full stays as it is.
std::string WithExtendedPrefix(std::string_view fullPath);

} // namespace lyricast

#pragma once

#include <optional>
#include <string>

namespace lyricast {

// A path as Windows' wide file calls take it: in UTF-16, and with the "\\?\"
// prefix (ExtendedPath.h) where it is full and spelled in full, so that it
// reaches the file it names at any length. Any other path is read by the
// system as ever, and when too long to be taken so, spelled in full from its
// root as the system reads it and given the prefix.
// Nothing for a path that is not UTF-8: the thread's last error is then
// ERROR_NO_UNICODE_TRANSLATION and errno EILSEQ, so that the caller reports
// it as it reports any failure of the call it meant to make.
std::optional<std::wstring> SystemPath(const std::string& path);

// The path from its root as the system reads it now (against the current
// folder, or a drive's own for "C:x"; "/" as "\", "." and ".." resolved); as
// it is when the system cannot tell.
std::wstring FullSystemPath(const std::wstring& path);

// As SystemPath, but never with the prefix, for the calls that take none
// (the current directory, the shell's, the volumes').
std::optional<std::wstring> PlainSystemPath(const std::string& path);

} // namespace lyricast

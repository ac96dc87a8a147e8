#pragma once

#include <ostream>
#include <span>
#include <string>

namespace lyricast {

// The whole of the kar2mid command: returns its exit status (0 every file
// converted or skipped, 1 any failed or `out` could not be written, 2 usage
// error or a missing output folder). With `progress` a count is kept on
// one line of `err`'s terminal; it is wiped before a line goes to `out` only
// when `out` shows on that terminal too.
int RunKar2mid(std::span<const std::string> args, std::ostream& out, std::ostream& err,
               bool progress, bool outputOnTerminal = true);

} // namespace lyricast

#pragma once

#include <ostream>
#include <span>
#include <string>

namespace lyricast {

// The whole of the kar2mid command: returns its exit status (0 every file
// converted, 1 any failed, 2 usage error). With `progress` a count is kept on
// one line of `err`'s terminal; it is wiped before a line goes to `out` only
// when `out` shows on that terminal too.
int RunKar2mid(std::span<const std::string> args, std::ostream& out, std::ostream& err, bool progress,
               bool outputOnTerminal = true);

} // namespace lyricast

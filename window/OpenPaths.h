#pragma once

#include <string>
#include <vector>

namespace lyricast {

class TMainForm;

// Paths the user handed the window at once (dropped on it, or named on the
// command line): a single folder is opened and scanned; anything else is
// listed as files.
void OpenPaths(TMainForm& form, std::vector<std::string> paths);

} // namespace lyricast

#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace lyricast {

// A folder a scan could not open or list, and the system's reason.
struct UnreadFolder {
    std::string path;
    std::string reason;
};

// "1 folder not read", "3 folders not read": for the status bar's counts.
std::string UnreadFoldersCount(std::size_t count);

// The word at the end of a scan that could not read some folders:
// "1 folder could not be read: PATH: REASON", or for more, a line for each of
// the first `listed` and "and N more." for the rest.
std::string UnreadFoldersText(const std::vector<UnreadFolder>& folders, std::size_t listed = 3);

} // namespace lyricast

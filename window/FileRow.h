#pragma once

#include <cstdint>
#include <string>

namespace lyricast {

// One row of the file list: the file's full path as the system gave it, its
// upper-cased extension, the verdict and the track count; and the folder
// that was listed to find it (its own folder for a file named on its own),
// below which its path is kept when the tree of folders is.
struct FileRow {
    std::string path;
    std::string extension;
    bool good = false;
    std::uint16_t trackCount = 0;
    std::string root = {};

    // The row's data beside its texts: 1 for a "Good" file, 0 otherwise.
    int GoodMark() const { return good ? 1 : 0; }
};

} // namespace lyricast

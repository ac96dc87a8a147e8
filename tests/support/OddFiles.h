#pragma once

#ifndef _WIN32
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace lyricast::test {

// Karaoke names on what is no regular file: a named pipe (an open would wait
// for a writer) and links to two devices that never end. Gives their names.
inline std::vector<std::string> MakeOddKaraokeFiles(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    if (::mkfifo((folder / "y.kar").c_str(), 0600) != 0)
        return {};
    std::filesystem::create_symlink("/dev/zero", folder / "a.kar");
    std::filesystem::create_symlink("/dev/urandom", folder / "b.kar");
    return {"y.kar", "a.kar", "b.kar"};
}

} // namespace lyricast::test
#endif

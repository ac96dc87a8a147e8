#pragma once

#include "engine/TSmfFile.h"

#include <cstdint>
#include <string>

namespace lyricast {

struct Judgement {
    bool good = false;
    std::uint16_t trackCount = 0;
};

// Judges one karaoke file by its header alone: "Good" with its track count,
// or "Bad". A bad file shows its own track count when its header was read but
// a chunk header was damaged, otherwise 0. A file that cannot be read at all
// is bad, and so at once is anything but a regular file (a named pipe, a
// device, a folder). Only the headers are read, so a file of any size takes
// no more memory or time than a small one. The song is reset afterwards.
Judgement JudgeFile(TSmfFile& song, const std::string& path);

// The verdict and the track count as the file list and kar2mid's --list
// show them: "Good" or "Bad", and the count in decimal.
const char* VerdictText(bool good);
std::string TrackCountText(std::uint16_t trackCount);

} // namespace lyricast

#pragma once

#include "engine/TSmfFile.h"

#include <string>

namespace lyricast {

enum class ConvertOutcome {
    Converted,
    NotLoaded,    // the header could not be read; song.headerResult says why
    NotWritable,  // the song holds a time the output cannot express
};

// Converts one karaoke file: loads it whole into `song`, rewrites its text
// events as lyrics and saves it at `outputPath`. The song is reset afterwards,
// also when the file layer raises FileError (which is passed on).
ConvertOutcome ConvertSong(TSmfFile& song, const std::string& sourcePath, const std::string& outputPath);

} // namespace lyricast

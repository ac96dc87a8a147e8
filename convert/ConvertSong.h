#pragma once

#include "convert/LyricStyle.h"
#include "engine/TSmfFile.h"

#include <string>

namespace lyricast {

enum class ConvertOutcome {
    Converted,
    NotLoaded,   // the header could not be read; song.headerResult says why
    NotWritable, // the song holds a time the output cannot express
    OutOfMemory, // the file, or the song read from it, does not fit in memory
};

// Converts one karaoke file: loads it whole into `song`, rewrites its text
// events as lyrics in `style` and saves it at `outputPath`. The song is reset
// afterwards, also when the file layer raises FileError (which is passed on).
// Running out of memory ends this one file only, with its memory given back.
ConvertOutcome ConvertSong(TSmfFile& song, const std::string& sourcePath,
                           const std::string& outputPath, const LyricStyle& style = {});

} // namespace lyricast

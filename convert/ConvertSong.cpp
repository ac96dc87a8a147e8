#include "convert/ConvertSong.h"

#include <new>

namespace lyricast {
namespace {

// Resets the song however the conversion ends; a reset allocates nothing and
// cannot throw, so it is safe while a std::bad_alloc or a FileError passes.
class ResetOnExit {
public:
    explicit ResetOnExit(TSmfFile& song) : song_(song) {}
    ResetOnExit(const ResetOnExit&) = delete;
    ResetOnExit& operator=(const ResetOnExit&) = delete;
    ~ResetOnExit() { song_.Reset(); }

private:
    TSmfFile& song_;
};

void RewriteLyrics(TSmfFile& song, const LyricStyle& style) {
    if (style.kind == LyricStyle::Kind::Keyboard)
        song.LyricsForKeyboard(style.lineLength);
    else
        song.TextToLyric();
}

} // namespace

ConvertOutcome ConvertSong(TSmfFile& song, const std::string& sourcePath,
                           const std::string& outputPath, const LyricStyle& style) {
    ResetOnExit reset(song);
    try {
        if (!song.LoadFile(sourcePath))
            return ConvertOutcome::NotLoaded;
        RewriteLyrics(song, style);
        return song.SaveToFile(outputPath) == kSaved ? ConvertOutcome::Converted
                                                     : ConvertOutcome::NotWritable;
    } catch (const std::bad_alloc&) {
        return ConvertOutcome::OutOfMemory;
    }
}

} // namespace lyricast

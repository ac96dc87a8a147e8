#include "engine/TSmfFile.h"

namespace lyricast {

void TSmfFile::RewriteText(std::size_t i) {
    events_.SetType(i, kMetaLyric);
    for (std::uint8_t& c : events_.BodyOf(i)) {
        if (c == '\\')
            c = ' ';
        if (c == '/')
            c = '\r';
    }
}

// Every text event becomes a lyric event; in its text a backslash becomes a
// space and a slash a carriage return. A record ends at its End of Track,
// which is never among the events, so every text event is one before it.
void TSmfFile::TextToLyric() {
    // The walk ends with the last text event: karaoke files keep their text
    // in one early track.
    for (std::size_t i = 0; textEvents_ > 0 && i < events_.size(); ++i) {
        if (events_.status(i) == kMetaStatus && events_.data1(i) == kMetaText) {
            RewriteText(i);
            --textEvents_;
            ++lyricEvents_;
        }
    }
}

} // namespace lyricast

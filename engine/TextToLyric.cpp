#include "engine/TSmfFile.h"

namespace lyricast {
namespace {

void RewriteText(SmfEvent& event) {
    event.data1 = kMetaLyric;
    event.metaData[1] = kMetaLyric;
    for (std::uint8_t& c : event.MetaBody()) {
        if (c == '\\')
            c = ' ';
        if (c == '/')
            c = '\r';
    }
}

// The list is walked run by run, in the order of its links but without
// waiting on each link's load.
void RewriteTexts(SmfTrack& track) {
    for (std::size_t run = 0; run < track.RunCount(); ++run) {
        for (SmfEvent& event : track.Run(run)) {
            if (event.IsEndOfTrack())
                return;
            if (event.IsMeta(kMetaText) && !event.metaData.empty())
                RewriteText(event);
        }
    }
}

} // namespace

// Every text event becomes a lyric event; in its text a backslash becomes a
// space and a slash a carriage return. A list is walked only up to its first
// End of Track, as a player would stop there.
void TSmfFile::TextToLyric() {
    for (SmfTrack& track : tracks)
        if (track.hasText) // most lists hold only notes, and are not walked at all
            RewriteTexts(track);
}

} // namespace lyricast

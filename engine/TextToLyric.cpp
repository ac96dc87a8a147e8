#include "engine/TSmfFile.h"

namespace lyricast {

// Every text event becomes a lyric event; in its text a backslash becomes a
// space and a slash a carriage return. A list is walked only up to its first
// End of Track, as a player would stop there.
void TSmfFile::TextToLyric() {
    for (SmfTrack& track : tracks) {
        for (SmfEvent* event = track.firstEvent; event != nullptr && !event->IsEndOfTrack();
             event = event->next) {
            if (!event->IsMeta(kMetaText) || event->metaData.empty()) continue;
            event->data1 = kMetaLyric;
            event->metaData[1] = kMetaLyric;
            for (std::uint8_t& c : event->MetaBody()) {
                if (c == '\\') c = ' ';
                if (c == '/') c = '\r';
            }
        }
    }
}

} // namespace lyricast

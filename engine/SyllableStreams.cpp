#include "engine/SyllableStreams.h"

namespace lyricast {
namespace {

void KeepMost(Stream& most, const Stream& here) {
    if (here.count > most.count)
        most = here;
}

} // namespace

Streams FindStreams(const EventStore& events, std::span<const SmfTrack> tracks,
                    std::size_t syllables) {
    Streams most;
    Streams here; // of the record being counted
    const auto keep = [&] {
        KeepMost(most.words, here.words);
        KeepMost(most.lyrics, here.lyrics);
    };
    ForEachSyllable(events, tracks, syllables, [&](std::size_t record, std::size_t i) {
        if (record != here.words.record) {
            keep();
            here = {{record, 0}, {record, 0}};
        }
        if (events.data1(i) == kMetaLyric)
            ++here.lyrics.count;
        else if (!IsTag(events.BodyOf(i)))
            ++here.words.count;
        return true;
    });
    keep();
    return most;
}

std::span<const std::uint8_t> FindTitle(const EventStore& events, std::span<const SmfTrack> tracks,
                                        std::size_t syllables) {
    std::span<const std::uint8_t> title;
    ForEachSyllable(events, tracks, syllables, [&](std::size_t, std::size_t i) {
        const std::span<const std::uint8_t> text = events.BodyOf(i);
        if (events.data1(i) != kMetaText || text.size() < 2 || text[0] != '@' || text[1] != 'T')
            return true;
        title = text.subspan(2, NameLengthOf(text.subspan(2)));
        return title.empty();
    });
    if (title.empty() && !tracks.empty() && tracks[0].named())
        title = std::span(events.bytes()).subspan(tracks[0].nameAt(), tracks[0].nameLength());
    return title;
}

} // namespace lyricast

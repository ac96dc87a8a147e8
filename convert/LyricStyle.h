#pragma once

#include <cstdint>

namespace lyricast {

// How a conversion writes a song's words. As written: every text event
// becomes a lyric event, "\" a space and "/" a carriage return, and nothing
// else changes. Keyboard: the words as a keyboard shows them (one stream of
// syllables, line and paragraph marks, the title as the song's name, the
// song's own end), with lines of at most `lineLength` characters where the
// words allow; 0 puts no limit on them.
struct LyricStyle {
    enum class Kind { AsWritten, Keyboard };
    Kind kind = Kind::AsWritten;
    std::uint32_t lineLength = 0;

    bool operator==(const LyricStyle&) const = default;
};

} // namespace lyricast

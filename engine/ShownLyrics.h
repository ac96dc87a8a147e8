#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace lyricast {

// The lines a keyboard or a player shows of a song's words, as bytes; an
// empty line marks a paragraph break (the screen cleared).
struct ShownLyrics {
    std::vector<std::string> lines;
    std::size_t syllables = 0; // the events the lines are made of
    bool lyricEvents = false;  // the file's own lyric events are among the lines
};

// The song's text and lyric events, counted: text events that are words,
// those that are header tags ("@..."), and lyric events.
struct WordCounts {
    std::size_t words = 0;
    std::size_t tags = 0;
    std::size_t lyrics = 0;
};

} // namespace lyricast

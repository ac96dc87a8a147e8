#pragma once

#include "convert/LyricsPreview.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace lyricast {

// What the Lyrics column holds of a "Good" file once the pass after the scan
// has read it: its text, and what the column sorts by (not read yet, no
// words, tags only, then the words by their number).
struct RowLyrics {
    bool read = false;
    std::string text;
    LyricsPreview::Words words = LyricsPreview::Words::None;
    std::size_t syllables = 0;

    bool operator==(const RowLyrics&) const = default;
};

// One row of the file list: the file's full path as the system gave it, its
// upper-cased extension, the verdict and the track count; the folder that
// was listed to find it (its own folder for a file named on its own), below
// which its path is kept when the tree of folders is; and its lyrics.
struct FileRow {
    std::string path;
    std::string extension;
    bool good = false;
    std::uint16_t trackCount = 0;
    std::string root = {};
    RowLyrics lyrics = {};
    std::size_t serial = 0; // the row's place in the order its scan found it

    // The row's data beside its texts: 1 for a "Good" file, 0 otherwise.
    int GoodMark() const { return good ? 1 : 0; }
};

} // namespace lyricast

#pragma once

#include "convert/LyricStyle.h"
#include "window/FileRow.h"

#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace lyricast {

// The Lyrics column of one row, as the pass found it.
struct LyricsFound {
    std::size_t serial; // FileRow::serial
    RowLyrics lyrics;
};

// The second pass over a scan's "Good" rows, once their rows are in: it
// reads each file once, on a worker thread, for what it will show in the
// lyric style, and hands the column's texts over in batches. A new scan, a
// new style or the window's closing stops it.
class LyricsPass {
public:
    struct Entry {
        std::size_t serial;
        std::string path;
    };
    // Called from the worker thread with the rows read since the last call.
    using Deliver = std::function<void(std::vector<LyricsFound> found)>;

    LyricsPass(std::vector<Entry> entries, const LyricStyle& style);

    // Reads the files in order until the last or a stop, handing what it
    // found over a few times a second and at the end; nothing once stopped.
    void Run(const Deliver& deliver);
    void Stop() { stopped_.store(true, std::memory_order_relaxed); }
    bool Stopped() const { return stopped_.load(std::memory_order_relaxed); }

private:
    std::vector<Entry> entries_;
    LyricStyle style_;
    std::atomic<bool> stopped_{false};
};

// What the column holds of a file: its preview in a few words, or
// kUnreadableLyricsText when it no longer reads as a MIDI file.
RowLyrics RowLyricsOf(const std::string& path, const LyricStyle& style);

} // namespace lyricast

#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace lyricast {

// What the lyrics pane shows, all of it UTF-8: the song's title, its lines
// as a keyboard shows them (an empty one a paragraph break), what a user
// should know before converting, and a note on what is shown: how the text
// was decoded, or why there is no song to show.
struct LyricsPaneText {
    std::string title;
    std::vector<std::string> lines;
    std::vector<std::string> warnings;
    std::string note;

    bool operator==(const LyricsPaneText&) const = default;
};

// The caption beside the pane's code page box; Alt with its letter goes to the box.
inline constexpr const char* kCodePageCaption = "&Code page:";
inline constexpr char kCodePageMnemonic = 'C';

// What the lyrics pane's decisions need a toolkit to show. Every call is
// made on the UI thread.
class LyricsPaneView {
public:
    virtual void ShowLyrics(const LyricsPaneText& text) = 0;
    // The code page combo's selection, an index into DisplayCodePages.
    virtual void ShowCodePage(std::size_t index) = 0;

protected:
    ~LyricsPaneView() = default;
};

} // namespace lyricast

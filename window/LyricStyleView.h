#pragma once

#include "convert/LyricStyle.h"

#include <string>

namespace lyricast {

// What the lyric style dialog's decisions need a toolkit to show or ask.
class LyricStyleView {
public:
    // Checks "As written" or "Keyboard" and shows the longest line in its
    // box, which can be changed only with "Keyboard".
    virtual void ShowStyle(LyricStyle::Kind kind, const std::string& lineLength,
                           bool lineLengthEnabled) = 0;
    // The longest line as typed in its box.
    virtual std::string LineLengthText() const = 0;
    // A word to the user over the dialog, which stays open.
    virtual void ShowError(const std::string& text) = 0;
    virtual void CloseDialog() = 0;

protected:
    ~LyricStyleView() = default;
};

} // namespace lyricast

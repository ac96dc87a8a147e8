#pragma once

#include <chrono>
#include <ostream>

namespace lyricast {

// A one-line count on a terminal while a long batch runs. It appears only
// once the batch has taken a moment, is redrawn a few times a second, and is
// wiped before any other line is printed.
class ProgressLine {
public:
    ProgressLine(std::ostream& terminal, bool enabled);

    void Update(int converted, int failed);
    void Clear();

private:
    using Clock = std::chrono::steady_clock;

    std::ostream& terminal_;
    bool enabled_;
    bool shown_ = false;
    Clock::time_point started_;
    Clock::time_point lastDrawn_;
};

} // namespace lyricast

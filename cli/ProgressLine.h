#pragma once

#include <chrono>
#include <cstddef>
#include <ostream>
#include <string>

namespace lyricast {

// A one-line count on a terminal while a long batch runs. It appears only
// once the batch has taken a moment, is redrawn a few times a second, and is
// wiped before any other line is printed. It is drawn with a carriage return
// and spaces alone, which every terminal and Windows console understands.
class ProgressLine {
public:
    ProgressLine(std::ostream& terminal, bool enabled);

    void Update(int converted, int failed);
    void Clear();

private:
    using Clock = std::chrono::steady_clock;

    void Draw(const std::string& text);

    std::ostream& terminal_;
    bool enabled_;
    std::size_t drawnLength_ = 0; // 0 while nothing is shown
    Clock::time_point started_;
    Clock::time_point lastDrawn_;
};

} // namespace lyricast

#include "cli/ProgressLine.h"

namespace lyricast {
namespace {

constexpr auto kDelay = std::chrono::milliseconds(500);
constexpr auto kInterval = std::chrono::milliseconds(100);

} // namespace

ProgressLine::ProgressLine(std::ostream& terminal, bool enabled)
    : terminal_(terminal), enabled_(enabled), started_(Clock::now()) {}

void ProgressLine::Update(int converted, int failed) {
    if (!enabled_)
        return;
    const auto now = Clock::now();
    if (now - started_ < kDelay || (drawnLength_ != 0 && now - lastDrawn_ < kInterval))
        return;
    Draw(std::to_string(converted + failed) + " files: " + std::to_string(converted) +
         " converted, " + std::to_string(failed) + " failed");
    lastDrawn_ = now;
}

void ProgressLine::Clear() {
    if (drawnLength_ == 0)
        return;
    terminal_ << '\r' << std::string(drawnLength_, ' ') << '\r' << std::flush;
    drawnLength_ = 0;
}

// Writes over the line from its start. Spaces rather than an erase code wipe
// what a longer text left: a Windows console without VT processing prints
// such a code as junk.
void ProgressLine::Draw(const std::string& text) {
    const std::size_t leftOver = drawnLength_ > text.size() ? drawnLength_ - text.size() : 0;
    terminal_ << '\r' << text << std::string(leftOver, ' ') << std::flush;
    drawnLength_ = text.size();
}

} // namespace lyricast

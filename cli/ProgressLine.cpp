#include "cli/ProgressLine.h"

namespace lyricast {
namespace {

constexpr auto kDelay = std::chrono::milliseconds(500);
constexpr auto kInterval = std::chrono::milliseconds(100);

} // namespace

ProgressLine::ProgressLine(std::ostream& terminal, bool enabled)
    : terminal_(terminal), enabled_(enabled), started_(Clock::now()) {}

void ProgressLine::Update(int converted, int failed) {
    if (!enabled_) return;
    const auto now = Clock::now();
    if (now - started_ < kDelay || (shown_ && now - lastDrawn_ < kInterval)) return;
    terminal_ << "\r\033[K" << converted + failed << " files: " << converted << " converted, " << failed
              << " failed" << std::flush;
    shown_ = true;
    lastDrawn_ = now;
}

void ProgressLine::Clear() {
    if (!shown_) return;
    terminal_ << "\r\033[K" << std::flush;
    shown_ = false;
}

} // namespace lyricast

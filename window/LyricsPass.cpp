#include "window/LyricsPass.h"

#include <chrono>
#include <utility>

namespace lyricast {
namespace {

// As the scan's rows: a few times a second, so that drawing them costs
// little beside reading the files.
constexpr auto kFoundEvery = std::chrono::milliseconds(100);

} // namespace

LyricsPass::LyricsPass(std::vector<Entry> entries, const LyricStyle& style)
    : entries_(std::move(entries)), style_(style) {}

void LyricsPass::Run(const Deliver& deliver) {
    std::vector<LyricsFound> found;
    auto handedAt = std::chrono::steady_clock::now();
    for (const Entry& entry : entries_) {
        if (Stopped())
            return;
        found.push_back({entry.serial, RowLyricsOf(entry.path, style_)});
        if (std::chrono::steady_clock::now() - handedAt >= kFoundEvery) {
            deliver(std::exchange(found, {}));
            handedAt = std::chrono::steady_clock::now();
        }
    }
    if (!found.empty() && !Stopped())
        deliver(std::move(found));
}

RowLyrics RowLyricsOf(const std::string& path, const LyricStyle& style) {
    const std::optional<LyricsPreview> preview = PreviewLyricsOf(path, style);
    if (!preview)
        return {true, kUnreadableLyricsText};
    return {true, LyricsColumnText(*preview), preview->words, preview->syllables};
}

} // namespace lyricast

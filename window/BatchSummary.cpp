#include "window/BatchSummary.h"

namespace lyricast {
namespace {

std::string Files(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " file" : " files");
}

} // namespace

std::string BatchSummaryText(const BatchTally& tally, std::size_t listed) {
    std::string text = Files(static_cast<std::size_t>(tally.converted)) + " converted.";
    if (tally.stopped)
        text = "Stopped: " + text + " " + Files(static_cast<std::size_t>(tally.notStarted)) +
               " not converted.";
    if (tally.badSkipped > 0)
        text +=
            "\n" + Files(static_cast<std::size_t>(tally.badSkipped)) + " judged \"Bad\" skipped.";
    if (!tally.failed.empty()) {
        text += "\n\n" + Files(tally.failed.size()) + " refused or failed:";
        for (std::size_t i = 0; i < tally.failed.size() && i < listed; ++i)
            text += "\n" + tally.failed[i].first + ": " + tally.failed[i].second;
        if (tally.failed.size() > listed)
            text += "\n... and " + std::to_string(tally.failed.size() - listed) + " more.";
    }
    return text;
}

std::string ScanCountsText(std::size_t files, std::size_t good) {
    return Files(files) + ", " + std::to_string(good) + " good";
}

} // namespace lyricast

#include "window/BatchSummary.h"

namespace lyricast {
namespace {

std::string Files(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " file" : " files");
}

std::string HeadOf(const BatchTally& tally) {
    std::string text = Files(static_cast<std::size_t>(tally.converted)) + " converted.";
    if (tally.stopped)
        text = "Stopped: " + text + " " + Files(static_cast<std::size_t>(tally.notStarted)) +
               " not converted.";
    if (tally.badSkipped > 0)
        text +=
            "\n" + Files(static_cast<std::size_t>(tally.badSkipped)) + " judged \"Bad\" skipped.";
    if (!tally.failed.empty())
        text += "\n\n" + Files(tally.failed.size()) + " refused or failed:";
    return text;
}

} // namespace

BatchSummary SummaryOf(const BatchTally& tally) {
    BatchSummary summary{HeadOf(tally), {}, !tally.failed.empty()};
    summary.details.reserve(tally.failed.size());
    for (const auto& [source, reason] : tally.failed)
        summary.details.push_back(source + ": " + reason);
    return summary;
}

std::string NoFileManagerText(const std::string& folder) {
    return "No file manager is set up to open folders on this desktop.\n"
           "The converted files are in:\n" +
           folder;
}

std::string ScanCountsText(std::size_t files, std::size_t good) {
    return Files(files) + ", " + std::to_string(good) + " good";
}

} // namespace lyricast

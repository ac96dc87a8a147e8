#include "window/BatchSummary.h"

namespace lyricast {
namespace {

std::string Files(std::size_t count, const std::string& kind = {}) {
    return std::to_string(count) + " " + kind + (count == 1 ? "file" : "files");
}

std::string HeadOf(const BatchTally& tally) {
    std::string text = Files(static_cast<std::size_t>(tally.converted)) + " converted.";
    if (tally.stopped)
        text = "Stopped: " + text + " " + Files(static_cast<std::size_t>(tally.notStarted)) +
               " not converted.";
    if (!tally.replaced.empty())
        text += "\n" + Files(tally.replaced.size(), "existing ") + " replaced.";
    if (!tally.leftExisting.empty())
        text += "\n" + Files(tally.leftExisting.size(), "existing ") + " skipped.";
    if (tally.badSkipped > 0)
        text +=
            "\n" + Files(static_cast<std::size_t>(tally.badSkipped)) + " judged \"Bad\" skipped.";
    if (!tally.failed.empty())
        text += "\n\n" + Files(tally.failed.size()) + " refused or failed:";
    return text;
}

// A heading and the files below it, apart from what comes before.
void AddSection(std::vector<std::string>& details, const std::string& heading,
                const std::vector<std::string>& files) {
    if (files.empty())
        return;
    if (!details.empty())
        details.emplace_back();
    details.push_back(heading);
    details.insert(details.end(), files.begin(), files.end());
}

} // namespace

BatchSummary SummaryOf(const BatchTally& tally) {
    BatchSummary summary{HeadOf(tally), {}, !tally.failed.empty()};
    summary.details.reserve(tally.failed.size() + tally.replaced.size() +
                            tally.leftExisting.size() + 4);
    for (const auto& [source, reason] : tally.failed)
        summary.details.push_back(source + ": " + reason);
    AddSection(summary.details, "Existing files replaced:", tally.replaced);
    AddSection(summary.details, "Existing files skipped:", tally.leftExisting);
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

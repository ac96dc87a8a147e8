#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace lyricast {

// How a batch ended, and the word the window says about it.
struct BatchTally {
    int converted = 0;
    int badSkipped = 0; // selected rows the scan judged "Bad"
    int notStarted = 0; // files a stop left alone
    bool stopped = false;
    std::vector<std::pair<std::string, std::string>> failed = {}; // source and why
    std::vector<std::string> replaced = {};     // files that were there, written over
    std::vector<std::string> leftExisting = {}; // files that were there, left as they were
};

// The box at the end of a batch: its first lines ("3 files converted.", then
// the files that were there and were replaced or left, what was skipped or
// not started, then "N files refused or failed:"), and the details for a
// list that scrolls however long it is: the files refused or failed one per
// line with why, then under a heading of their own the files replaced, then
// those left; and whether the box warns rather than informs.
struct BatchSummary {
    std::string head;
    std::vector<std::string> details;
    bool warning = false;
};

BatchSummary SummaryOf(const BatchTally& tally);

// The summary's button that saves the batch's report.
inline constexpr const char* kSaveReportCaption = "Save &Report...";

// What the window says when the summary's folder cannot be shown.
std::string NoFileManagerText(const std::string& folder);

// "19 files, 18 good": what a scan found, for the status bar.
std::string ScanCountsText(std::size_t files, std::size_t good);

} // namespace lyricast

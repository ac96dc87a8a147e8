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
    std::vector<std::pair<std::string, std::string>> failed; // source and why
};

// "3 files converted.", then what was skipped, left or refused and why. At
// most `listed` failures are named one by one; the rest are counted.
std::string BatchSummaryText(const BatchTally& tally, std::size_t listed = 20);

// "19 files, 18 good": what a scan found, for the status bar.
std::string ScanCountsText(std::size_t files, std::size_t good);

} // namespace lyricast

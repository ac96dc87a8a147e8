#pragma once

#include "convert/ConversionPool.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace lyricast {

// One run of the convert button: the good rows selected, as jobs for the
// pool in list order, and what came of each. Results are written on the UI
// thread only, as the worker hands them over.
struct BatchRun {
    BatchRun(std::vector<ConversionJob> batchJobs, unsigned workers)
        : jobs(std::move(batchJobs)), results(jobs.size()), pool(workers) {}

    std::vector<ConversionJob> jobs;
    std::vector<ConversionResult> results;
    ConversionPool pool;
    std::optional<std::string> outputFolder; // when all go to one folder
    int selected = 0;                        // rows selected, good or not: the bar's maximum
    int badSkipped = 0;
    std::size_t delivered = 0;
    bool stopped = false;
};

} // namespace lyricast

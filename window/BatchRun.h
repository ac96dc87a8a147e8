#pragma once

#include "convert/BatchReport.h"
#include "convert/ConversionPool.h"
#include "convert/ExistingOutputs.h"
#include "window/BatchSummary.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace lyricast {

// One run of the convert button: the good rows selected, as jobs for the
// pool in list order, and what came of each. Results are written on the UI
// thread only, as the worker hands them over.
struct BatchRun {
    BatchRun(std::vector<ConversionJob> batchJobs, unsigned workers, std::uint64_t memory,
             const LyricStyle& style)
        : jobs(std::move(batchJobs)), results(jobs.size()), pool(workers, memory, style) {}

    std::vector<ConversionJob> jobs;
    std::vector<ConversionResult> results;
    ConversionPool pool;
    std::optional<std::string> outputFolder; // when all go to one folder
    // Each selected row in list order: its job, or the path of a row judged "Bad".
    std::vector<std::variant<std::size_t, std::string>> selection;
    IfOutputExists existing = IfOutputExists::Replace;
    bool ask = false;               // the user is asked about files that are there first
    std::optional<OutputPlan> plan; // the run as planned before asking
    int selected = 0;               // rows selected, good or not: the bar's maximum
    int badSkipped = 0;
    std::size_t delivered = 0;
    bool stopped = false;

    // How it ended, for the summary.
    BatchTally Tally() const;
    // A row for each row selected, in list order, for the report.
    std::vector<ReportRow> ReportRows() const;
};

} // namespace lyricast

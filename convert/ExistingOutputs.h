#pragma once

#include "convert/ConversionPool.h"

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

namespace lyricast {

// A run decided before any file is touched: for each job in list order, the
// refusal or the skip it gets (nothing when it is to be converted), and
// whether a file is at its output already.
struct OutputPlan {
    std::vector<std::optional<ConversionResult>> decided;
    std::vector<bool> exists;

    // The jobs to be converted over a file that is there, in list order.
    std::vector<std::size_t> Replacing() const;
};

// The clashes first (DecideOutputs), so an output this run would write twice
// is refused rather than found; then each output left is looked at once, as
// it is before the run writes anything, and kept or left by `existing`.
OutputPlan PlanOutputs(std::span<const ConversionJob> jobs, IfOutputExists existing);

// Skips every job that would replace a file, as a user who is asked and says no.
void LeaveExisting(OutputPlan& plan);

} // namespace lyricast

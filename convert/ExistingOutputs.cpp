#include "convert/ExistingOutputs.h"

#include "convert/OutputClaims.h"
#include "platform/FileIdentity.h"
#include "platform/FileTime.h"

namespace lyricast {
namespace {

// An output that is not older than its source is what converting it would give.
bool UpToDate(const ConversionJob& job) {
    const auto output = ModifiedTimeOf(*job.output);
    const auto source = ModifiedTimeOf(job.source);
    return output && source && *output >= *source;
}

bool Leaves(const ConversionJob& job, IfOutputExists existing) {
    switch (existing) {
    case IfOutputExists::Replace:
        return false;
    case IfOutputExists::Skip:
        return true;
    case IfOutputExists::Update:
        return UpToDate(job);
    }
    return false;
}

ConversionResult Left() {
    ConversionResult result;
    result.status = ConversionResult::Status::OutputExists;
    return result;
}

} // namespace

std::vector<std::size_t> OutputPlan::Replacing() const {
    std::vector<std::size_t> replacing;
    for (std::size_t index = 0; index < decided.size(); ++index)
        if (!decided[index] && exists[index])
            replacing.push_back(index);
    return replacing;
}

OutputPlan PlanOutputs(std::span<const ConversionJob> jobs, IfOutputExists existing) {
    OutputPlan plan{DecideOutputs(jobs), std::vector<bool>(jobs.size(), false)};
    for (std::size_t index = 0; index < jobs.size(); ++index) {
        if (plan.decided[index] || !IdentityOf(*jobs[index].output))
            continue;
        plan.exists[index] = true;
        if (Leaves(jobs[index], existing))
            plan.decided[index] = Left();
    }
    return plan;
}

void LeaveExisting(OutputPlan& plan) {
    for (const std::size_t index : plan.Replacing())
        plan.decided[index] = Left();
}

} // namespace lyricast

#include "window/BatchRun.h"

#include "convert/JobOutcome.h"

namespace lyricast {

BatchTally BatchRun::Tally() const {
    BatchTally tally;
    tally.badSkipped = badSkipped;
    tally.stopped = delivered < jobs.size();
    tally.notStarted = static_cast<int>(jobs.size() - delivered);
    for (std::size_t index = 0; index < delivered; ++index) {
        JobOutcome outcome = OutcomeOf(jobs, index, results[index]);
        switch (outcome.outcome) {
        case Outcome::Converted:
            ++tally.converted;
            if (results[index].replaced)
                tally.replaced.push_back(*jobs[index].output);
            break;
        case Outcome::Skipped:
            tally.leftExisting.push_back(*jobs[index].output);
            break;
        default:
            tally.failed.emplace_back(jobs[index].source, std::move(outcome.reason));
        }
    }
    return tally;
}

std::vector<ReportRow> BatchRun::ReportRows() const {
    std::vector<ReportRow> rows;
    rows.reserve(selection.size());
    for (const auto& entry : selection) {
        if (const std::string* bad = std::get_if<std::string>(&entry)) {
            rows.push_back({*bad, {}, Outcome::Bad, "judged \"Bad\" when it was listed", {}});
            continue;
        }
        const std::size_t index = std::get<std::size_t>(entry);
        if (index < delivered)
            rows.push_back(ReportRowOf(jobs, index, results[index]));
        else
            rows.push_back({jobs[index].source,
                            jobs[index].output.value_or(""),
                            Outcome::Skipped,
                            "the batch was stopped before it",
                            {}});
    }
    return rows;
}

} // namespace lyricast

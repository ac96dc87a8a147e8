#include "convert/JobOutcome.h"

#include "convert/ConversionReason.h"

namespace lyricast {
namespace {

using Status = ConversionResult::Status;

Outcome OutcomeOfStatus(Status status) {
    switch (status) {
    case Status::Converted:
        return Outcome::Converted;
    case Status::OutputExists:
        return Outcome::Skipped;
    case Status::NoOutputName:
    case Status::ReplacesSource:
    case Status::OutputTaken:
        return Outcome::Refused;
    case Status::NotLoaded:
        return Outcome::Bad;
    case Status::OutOfMemory:
    case Status::NotWritable:
    case Status::FileError:
        break;
    }
    return Outcome::Failed;
}

} // namespace

JobOutcome OutcomeOf(std::span<const ConversionJob> jobs, std::size_t index,
                     const ConversionResult& result) {
    const Outcome outcome = OutcomeOfStatus(result.status);
    if (outcome == Outcome::Converted)
        return {outcome, result.replaced ? "replaced the file that was there" : ""};
    return {outcome, FailureReason(jobs, index, result).value_or("")};
}

const char* OutcomeWord(Outcome outcome) {
    switch (outcome) {
    case Outcome::Converted:
        return "converted";
    case Outcome::Skipped:
        return "skipped";
    case Outcome::Refused:
        return "refused";
    case Outcome::Failed:
        return "failed";
    case Outcome::Bad:
        break;
    }
    return "bad";
}

} // namespace lyricast

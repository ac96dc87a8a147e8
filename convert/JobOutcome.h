#pragma once

#include "convert/ConversionPool.h"

#include <cstddef>
#include <span>
#include <string>

namespace lyricast {

// What came of one source, in the words of a report: converted, skipped (its
// output was there and was left), refused (before anything ran: no output
// name, or an output that would replace a source or another output), failed
// (the system or the memory said no), or bad (not a MIDI file one can read).
enum class Outcome { Converted, Skipped, Refused, Failed, Bad };

struct JobOutcome {
    Outcome outcome;
    std::string reason; // empty for a plain conversion
};

// The outcome of the job at `index` of a run, with why; a conversion that
// replaced a file that was there says so.
JobOutcome OutcomeOf(std::span<const ConversionJob> jobs, std::size_t index,
                     const ConversionResult& result);

// "converted", "skipped", "refused", "failed" or "bad".
const char* OutcomeWord(Outcome outcome);

} // namespace lyricast

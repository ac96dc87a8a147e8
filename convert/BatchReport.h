#pragma once

#include "convert/ConversionPool.h"
#include "convert/JobOutcome.h"

#include <cstddef>
#include <span>
#include <string>
#include <vector>

namespace lyricast {

// One source of a run as a report lists it: the source, its output (empty
// when it had none), what came of it, why, and what became of its lyrics.
struct ReportRow {
    std::string source;
    std::string output;
    Outcome outcome = Outcome::Converted;
    std::string reason;
    std::string lyrics;
};

// The row of the job at `index` of a run: the one place every cell of a
// converted source is filled.
ReportRow ReportRowOf(std::span<const ConversionJob> jobs, std::size_t index,
                      const ConversionResult& result);

// A report as CSV (RFC 4180): the header "source,output,result,reason,lyrics"
// and a row each, every line ended by CRLF, a field holding a comma, a quote
// or a line break quoted with its quotes doubled, all in UTF-8 whatever the
// system's encoding of names.
std::string ReportCsv(std::span<const ReportRow> rows);

// Writes the report to `path` through a temporary file in its folder. Raises
// FileError "Cannot create file" or "Cannot write file" with the system's reason.
void WriteReport(const std::string& path, std::span<const ReportRow> rows);

} // namespace lyricast

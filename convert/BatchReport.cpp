#include "convert/BatchReport.h"

#include "platform/FileIO.h"
#include "platform/Utf8.h"

#include <cstdint>

namespace lyricast {
namespace {

constexpr const char* kHeader = "source,output,result,reason,lyrics\r\n";

void AppendField(std::string& csv, const std::string& text) {
    const std::string utf8 = ValidUtf8(text);
    if (utf8.find_first_of(",\"\r\n") == std::string::npos) {
        csv += utf8;
        return;
    }
    csv += '"';
    for (const char c : utf8) {
        if (c == '"')
            csv += '"';
        csv += c;
    }
    csv += '"';
}

} // namespace

ReportRow ReportRowOf(std::span<const ConversionJob> jobs, std::size_t index,
                      const ConversionResult& result) {
    JobOutcome outcome = OutcomeOf(jobs, index, result);
    return {jobs[index].source,
            jobs[index].output.value_or(""),
            outcome.outcome,
            std::move(outcome.reason),
            {}};
}

std::string ReportCsv(std::span<const ReportRow> rows) {
    std::string csv = kHeader;
    for (const ReportRow& row : rows) {
        AppendField(csv, row.source);
        csv += ',';
        AppendField(csv, row.output);
        csv += ',';
        csv += OutcomeWord(row.outcome);
        csv += ',';
        AppendField(csv, row.reason);
        csv += ',';
        AppendField(csv, row.lyrics);
        csv += "\r\n";
    }
    return csv;
}

void WriteReport(const std::string& path, std::span<const ReportRow> rows) {
    const std::string csv = ReportCsv(rows);
    WriteFileReplacing(path,
                       std::span(reinterpret_cast<const std::uint8_t*>(csv.data()), csv.size()));
}

} // namespace lyricast

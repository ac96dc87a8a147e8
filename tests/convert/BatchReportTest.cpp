// A run's report: what came of each source, as CSV that any reader of
// RFC 4180 takes back field for field.
#include "convert/BatchReport.h"
#include "platform/FileError.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lyricast {
namespace {

using namespace test;
using Status = ConversionResult::Status;

const std::vector<ConversionJob> kJobs = {{"/k/a.kar", "/out/a.MID"}, {"/k/b.kar", "/out/b.MID"},
                                          {"/k/c.kar", "/out/c.MID"}, {"/k/d.kar", "/out/d.MID"},
                                          {"/k/e.kar", "/out/e.MID"}, {"/k/f", std::nullopt}};

ReportRow RowOf(std::size_t index, ConversionResult result) {
    return ReportRowOf(kJobs, index, result);
}

TEST(BatchReport, EachResultHasItsWordAndReason) {
    ConversionResult replaced;
    replaced.replaced = true;
    ConversionResult notMidi{Status::NotLoaded, kHeaderNotMidi, {}};
    ConversionResult full{Status::FileError, 0, "Cannot create file /out/e.MID: No space"};
    ConversionResult taken{Status::OutputTaken, 0, {}};
    const std::vector<ReportRow> rows = {
        RowOf(0, {}),      RowOf(1, replaced), RowOf(2, {Status::OutputExists, 0, {}}),
        RowOf(3, notMidi), RowOf(4, full),     RowOf(5, {Status::NoOutputName, 0, {}}),
        RowOf(1, taken)};
    EXPECT_EQ(ReportCsv(rows),
              "source,output,result,reason,lyrics\r\n"
              "/k/a.kar,/out/a.MID,converted,,\r\n"
              "/k/b.kar,/out/b.MID,converted,replaced the file that was there,\r\n"
              "/k/c.kar,/out/c.MID,skipped,/out/c.MID exists,\r\n"
              "/k/d.kar,/out/d.MID,bad,not a MIDI file,\r\n"
              "/k/e.kar,/out/e.MID,failed,Cannot create file /out/e.MID: No space,\r\n"
              "/k/f,,refused,\"its name has no \"\".\"\" to put .MID in place of\",\r\n"
              "/k/b.kar,/out/b.MID,refused,\"the output /out/b.MID is that of /k/a.kar, earlier "
              "in this run\",\r\n");
}

TEST(BatchReport, FieldsWithCommasQuotesOrLineBreaksAreQuoted) {
    const std::vector<ReportRow> rows = {
        {"a,b \"c\"\nd.kar", "x\r.MID", Outcome::Failed, "plain", {}}};
    EXPECT_EQ(ReportCsv(rows), "source,output,result,reason,lyrics\r\n"
                               "\"a,b \"\"c\"\"\nd.kar\",\"x\r.MID\",failed,plain,\r\n");
}

TEST(BatchReport, NamesAreWrittenInUtf8) {
    const std::vector<ReportRow> rows = {{"Caf\xc3\xa9.kar", {}, Outcome::Bad, {}, {}}};
    EXPECT_NE(ReportCsv(rows).find("Caf\xc3\xa9.kar,,bad,,"), std::string::npos);
    const std::vector<ReportRow> latin1 = {{"Caf\xe9.kar", {}, Outcome::Bad, {}, {}}};
    EXPECT_NE(ReportCsv(latin1).find("Caf\xef\xbf\xbd.kar"), std::string::npos)
        << "a byte that is no UTF-8 stands as U+FFFD";
}

TEST(BatchReport, IsWrittenWholeOrNotAtAll) {
    TempDir dir;
    const std::vector<ReportRow> rows = {RowOf(0, {})};
    WriteReport(dir / "report.csv", rows);
    const std::string csv = ReportCsv(rows);
    EXPECT_EQ(ReadBytes(dir / "report.csv"), std::vector<std::uint8_t>(csv.begin(), csv.end()));
    EXPECT_THROW(WriteReport(dir / "missing/report.csv", rows), FileError);
}

} // namespace
} // namespace lyricast

#include "cli/Kar2mid.h"

#include "Version.h"
#include "cli/Kar2midOptions.h"
#include "cli/LyricsCommands.h"
#include "cli/PrintableText.h"
#include "cli/ProgressLine.h"
#include "convert/BatchReport.h"
#include "convert/ConversionPool.h"
#include "convert/JobOutcome.h"
#include "convert/KeptTree.h"
#include "convert/MemoryBudget.h"
#include "convert/OutputNaming.h"
#include "platform/DriveRelativePath.h"
#include "platform/FileError.h"
#include "platform/FileIdentity.h"
#include "platform/FolderListing.h"
#include "scan/FileJudgement.h"
#include "scan/FolderWalk.h"

#include <vector>

namespace lyricast {
namespace {

std::string Printable(std::string_view text) {
    return PrintableText(text, PathRules::Native());
}

using PathVisit = std::function<void(const std::string&, const std::string&)>;

// A walk of one folder tree that hands every .KAR file, with its extension,
// to `visit`, and every folder it cannot read, with the reason, to `unreadable`.
// A drive-relative folder ("Y:") is walked from its drive's root, so that the
// names listed in it are joined to the folder they are in.
void WalkKaraokeFiles(const std::string& folder, bool recursive, const PathVisit& visit,
                      const PathVisit& unreadable) {
    FolderWalk walk(WalkHooks{[] {}, [recursive] { return recursive; }, [] { return false; }, visit,
                              unreadable},
                    PathRules::Native());
    walk.WalkFolder(FromDriveRoot(folder));
}

// The output folder without the separators it was typed with at its end, as
// the output name is joined to it with one ("./" gives "./x.MID"; "/" gives
// "/x.MID"); a drive-relative one ("Y:") spelled from its drive's root first.
std::optional<std::string> OutputFolder(const std::optional<std::string>& typed) {
    if (!typed)
        return std::nullopt;
    std::string folder = FromDriveRoot(*typed);
    while (!folder.empty() && PathRules::Native().IsSeparator(folder.back()) &&
           !PathRules::Native().IsRoot(folder))
        folder.pop_back();
    return folder;
}

// Converts every file the options name, in the order they are met. Files go
// to a pool of workers; what each came to is reported in that same order,
// so a run reads the same whatever the number of workers.
class ConversionRun {
public:
    ConversionRun(const Kar2midOptions& options, std::ostream& out, std::ostream& err,
                  bool progress, bool outputOnTerminal)
        : options_(options), outputFolder_(OutputFolder(options.outputDir)), out_(out), err_(err),
          progress_(err, progress), outputOnTerminal_(outputOnTerminal) {}

    int Run() {
        for (const std::string& path : options_.paths) {
            if (IsFolder(path))
                WalkKaraokeFiles(
                    path, options_.recursive,
                    [this, root = FromDriveRoot(path)](
                        const std::string& file, const std::string&) { AddFound(file, root); },
                    [this](const std::string& folder, const std::string& reason) {
                        items_.push_back({folder, reason, false});
                    });
            else if (!IdentityOf(path))
                items_.push_back({path, "no such file or folder", false});
            else
                AddJob(path, SourceFolderOf(path, PathRules::Native()));
        }
        const std::uint64_t memory = MemoryBudget::OfThisMachine();
        if (options_.jobs > kMostWorkers)
            err_ << "kar2mid: converting " << kMostWorkers
                 << " files at once, the most it does, rather than " << options_.jobs << "\n";
        ConversionPool(WorkersFor(options_.jobs, memory), memory, options_.lyricStyle)
            .Run(
                jobs_,
                [this](std::size_t index, const ConversionResult& result) {
                    ReportItemsBefore(jobItems_[index]);
                    Report(index, result);
                    nextItem_ = jobItems_[index] + 1;
                },
                options_.collection.ExistingRule());
        ReportItemsBefore(items_.size());
        progress_.Clear();
        out_ << converted_ << " converted, " << failed_ << " failed";
        if (skipped_ != 0)
            out_ << ", " << skipped_ << " skipped";
        out_ << '\n';
        const bool reported = WriteReportIfAsked();
        return failed_ == 0 && reported ? 0 : 1;
    }

private:
    // What the run met, in order: a job for the pool, or a path it already
    // knows the end of (missing, a folder it cannot read, or one to pass over).
    struct Item {
        std::string source;
        std::string reason;
        bool skipped;
    };

    // Without --recursive a folder named like a karaoke file is met as a file;
    // it is none, so it is passed over rather than counted as a failure.
    void AddFound(const std::string& file, const std::string& root) {
        if (IsFolder(file))
            return items_.push_back({file, "a folder", true});
        AddJob(file, root);
    }

    // `root`: the folder named that the source was found in, or the source's own.
    void AddJob(const std::string& source, const std::string& root) {
        jobItems_.push_back(items_.size());
        items_.push_back({source, {}, false});
        jobs_.push_back(JobFor(source, root));
    }

    // The source's output beside it, in the output folder, or with the tree
    // kept at its place below the output folder.
    ConversionJob JobFor(const std::string& source, const std::string& root) const {
        const PathRules& rules = PathRules::Native();
        if (!options_.collection.keepTree)
            return {source, OutputPathOf(source, outputFolder_, rules)};
        return {source, TreeOutputPathOf(source, root, *outputFolder_, rules), *outputFolder_};
    }

    // Reports the items up to `end` that are no job: every job among them was
    // delivered already, as the pool delivers in order.
    void ReportItemsBefore(std::size_t end) {
        for (; nextItem_ < end; ++nextItem_) {
            const Item& item = items_[nextItem_];
            if (item.reason.empty())
                continue; // a job: reported when the pool delivers it
            Record({item.source,
                    {},
                    item.skipped ? Outcome::Skipped : Outcome::Failed,
                    item.reason,
                    {}});
            if (item.skipped)
                Skip(item.source, item.reason);
            else
                Fail(item.source, item.reason);
        }
    }

    void Report(std::size_t index, const ConversionResult& result) {
        const ConversionJob& job = jobs_[index];
        Record(ReportRowOf(jobs_, index, result));
        const JobOutcome outcome = OutcomeOf(jobs_, index, result);
        if (outcome.outcome == Outcome::Skipped)
            return Skip(job.source, outcome.reason);
        if (outcome.outcome != Outcome::Converted)
            return Fail(job.source, outcome.reason);
        ++converted_;
        if (outputOnTerminal_)
            progress_.Clear();
        out_ << "converted: " << Printable(job.source) << " -> " << Printable(*job.output) << '\n';
        progress_.Update(converted_, failed_);
    }

    void Skip(const std::string& source, const std::string& reason) {
        ++skipped_;
        if (outputOnTerminal_)
            progress_.Clear();
        out_ << "skipped: " << Printable(source) << ": " << Printable(reason) << '\n';
    }

    void Fail(const std::string& source, const std::string& reason) {
        ++failed_;
        progress_.Clear();
        out_.flush();
        err_ << "failed: " << Printable(source) << ": " << Printable(reason) << '\n';
        progress_.Update(converted_, failed_);
    }

    void Record(ReportRow row) {
        if (options_.collection.report)
            reportRows_.push_back(std::move(row));
    }

    // False when the report was asked for and could not be written.
    bool WriteReportIfAsked() {
        if (!options_.collection.report)
            return true;
        try {
            WriteReport(*options_.collection.report, reportRows_);
            return true;
        } catch (const FileError& error) {
            err_ << "kar2mid: cannot write the report: " << Printable(error.Explained()) << '\n';
            return false;
        }
    }

    const Kar2midOptions& options_;
    const std::optional<std::string> outputFolder_;
    std::ostream& out_;
    std::ostream& err_;
    ProgressLine progress_;
    bool outputOnTerminal_;
    std::vector<Item> items_;
    std::vector<ConversionJob> jobs_;
    std::vector<std::size_t> jobItems_; // the item of each job
    std::size_t nextItem_ = 0;
    int converted_ = 0;
    int failed_ = 0;
    int skipped_ = 0;
    std::vector<ReportRow> reportRows_; // with --report, one a source in the order met
};

int ListFolders(const Kar2midOptions& options, std::ostream& out, std::ostream& err) {
    TSmfFile song;
    int status = 0;
    // The lines before it reach the reader first when both streams go to one place.
    const auto fail = [&](const std::string& path, const std::string& reason) {
        out.flush();
        err << "failed: " << Printable(path) << ": " << Printable(reason) << '\n';
        status = 1;
    };
    for (const std::string& folder : options.paths) {
        if (!IsFolder(folder)) {
            fail(folder, "not a folder");
            continue;
        }
        WalkKaraokeFiles(
            folder, options.recursive,
            [&](const std::string& path, const std::string& extension) {
                const Judgement judgement = JudgeFile(song, path);
                out << Printable(path) << '\t' << Printable(extension) << '\t'
                    << VerdictText(judgement.good) << '\t' << TrackCountText(judgement.trackCount);
                if (options.lyricsColumn)
                    out << '\t' << LyricsField(path, judgement, options.lyricStyle);
                out << '\n';
            },
            fail);
    }
    return status;
}

// A report that could never be written is said before a long run, not after it.
std::optional<std::string> ReportPlaceError(const CollectionOptions& collection) {
    if (!collection.report)
        return std::nullopt;
    const std::string& report = *collection.report;
    if (IsFolder(report))
        return "the report " + report + " is a folder";
    std::string folder = SourceFolderOf(report, PathRules::Native());
    if (folder.empty() || IsFolder(folder))
        return std::nullopt;
    if (!PathRules::Native().IsRoot(folder))
        folder.pop_back();
    return "the report's folder " + folder + " does not exist";
}

int RunMode(const Kar2midOptions& options, std::ostream& out, std::ostream& err, bool progress,
            bool outputOnTerminal) {
    switch (options.mode) {
    case Kar2midOptions::Mode::Help:
        out << kKar2midUsage;
        return 0;
    case Kar2midOptions::Mode::Version:
        out << "kar2mid (Lyricast Convert) " << kLyricastVersion << "\n";
        return 0;
    case Kar2midOptions::Mode::List:
        return ListFolders(options, out, err);
    case Kar2midOptions::Mode::PrintLyrics:
        return PrintLyrics(options, out, err);
    case Kar2midOptions::Mode::Convert:
        break;
    }
    // One word before any work, rather than the same failure for every file.
    if (options.outputDir && !IsFolder(*options.outputDir)) {
        err << "kar2mid: the output folder " << Printable(*options.outputDir)
            << (IdentityOf(*options.outputDir) ? " is not a folder\n" : " does not exist\n");
        return 2;
    }
    if (const auto error = ReportPlaceError(options.collection)) {
        err << "kar2mid: " << Printable(*error) << '\n';
        return 2;
    }
    return ConversionRun(options, out, err, progress, outputOnTerminal).Run();
}

} // namespace

int RunKar2mid(std::span<const std::string> args, std::ostream& out, std::ostream& err,
               bool progress, bool outputOnTerminal) {
    const ParsedOptions parsed = ParseKar2midOptions(args);
    if (!parsed.options) {
        err << "kar2mid: " << parsed.error << "\n\n" << kKar2midUsage;
        return 2;
    }
    const int status = RunMode(*parsed.options, out, err, progress, outputOnTerminal);
    // Lines that never reached their reader (a full disk, a closed pipe) are a failure too.
    if (!out.flush()) {
        err << "kar2mid: cannot write the standard output\n";
        return status == 0 ? 1 : status;
    }
    return status;
}

} // namespace lyricast

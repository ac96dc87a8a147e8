#include "cli/Kar2mid.h"

#include "cli/Kar2midOptions.h"
#include "cli/ProgressLine.h"
#include "convert/ConversionPool.h"
#include "convert/OutputNaming.h"
#include "platform/FolderListing.h"
#include "scan/FileJudgement.h"
#include "scan/FolderWalk.h"

#include <vector>

namespace lyricast {
namespace {

std::string LoadFailureReason(std::uint8_t headerResult) {
    switch (headerResult) {
    case kHeaderNotMidi: return "not a MIDI file";
    case kHeaderDamagedChunk: return "damaged track chunk header";
    default: return "not enough memory to read it";
    }
}

// A walk of one folder tree that hands every .KAR file to `visit`.
void WalkKaraokeFiles(const std::string& folder, bool recursive,
                      const std::function<void(const std::string&, const std::string&)>& visit) {
    FolderWalk walk(WalkHooks{[] {}, [recursive] { return recursive; }, [] { return false; }, visit},
                    PathRules::Native());
    walk.WalkFolder(folder);
}

class BatchRun {
public:
    BatchRun(const Kar2midOptions& options, std::ostream& out, std::ostream& err, bool progress,
             bool outputOnTerminal)
        : options_(options), out_(out), err_(err), progress_(err, progress), outputOnTerminal_(outputOnTerminal) {}

    int Run() {
        std::vector<ConversionJob> jobs;
        auto add = [&](const std::string& source) {
            jobs.push_back({source, OutputPathOf(source, options_.outputDir, PathRules::Native())});
        };
        for (const std::string& path : options_.paths) {
            if (IsFolder(path))
                WalkKaraokeFiles(path, options_.recursive,
                                 [&](const std::string& file, const std::string&) { add(file); });
            else
                add(path);
        }
        ConversionPool(options_.jobs)
            .Run(jobs, [&](std::size_t index, const ConversionResult& result) {
                Report(jobs[index], result);
            });
        progress_.Clear();
        out_ << converted_ << " converted, " << failed_ << " failed\n";
        return failed_ == 0 ? 0 : 1;
    }

private:
    void Report(const ConversionJob& job, const ConversionResult& result) {
        using Status = ConversionResult::Status;
        const std::string& source = job.source;
        switch (result.status) {
        case Status::Converted:
            break;
        case Status::NoOutputName:
            return Fail(source, "its name has no \".\" to put .MID in place of");
        case Status::ReplacesSource:
            return Fail(source, "the output " + *job.output + " would replace the source");
        case Status::OutputTaken:
            return Fail(source,
                        "the output " + *job.output + " is that of an earlier file of this run");
        case Status::NotLoaded:
            return Fail(source, LoadFailureReason(result.headerResult));
        case Status::NotWritable:
            return Fail(source, "a delta time is too large for a MIDI file");
        case Status::FileError:
            return Fail(source, result.error);
        }
        ++converted_;
        if (outputOnTerminal_)
            progress_.Clear();
        out_ << "converted: " << source << " -> " << *job.output << '\n';
        progress_.Update(converted_, failed_);
    }

    void Fail(const std::string& source, const std::string& reason) {
        ++failed_;
        progress_.Clear();
        out_.flush();
        err_ << "failed: " << source << ": " << reason << '\n';
        progress_.Update(converted_, failed_);
    }

    const Kar2midOptions& options_;
    std::ostream& out_;
    std::ostream& err_;
    ProgressLine progress_;
    bool outputOnTerminal_;
    int converted_ = 0;
    int failed_ = 0;
};

int ListFolders(const Kar2midOptions& options, std::ostream& out, std::ostream& err) {
    TSmfFile song;
    int status = 0;
    for (const std::string& folder : options.paths) {
        if (!IsFolder(folder)) {
            err << "failed: " << folder << ": not a folder\n";
            status = 1;
            continue;
        }
        WalkKaraokeFiles(folder, options.recursive, [&](const std::string& path, const std::string& extension) {
            const Judgement judgement = JudgeFile(song, path);
            out << path << '\t' << extension << '\t' << (judgement.good ? "Good" : "Bad") << '\t'
                << judgement.trackCount << '\n';
        });
    }
    return status;
}

} // namespace

int RunKar2mid(std::span<const std::string> args, std::ostream& out, std::ostream& err, bool progress,
               bool outputOnTerminal) {
    const ParsedOptions parsed = ParseKar2midOptions(args);
    if (!parsed.options) {
        err << "kar2mid: " << parsed.error << "\n\n" << kKar2midUsage;
        return 2;
    }
    const Kar2midOptions& options = *parsed.options;
    switch (options.mode) {
    case Kar2midOptions::Mode::Help: out << kKar2midUsage; return 0;
    case Kar2midOptions::Mode::Version: out << "kar2mid (Lyricast Convert) 2.1\n"; return 0;
    case Kar2midOptions::Mode::List: return ListFolders(options, out, err);
    case Kar2midOptions::Mode::Convert: break;
    }
    return BatchRun(options, out, err, progress, outputOnTerminal).Run();
}

} // namespace lyricast

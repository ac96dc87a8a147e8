#include "cli/Kar2mid.h"

#include "cli/Kar2midOptions.h"
#include "Version.h"
#include "cli/PrintableText.h"
#include "cli/ProgressLine.h"
#include "cli/WrittenOutputs.h"
#include "convert/ConvertSong.h"
#include "convert/OutputNaming.h"
#include "platform/FileError.h"
#include "platform/FileIdentity.h"
#include "platform/FolderListing.h"
#include "scan/FileJudgement.h"
#include "scan/FolderWalk.h"

namespace lyricast {
namespace {

constexpr const char* kOutOfMemory = "not enough memory to read it";

std::string LoadFailureReason(std::uint8_t headerResult) {
    switch (headerResult) {
    case kHeaderNotMidi:
        return "not a MIDI file";
    case kHeaderDamagedChunk:
        return "damaged track chunk header";
    default:
        return kOutOfMemory;
    }
}

std::string ReasonOf(const FileError& error) {
    return error.reason().empty() ? error.message() : error.message() + ": " + error.reason();
}

std::string Printable(std::string_view text) {
    return PrintableText(text, PathRules::Native());
}

// A walk of one folder tree that hands every .KAR file to `visit`.
void WalkKaraokeFiles(const std::string& folder, bool recursive,
                      const std::function<void(const std::string&, const std::string&)>& visit) {
    FolderWalk walk(
        WalkHooks{[] {}, [recursive] { return recursive; }, [] { return false; }, visit},
        PathRules::Native());
    walk.WalkFolder(folder);
}

// The output folder without the separators it was typed with at its end, as
// the output name is joined to it with one ("./" gives "./x.MID"; "/" gives "/x.MID").
std::optional<std::string> OutputFolder(const std::optional<std::string>& typed) {
    if (!typed)
        return std::nullopt;
    std::string folder = *typed;
    while (!folder.empty() && PathRules::Native().IsSeparator(folder.back()) &&
           PathRules::Native().DrivePart(folder).size() != folder.size())
        folder.pop_back();
    return folder;
}

class BatchRun {
public:
    BatchRun(const Kar2midOptions& options, std::ostream& out, std::ostream& err, bool progress,
             bool outputOnTerminal)
        : options_(options), outputFolder_(OutputFolder(options.outputDir)), out_(out), err_(err),
          progress_(err, progress), outputOnTerminal_(outputOnTerminal) {}

    int Run() {
        for (const std::string& path : options_.paths) {
            if (IsFolder(path))
                WalkKaraokeFiles(
                    path, options_.recursive,
                    [this](const std::string& file, const std::string&) { ConvertFound(file); });
            else if (!IdentityOf(path))
                Fail(path, "no such file or folder");
            else
                ConvertOne(path);
        }
        progress_.Clear();
        out_ << converted_ << " converted, " << failed_ << " failed";
        if (skipped_ != 0)
            out_ << ", " << skipped_ << " skipped";
        out_ << '\n';
        return failed_ == 0 ? 0 : 1;
    }

private:
    // Without --recursive a folder named like a karaoke file is met as a file;
    // it is none, so it is passed over rather than counted as a failure.
    void ConvertFound(const std::string& file) {
        if (IsFolder(file))
            return Skip(file, "a folder");
        ConvertOne(file);
    }

    void ConvertOne(const std::string& source) {
        const auto output = OutputPathOf(source, outputFolder_, PathRules::Native());
        if (!output)
            return Fail(source, "its name has no \".\" to put .MID in place of");
        const auto sourceId = IdentityOf(source);
        const auto outputId = IdentityOf(*output);
        if (*output == source || (outputId && outputId == sourceId))
            return Fail(source, "the output " + *output + " would replace the source");
        if (written_.Contains(*output))
            return Fail(source, "the output " + *output + " was already written by this run");

        ConvertOutcome outcome;
        try {
            outcome = ConvertSong(song_, source, *output);
        } catch (const FileError& error) {
            return Fail(source, ReasonOf(error));
        }
        if (outcome == ConvertOutcome::NotLoaded)
            return Fail(source, LoadFailureReason(song_.headerResult));
        if (outcome == ConvertOutcome::OutOfMemory)
            return Fail(source, kOutOfMemory);
        if (outcome == ConvertOutcome::NotWritable)
            return Fail(source, "a delta time is too large for a MIDI file");

        written_.Add(*output);
        ++converted_;
        if (outputOnTerminal_)
            progress_.Clear();
        out_ << "converted: " << Printable(source) << " -> " << Printable(*output) << '\n';
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

    const Kar2midOptions& options_;
    const std::optional<std::string> outputFolder_;
    std::ostream& out_;
    std::ostream& err_;
    ProgressLine progress_;
    bool outputOnTerminal_;
    TSmfFile song_;
    WrittenOutputs written_;
    int converted_ = 0;
    int failed_ = 0;
    int skipped_ = 0;
};

int ListFolders(const Kar2midOptions& options, std::ostream& out, std::ostream& err) {
    TSmfFile song;
    int status = 0;
    for (const std::string& folder : options.paths) {
        if (!IsFolder(folder)) {
            err << "failed: " << Printable(folder) << ": not a folder\n";
            status = 1;
            continue;
        }
        WalkKaraokeFiles(
            folder, options.recursive, [&](const std::string& path, const std::string& extension) {
                const Judgement judgement = JudgeFile(song, path);
                out << Printable(path) << '\t' << Printable(extension) << '\t'
                    << (judgement.good ? "Good" : "Bad") << '\t' << judgement.trackCount << '\n';
            });
    }
    return status;
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
    case Kar2midOptions::Mode::Convert:
        break;
    }
    // One word before any work, rather than the same failure for every file.
    if (options.outputDir && !IsFolder(*options.outputDir)) {
        err << "kar2mid: the output folder " << Printable(*options.outputDir)
            << " does not exist\n";
        return 2;
    }
    return BatchRun(options, out, err, progress, outputOnTerminal).Run();
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

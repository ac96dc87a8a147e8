#include "cli/Kar2midOptions.h"

#include <algorithm>
#include <charconv>

namespace lyricast {

const char* const kKar2midUsage =
    "Usage: kar2mid [--output-dir DIR [--keep-tree]] [--recursive] [--jobs N]\n"
    "               [--existing replace|skip | --update] [--report FILE] PATH...\n"
    "       kar2mid --list [--recursive] FOLDER...\n"
    "\n"
    "Converts karaoke files (.KAR) into standard MIDI files (.MID): every text\n"
    "event becomes a lyric event, and the song is saved as one track.\n"
    "\n"
    "  PATH              a file to convert (whatever its extension), or a folder\n"
    "                    whose .KAR files are converted\n"
    "  --output-dir DIR  write every .MID into DIR instead of beside its source\n"
    "  --recursive       also convert (or list) the .KAR files of sub-folders\n"
    "  -j, --jobs N      convert N files at once (default: one per core, fewer\n"
    "                    where memory is short; at most 64); the output is the\n"
    "                    same as with one\n"
    "  --keep-tree       write each .MID at the same place below DIR as its source\n"
    "                    is below the folder named (DIR/Rock/Queen/song.MID),\n"
    "                    making the folders it needs\n"
    "  --existing WHAT   what to do with an output that is there already: replace\n"
    "                    it (the default) or skip the source\n"
    "  --update          convert only a source whose output is missing or older\n"
    "                    than the source; skip the others\n"
    "  --report FILE     write FILE, a CSV table with a row for each source: its\n"
    "                    output, converted, skipped, refused, failed or bad, and why\n"
    "  --list            print each .KAR file with its verdict and track count\n"
    "  --help            show this text\n"
    "  --version         show the version\n"
    "\n"
    "Each file gets one line: \"converted: SOURCE -> OUTPUT\" or \"skipped: PATH: REASON\"\n"
    "(a folder met as a file, or \"OUTPUT exists\") on standard output, \"failed: SOURCE:\n"
    "REASON\" on standard error. --list prints PATH, extension, Good or Bad and the\n"
    "track count, separated by tabs. A folder that cannot be read gets \"failed:\n"
    "FOLDER: REASON\". In every path a control character is escaped (\\n, \\t, \\r, \\e\n"
    "or \\xHH), and so is a backslash (\\\\) except on Windows, where \\ separates folders.\n"
    "\n"
    "Exit status: 0 when every file converted (skipped ones aside), 1 when any file\n"
    "or folder failed or the output or the report could not be written, 2 for a\n"
    "usage error or an output folder (or the report's) that is missing or no folder.\n";

namespace {

// The value of an option given as "--name VALUE" or "--name=VALUE" at args[i],
// moving i past it; nothing when args[i] is not that option, an empty value
// with `error` set when the value is missing.
std::optional<std::string> OptionValue(std::span<const std::string> args, std::size_t& i,
                                       const std::string& name, std::string& error) {
    const std::string& arg = args[i];
    if (arg.starts_with(name + "="))
        return arg.substr(name.size() + 1);
    if (arg != name)
        return std::nullopt;
    if (i + 1 == args.size()) {
        error = "option " + name + " needs a value";
        return std::string();
    }
    return args[++i];
}

// --existing, --update, --keep-tree and --report: true when args[i] is one of
// them (i moved past its value), with `error` set when it is wrong.
bool ParseCollectionOption(std::span<const std::string> args, std::size_t& i,
                           CollectionOptions& options, std::string& error) {
    if (args[i] == "--update" || args[i] == "--keep-tree") {
        (args[i] == "--update" ? options.update : options.keepTree) = true;
        return true;
    }
    if (auto report = OptionValue(args, i, "--report", error)) {
        options.report = std::move(*report);
        return true;
    }
    const auto existing = OptionValue(args, i, "--existing", error);
    if (!existing)
        return false;
    if (*existing == "replace")
        options.existing = IfOutputExists::Replace;
    else if (*existing == "skip")
        options.existing = IfOutputExists::Skip;
    else if (error.empty())
        error = "--existing takes replace or skip, not " + *existing;
    return true;
}

// What is wrong with the collection options given together, or nothing.
std::optional<std::string> CollectionOptionsError(const Kar2midOptions& options, bool list) {
    const CollectionOptions& collection = options.collection;
    if (list &&
        (collection.existing || collection.update || collection.keepTree || collection.report))
        return "--list converts nothing, so it takes no --existing, --update, --keep-tree or "
               "--report";
    if (collection.existing && collection.update)
        return "--update decides about outputs that are there itself; give it or --existing";
    if (collection.keepTree && !options.outputDir)
        return "--keep-tree keeps the sub-folders below --output-dir, which is not given";
    if (collection.report && collection.report->empty())
        return "the report's file name is empty";
    return std::nullopt;
}

// A whole number from 1 to 1024, nothing else.
std::optional<unsigned> JobCount(const std::string& text) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 1 || value > 1024)
        return std::nullopt;
    return value;
}

} // namespace

ParsedOptions ParseKar2midOptions(std::span<const std::string> args) {
    Kar2midOptions options;
    bool list = false;
    bool onlyPaths = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (onlyPaths || arg.empty() || arg[0] != '-' || arg == "-") {
            options.paths.push_back(arg);
        } else if (arg == "--") {
            onlyPaths = true;
        } else if (arg == "--help" || arg == "-h") {
            options.mode = Kar2midOptions::Mode::Help;
            return {options, {}};
        } else if (arg == "--version") {
            options.mode = Kar2midOptions::Mode::Version;
            return {options, {}};
        } else if (arg == "--recursive" || arg == "-r") {
            options.recursive = true;
        } else if (arg == "--list") {
            list = true;
        } else if (arg == "--output-dir" || arg == "-o") {
            if (i + 1 == args.size())
                return {std::nullopt, "option " + arg + " needs a folder"};
            options.outputDir = args[++i];
        } else if (arg == "--jobs" || arg == "-j" || arg.starts_with("--jobs=")) {
            const bool inArg = arg.starts_with("--jobs=");
            if (!inArg && i + 1 == args.size())
                return {std::nullopt, "option " + arg + " needs a number"};
            const std::string count = inArg ? arg.substr(std::string("--jobs=").size()) : args[++i];
            const auto jobs = JobCount(count);
            if (!jobs)
                return {std::nullopt, "the number of jobs must be from 1 to 1024, not " + count};
            options.jobs = *jobs;
        } else if (arg.starts_with("--output-dir=")) {
            options.outputDir = arg.substr(std::string("--output-dir=").size());
        } else if (std::string error; ParseCollectionOption(args, i, options.collection, error)) {
            if (!error.empty())
                return {std::nullopt, error};
        } else {
            return {std::nullopt, "unknown option " + arg};
        }
    }
    if (list && options.outputDir)
        return {std::nullopt, "--list does not convert, so it takes no --output-dir"};
    if (options.outputDir && options.outputDir->empty())
        return {std::nullopt, "the output folder is empty"};
    if (auto error = CollectionOptionsError(options, list))
        return {std::nullopt, *error};
    if (options.paths.empty())
        return {std::nullopt, list ? "no folder to list" : "no file or folder to convert"};
    if (list)
        options.mode = Kar2midOptions::Mode::List;
    return {options, {}};
}

} // namespace lyricast

#include "cli/Kar2midOptions.h"

#include <algorithm>
#include <charconv>

namespace lyricast {

const char* const kKar2midUsage =
    "Usage: kar2mid [--output-dir DIR [--keep-tree]] [--recursive] [--jobs N]\n"
    "               [--lyric-style as-written|keyboard [--line-length N]]\n"
    "               [--existing replace|skip | --update] [--report FILE] PATH...\n"
    "       kar2mid --list [--recursive] [--lyrics [--lyric-style S [--line-length N]]]\n"
    "               FOLDER...\n"
    "       kar2mid --print-lyrics [--lyric-style S [--line-length N]] [--encoding NAME]\n"
    "               FILE\n"
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
    "  --lyric-style as-written\n"
    "                    every text event becomes a lyric event, \"\\\" a space and\n"
    "                    \"/\" a line break (the default)\n"
    "  --lyric-style keyboard\n"
    "                    the words as a keyboard shows lyrics: only the sung text,\n"
    "                    one stream of syllables, \"/\" and \"\\\" starting a syllable\n"
    "                    as line and paragraph breaks, the title as the track name\n"
    "                    and the end where the song ends\n"
    "  --line-length N   with keyboard: break a line longer than N characters\n"
    "                    before the word that passes N (0, the default: no limit)\n"
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
    "  --lyrics          with --list: also what the file's lyrics give in the lyric\n"
    "                    style (\"214 / 38 lines\", \"none\", \"tags only\"; \"(both)\"\n"
    "                    when text and lyric events are both there)\n"
    "  --print-lyrics    print the title and the lines of FILE's lyrics as the style\n"
    "                    shows them, in UTF-8; warnings go to standard error\n"
    "  --encoding NAME   with --print-lyrics: the code page the text is in: auto\n"
    "                    (the default: guessed), utf-8, cp1252, cp1250, cp1251,\n"
    "                    cp1253, cp1254, cp1258, cp874, shift-jis, gbk, big5, cp949\n"
    "  --help            show this text\n"
    "  --version         show the version\n"
    "\n"
    "Each file gets one line: \"converted: SOURCE -> OUTPUT\" or \"skipped: PATH: REASON\"\n"
    "(a folder met as a file, or \"OUTPUT exists\") on standard output, \"failed: SOURCE:\n"
    "REASON\" on standard error. --list prints PATH, extension, Good or Bad and the\n"
    "track count, separated by tabs. A folder that cannot be read gets \"failed:\n"
    "FOLDER: REASON\". In every path a control character is escaped (\\n, \\t, \\r, \\e\n"
    "or \\xHH), and so is a backslash (\\\\) except on Windows, where \\ separates folders.\n"
#ifdef _WIN32
    "\n"
    "Names are shown on a console in their own characters, whatever its code page;\n"
    "output redirected to a file or a pipe is UTF-8 text.\n"
#endif
    "\n"
    "Exit status: 0 when every file converted (skipped ones aside), 1 when any file\n"
    "or folder failed or the output or the report could not be written, 2 for a\n"
    "usage error or an output folder (or the report's) that is missing or no folder.\n";

namespace {

// A whole number from `least` to 1024, nothing else.
std::optional<unsigned> WholeNumber(const std::string& text, unsigned least) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < least || value > 1024)
        return std::nullopt;
    return value;
}

std::optional<LyricStyle::Kind> LyricStyleNamed(const std::string& name) {
    if (name == "as-written")
        return LyricStyle::Kind::AsWritten;
    if (name == "keyboard")
        return LyricStyle::Kind::Keyboard;
    return std::nullopt;
}

// An option with a value, as "NAME VALUE" or "NAME=VALUE" (or "SHORT VALUE").
struct ValueOption {
    bool given = false;               // args[i] is this option
    std::optional<std::string> value; // none when the line ends before it
};

ValueOption TakeValue(std::span<const std::string> args, std::size_t& i, const std::string& name,
                      const std::string& shortName = {}) {
    const std::string& arg = args[i];
    if (arg.starts_with(name + "="))
        return {true, arg.substr(name.size() + 1)};
    if (arg != name && (shortName.empty() || arg != shortName))
        return {};
    if (i + 1 == args.size())
        return {true, std::nullopt};
    return {true, args[++i]};
}

// --existing, --update, --keep-tree and --report: true when args[i] is one of
// them (i moved past its value), with `error` set when it is wrong.
bool ParseCollectionOption(std::span<const std::string> args, std::size_t& i,
                           CollectionOptions& options, std::string& error) {
    if (args[i] == "--update" || args[i] == "--keep-tree") {
        (args[i] == "--update" ? options.update : options.keepTree) = true;
        return true;
    }
    if (const ValueOption report = TakeValue(args, i, "--report"); report.given) {
        if (!report.value)
            error = "option --report needs a file";
        else
            options.report = *report.value;
        return true;
    }
    const ValueOption given = TakeValue(args, i, "--existing");
    if (!given.given)
        return false;
    if (!given.value) {
        error = "option --existing needs replace or skip";
        return true;
    }
    const std::string& existing = given.value.value();
    if (existing == "replace")
        options.existing = IfOutputExists::Replace;
    else if (existing == "skip")
        options.existing = IfOutputExists::Skip;
    else
        error = "--existing takes replace or skip, not " + existing;
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

// --lyrics goes with --list, --encoding with --print-lyrics, which converts
// nothing and lists nothing.
std::optional<std::string> LyricsOptionsError(const Kar2midOptions& options, bool list,
                                              bool printLyrics, bool encodingGiven) {
    if (options.lyricsColumn && !list)
        return "--lyrics goes only with --list";
    if (encodingGiven && !printLyrics)
        return "--encoding goes only with --print-lyrics";
    const CollectionOptions& collection = options.collection;
    const bool collectionGiven =
        collection.existing || collection.update || collection.keepTree || collection.report;
    if (printLyrics && (list || options.outputDir || options.recursive || collectionGiven))
        return std::string("--print-lyrics converts and lists nothing, so it takes no ") +
               (list                ? "--list"
                : options.outputDir ? "--output-dir"
                : options.recursive ? "--recursive"
                                    : "--existing, --update, --keep-tree or --report");
    return std::nullopt;
}

} // namespace

ParsedOptions ParseKar2midOptions(std::span<const std::string> args) {
    Kar2midOptions options;
    bool list = false;
    bool onlyPaths = false;
    bool styleGiven = false;
    bool lineLengthGiven = false;
    bool printLyrics = false;
    bool encodingGiven = false;
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
        } else if (arg == "--lyrics") {
            options.lyricsColumn = true;
        } else if (arg == "--print-lyrics") {
            printLyrics = true;
        } else if (const ValueOption encoding = TakeValue(args, i, "--encoding"); encoding.given) {
            if (!encoding.value)
                return {std::nullopt, "option " + arg + " needs a code page"};
            const auto page = CodePageOfKey(*encoding.value);
            if (!page)
                return {std::nullopt, "unknown encoding " + *encoding.value};
            options.encoding = *page;
            encodingGiven = true;
        } else if (arg == "--output-dir" || arg == "-o") {
            if (i + 1 == args.size())
                return {std::nullopt, "option " + arg + " needs a folder"};
            options.outputDir = args[++i];
        } else if (const ValueOption jobs = TakeValue(args, i, "--jobs", "-j"); jobs.given) {
            if (!jobs.value)
                return {std::nullopt, "option " + arg + " needs a number"};
            const auto count = WholeNumber(*jobs.value, 1);
            if (!count)
                return {std::nullopt,
                        "the number of jobs must be from 1 to 1024, not " + *jobs.value};
            options.jobs = *count;
        } else if (const ValueOption style = TakeValue(args, i, "--lyric-style"); style.given) {
            if (!style.value)
                return {std::nullopt, "option " + arg + " needs a style"};
            const auto kind = LyricStyleNamed(*style.value);
            if (!kind)
                return {std::nullopt,
                        "the lyric style must be as-written or keyboard, not " + *style.value};
            options.lyricStyle.kind = *kind;
            styleGiven = true;
        } else if (const ValueOption length = TakeValue(args, i, "--line-length"); length.given) {
            if (!length.value)
                return {std::nullopt, "option " + arg + " needs a number"};
            const auto longest = WholeNumber(*length.value, 0);
            if (!longest)
                return {std::nullopt,
                        "the line length must be from 0 to 1024, not " + *length.value};
            options.lyricStyle.lineLength = *longest;
            lineLengthGiven = true;
        } else if (arg.starts_with("--output-dir=")) {
            options.outputDir = arg.substr(std::string("--output-dir=").size());
        } else if (std::string error; ParseCollectionOption(args, i, options.collection, error)) {
            if (!error.empty())
                return {std::nullopt, error};
        } else {
            return {std::nullopt, "unknown option " + arg};
        }
    }
    if (auto error = LyricsOptionsError(options, list, printLyrics, encodingGiven))
        return {std::nullopt, *error};
    if (list && (options.outputDir || ((styleGiven || lineLengthGiven) && !options.lyricsColumn)))
        return {std::nullopt, std::string("--list does not convert, so it takes no ") +
                                  (options.outputDir ? "--output-dir"
                                   : styleGiven      ? "--lyric-style without --lyrics"
                                                     : "--line-length without --lyrics")};
    if (lineLengthGiven && options.lyricStyle.kind != LyricStyle::Kind::Keyboard)
        return {std::nullopt, "--line-length goes only with --lyric-style keyboard"};
    if (options.outputDir && options.outputDir->empty())
        return {std::nullopt, "the output folder is empty"};
    if (auto error = CollectionOptionsError(options, list))
        return {std::nullopt, *error};
    if (options.paths.empty())
        return {std::nullopt, list ? "no folder to list" : "no file or folder to convert"};
    if (printLyrics && options.paths.size() != 1)
        return {std::nullopt, "--print-lyrics prints the lyrics of one file"};
    if (list)
        options.mode = Kar2midOptions::Mode::List;
    if (printLyrics)
        options.mode = Kar2midOptions::Mode::PrintLyrics;
    return {options, {}};
}

} // namespace lyricast

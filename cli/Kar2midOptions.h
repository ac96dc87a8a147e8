#pragma once

#include "convert/ConversionPool.h"
#include "convert/LyricStyle.h"
#include "platform/DisplayText.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace lyricast {

// What a run over a collection does besides converting: with outputs that
// are there before it, with the folder tree, and the report it writes.
struct CollectionOptions {
    std::optional<IfOutputExists> existing; // --existing replace|skip
    bool update = false;                    // --update
    bool keepTree = false;                  // --keep-tree
    std::optional<std::string> report;      // --report FILE

    IfOutputExists ExistingRule() const {
        return update ? IfOutputExists::Update : existing.value_or(IfOutputExists::Replace);
    }
};

struct Kar2midOptions {
    enum class Mode { Convert, List, PrintLyrics, Help, Version };
    Mode mode = Mode::Convert;
    bool recursive = false;
    std::optional<std::string> outputDir;
    unsigned jobs = 0; // files converted at once; 0: one per core, fewer where memory is short
    LyricStyle lyricStyle;
    bool lyricsColumn = false;          // --list --lyrics
    CodePage encoding = CodePage::Auto; // --print-lyrics --encoding NAME
    std::vector<std::string> paths;
    CollectionOptions collection;
};

// The options, or the reason the command line is wrong.
struct ParsedOptions {
    std::optional<Kar2midOptions> options;
    std::string error;
};

ParsedOptions ParseKar2midOptions(std::span<const std::string> args);

extern const char* const kKar2midUsage;

} // namespace lyricast

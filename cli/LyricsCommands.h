#pragma once

#include "cli/Kar2midOptions.h"
#include "scan/FileJudgement.h"

#include <ostream>
#include <string>

namespace lyricast {

// The fifth column of --list --lyrics: what a good file's lyrics give in
// `style`; empty for a bad file, or one that cannot be read whole.
std::string LyricsField(const std::string& path, const Judgement& judgement,
                        const LyricStyle& style);

// kar2mid --print-lyrics FILE: the title, an empty line and the lines, in
// UTF-8, on `out`; the warnings on `err`. 1 when the file cannot be read.
int PrintLyrics(const Kar2midOptions& options, std::ostream& out, std::ostream& err);

} // namespace lyricast

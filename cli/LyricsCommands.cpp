#include "cli/LyricsCommands.h"

#include "cli/PrintableText.h"
#include "convert/LyricsPreview.h"

namespace lyricast {
namespace {

// The song's text may hold anything, a terminal's escapes too.
std::string Printable(const std::string& utf8) {
    return PrintableText(utf8, PathRules::Native());
}

} // namespace

std::string LyricsField(const std::string& path, const Judgement& judgement,
                        const LyricStyle& style) {
    if (!judgement.good)
        return {};
    const auto preview = PreviewLyricsOf(path, style);
    return preview ? LyricsColumnText(*preview) : kUnreadableLyricsText;
}

int PrintLyrics(const Kar2midOptions& options, std::ostream& out, std::ostream& err) {
    const std::string& path = options.paths.front();
    const auto preview = PreviewLyricsOf(path, options.lyricStyle);
    if (!preview) {
        err << "failed: " << Printable(path) << ": cannot be read as a MIDI file\n";
        return 1;
    }
    const DecodedLyrics decoded = DecodeLyrics(*preview, options.encoding);
    out << Printable(decoded.title) << "\n\n";
    for (const std::string& line : decoded.lines)
        out << Printable(line) << '\n';
    out.flush();
    for (const std::string& warning : LyricsWarnings(*preview, options.lyricStyle))
        err << "warning: " << warning << '\n';
    if (!decoded.valid)
        err << "warning: " << NotDecodedWarning(decoded.page) << '\n';
    return out ? 0 : 1;
}

} // namespace lyricast

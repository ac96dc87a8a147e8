#include "cli/LyricsCommands.h"

#include "cli/PrintableText.h"
#include "convert/LyricsPreview.h"

namespace lyricast {
namespace {

// The song's text may hold anything, a terminal's escapes too.
std::string Shown(std::string_view bytes, CodePage page, bool& valid) {
    const DisplayText text = DecodeForDisplay(bytes, page);
    valid = valid && text.valid;
    return PrintableText(text.utf8, PathRules::Native());
}

} // namespace

std::string LyricsField(const std::string& path, const Judgement& judgement,
                        const LyricStyle& style) {
    if (!judgement.good)
        return {};
    const auto preview = PreviewLyricsOf(path, style);
    return preview ? LyricsColumnText(*preview) : std::string();
}

int PrintLyrics(const Kar2midOptions& options, std::ostream& out, std::ostream& err) {
    const std::string& path = options.paths.front();
    const auto preview = PreviewLyricsOf(path, options.lyricStyle);
    if (!preview) {
        err << "failed: " << PrintableText(path, PathRules::Native())
            << ": cannot be read as a MIDI file\n";
        return 1;
    }
    const CodePage page =
        options.encoding == CodePage::Auto ? GuessLyricsCodePage(*preview) : options.encoding;
    bool valid = true;
    out << Shown(preview->title, page, valid) << "\n\n";
    for (const std::string& line : preview->lines)
        out << Shown(line, page, valid) << '\n';
    out.flush();
    for (const std::string& warning : LyricsWarnings(*preview, options.lyricStyle))
        err << "warning: " << warning << '\n';
    if (!valid)
        err << "warning: Some of the text is not valid in " << CodePageCaption(page)
            << "; it shows as U+FFFD.\n";
    return out ? 0 : 1;
}

} // namespace lyricast

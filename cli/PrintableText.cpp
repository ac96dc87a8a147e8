#include "cli/PrintableText.h"

namespace lyricast {

std::string PrintableText(std::string_view text, const PathRules& rules) {
    if (rules.IsSeparator('\\'))
        return std::string(text);
    std::string printable;
    printable.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '\\':
            printable += "\\\\";
            break;
        case '\n':
            printable += "\\n";
            break;
        case '\t':
            printable += "\\t";
            break;
        default:
            printable += c;
        }
    }
    return printable;
}

} // namespace lyricast

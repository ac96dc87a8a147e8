#include "cli/PrintableText.h"

namespace lyricast {
namespace {

bool IsControl(unsigned char byte) {
    return byte < 0x20 || byte == 0x7f;
}

// The two bytes of U+0080 to U+009F in UTF-8.
bool IsUtf8C1Control(std::string_view text, std::size_t at) {
    return static_cast<unsigned char>(text[at]) == 0xc2 && at + 1 < text.size() &&
           (static_cast<unsigned char>(text[at + 1]) & 0xe0) == 0x80;
}

void AppendHex(std::string& printable, unsigned char byte) {
    constexpr const char* kDigits = "0123456789abcdef";
    printable += "\\x";
    printable += kDigits[byte >> 4];
    printable += kDigits[byte & 0x0f];
}

void AppendControl(std::string& printable, unsigned char byte) {
    switch (byte) {
    case '\n':
        printable += "\\n";
        break;
    case '\t':
        printable += "\\t";
        break;
    case '\r':
        printable += "\\r";
        break;
    case 0x1b:
        printable += "\\e";
        break;
    default:
        AppendHex(printable, byte);
    }
}

} // namespace

std::string PrintableText(std::string_view text, const PathRules& rules) {
    const bool backslashSeparates = rules.IsSeparator('\\');
    std::string printable;
    printable.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (IsControl(byte)) {
            AppendControl(printable, byte);
        } else if (byte == '\\' && !backslashSeparates) {
            printable += "\\\\";
        } else if (IsUtf8C1Control(text, at)) {
            AppendHex(printable, byte);
            AppendHex(printable, static_cast<unsigned char>(text[++at]));
        } else {
            printable += text[at];
        }
    }
    return printable;
}

} // namespace lyricast

#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace lyricast {

// The code pages a song's text may be shown in. Text is decoded for showing
// only: its bytes never change.
enum class CodePage {
    Auto,
    Utf8,
    Western1252,
    CentralEuropean1250,
    Cyrillic1251,
    Greek1253,
    Turkish1254,
    Vietnamese1258,
    Thai874,
    ShiftJis,
    Gbk,
    Big5,
    Korean,
};

// Every code page, Auto first, in the order a user picks from.
std::span<const CodePage> DisplayCodePages();
// "Auto", "UTF-8", "Western (1252)", "Cyrillic (1251)", ...
std::string CodePageCaption(CodePage page);
// How settings and kar2mid spell it: "auto", "utf-8", "cp1252", "shift-jis", "big5", ...
std::string CodePageKey(CodePage page);
std::optional<CodePage> CodePageOfKey(std::string_view key);

struct DisplayText {
    std::string utf8;
    bool valid = true; // every byte decoded to a character
};

// The text in UTF-8; a byte that decodes to no character (or to a control
// of the C1 range or a private-use character, which no text shows) becomes
// U+FFFD. Auto decodes in the page GuessCodePage finds.
DisplayText DecodeForDisplay(std::string_view bytes, CodePage page);

} // namespace lyricast

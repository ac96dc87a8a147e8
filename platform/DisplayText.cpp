#include "platform/DisplayText.h"

#include "platform/CodePageGuess.h"
#include "platform/SystemDecoding.h"
#include "platform/Utf8.h"

#include <array>

namespace lyricast {
namespace {

struct PageName {
    CodePage page;
    const char* caption;
    const char* key;
};

constexpr std::array kPageNames{
    PageName{CodePage::Auto, "Auto", "auto"},
    PageName{CodePage::Utf8, "UTF-8", "utf-8"},
    PageName{CodePage::Western1252, "Western (1252)", "cp1252"},
    PageName{CodePage::CentralEuropean1250, "Central European (1250)", "cp1250"},
    PageName{CodePage::Cyrillic1251, "Cyrillic (1251)", "cp1251"},
    PageName{CodePage::Greek1253, "Greek (1253)", "cp1253"},
    PageName{CodePage::Turkish1254, "Turkish (1254)", "cp1254"},
    PageName{CodePage::Vietnamese1258, "Vietnamese (1258)", "cp1258"},
    PageName{CodePage::Thai874, "Thai (874, TIS-620)", "cp874"},
    PageName{CodePage::ShiftJis, "Japanese (Shift-JIS)", "shift-jis"},
    PageName{CodePage::Gbk, "Simplified Chinese (GBK)", "gbk"},
    PageName{CodePage::Big5, "Traditional Chinese (Big5)", "big5"},
    PageName{CodePage::Korean, "Korean (949)", "cp949"},
};

constexpr std::array kPages = [] {
    std::array<CodePage, kPageNames.size()> pages{};
    for (std::size_t i = 0; i < pages.size(); ++i)
        pages[i] = kPageNames[i].page;
    return pages;
}();

const PageName& NameOf(CodePage page) {
    return kPageNames[static_cast<std::size_t>(page)];
}

// C1 controls and private-use characters are what a converter gives bytes
// that the page leaves undefined; no text shows them.
bool Shown(char32_t c) {
    return !(c >= 0x80 && c <= 0x9F) && !(c >= 0xE000 && c <= 0xF8FF);
}

DisplayText Checked(const std::string& decoded) {
    DisplayText text;
    text.utf8.reserve(decoded.size());
    std::string_view rest = decoded;
    while (!rest.empty()) {
        const auto c = DecodeUtf8(rest);
        const std::size_t length = c ? c->length : 1;
        const char32_t point = c && Shown(c->codePoint) ? c->codePoint : 0xFFFD;
        text.valid = text.valid && point != 0xFFFD;
        AppendUtf8(text.utf8, point);
        rest.remove_prefix(length);
    }
    return text;
}

} // namespace

std::span<const CodePage> DisplayCodePages() {
    return kPages;
}

std::string CodePageCaption(CodePage page) {
    return NameOf(page).caption;
}

std::string CodePageKey(CodePage page) {
    return NameOf(page).key;
}

std::optional<CodePage> CodePageOfKey(std::string_view key) {
    for (const PageName& name : kPageNames)
        if (key == name.key)
            return name.page;
    return std::nullopt;
}

DisplayText DecodeForDisplay(std::string_view bytes, CodePage page) {
    if (page == CodePage::Auto)
        page = GuessCodePage(bytes);
    if (page == CodePage::Utf8)
        return Checked(ValidUtf8(bytes));
    return Checked(DecodeWithSystem(bytes, page));
}

} // namespace lyricast

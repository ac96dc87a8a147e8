#include "platform/CodePageGuess.h"

#include "platform/Utf8.h"

#include <algorithm>
#include <array>
#include <vector>

namespace lyricast {
namespace {

enum class Script { None, Latin, Greek, Cyrillic, Thai, Cjk, HalfwidthKana, Hangul };

enum class Kind { Other, Letter, Mark, Punctuation, Symbol, Replacement };

struct CharClass {
    Kind kind = Kind::Other;
    Script script = Script::None;
    bool upper = false;
};

bool In(char32_t c, char32_t first, char32_t last) {
    return c >= first && c <= last;
}

// In the Latin blocks and the Cyrillic extensions, capitals and small
// letters mostly alternate, capitals first.
bool EvenUpper(char32_t c) {
    return c % 2 == 0;
}

CharClass ClassOfLatin(char32_t c) {
    if (c == 0xD7 || c == 0xF7)
        return {Kind::Symbol, Script::None, false};
    if (In(c, 0xC0, 0xFF))
        return {Kind::Letter, Script::Latin, c < 0xDF};
    return {Kind::Letter, Script::Latin, EvenUpper(c)};
}

CharClass ClassOf(char32_t c) {
    if (In(c, 'A', 'Z') || In(c, 'a', 'z'))
        return {Kind::Letter, Script::Latin, c <= 'Z'};
    if (c < 0x80)
        return {};
    if (c == 0xFFFD)
        return {Kind::Replacement, Script::None, false};
    if (In(c, 0xC0, 0x24F) || In(c, 0x1E00, 0x1EFF))
        return ClassOfLatin(c);
    if (In(c, 0x300, 0x36F))
        return {Kind::Mark, Script::None, false};
    if (In(c, 0x386, 0x3FF))
        return {Kind::Letter, Script::Greek, c < 0x3AC};
    if (In(c, 0x400, 0x4FF))
        return {Kind::Letter, Script::Cyrillic, c < 0x430 || (c >= 0x460 && EvenUpper(c))};
    if (In(c, 0xE01, 0xE3A) || In(c, 0xE40, 0xE4E))
        return {Kind::Letter, Script::Thai, false};
    if (In(c, 0x3041, 0x30FF) || In(c, 0x3400, 0x4DBF) || In(c, 0x4E00, 0x9FFF) ||
        In(c, 0xF900, 0xFAFF))
        return {Kind::Letter, Script::Cjk, false};
    if (In(c, 0xFF66, 0xFF9F))
        return {Kind::Letter, Script::HalfwidthKana, false};
    if (In(c, 0xAC00, 0xD7A3) || In(c, 0x1100, 0x11FF) || In(c, 0x3131, 0x318E))
        return {Kind::Letter, Script::Hangul, false};
    if (c == 0xA0 || In(c, 0x2010, 0x2027) || In(c, 0x3000, 0x3040) || In(c, 0xFF01, 0xFF65))
        return {Kind::Punctuation, Script::None, false};
    return {Kind::Symbol, Script::None, false};
}

// Letters of the Latin script that a run of them makes no less likely:
// Vietnamese holds several in one word.
bool Vietnamese(char32_t c) {
    return In(c, 0x1EA0, 0x1EF9) || c == 0x102 || c == 0x103 || c == 0x110 || c == 0x111 ||
           c == 0x1A0 || c == 0x1A1 || c == 0x1AF || c == 0x1B0;
}

// Icelandic letters, which text in other languages written in the
// Western page never holds, where the Turkish page has its own.
bool Icelandic(char32_t c) {
    return c == 0xD0 || c == 0xDD || c == 0xDE || c == 0xF0 || c == 0xFD || c == 0xFE;
}

// Characters that most Chinese and Japanese song texts are full of, in the
// simplified and the traditional forms, and kanji of Japanese songs: a text
// decoded in the wrong one of the Chinese pages is made of rare ones.
constexpr std::string_view kCommonHan =
    "的一是不了在人有我他这這个個们們中来來上大为為和国國地到以说說时時要就出会會可也你"
    "对對生能而子那得于於着著下自之年过過发發后後作里裡用道行所然家种種事成方多经經么麼"
    "去法学學如都同现現当當没沒动動面起看定天分还還进進好小部其些主样樣理心她本前开開但"
    "因只从從想实實日月星风風花雪雨夜海空爱愛梦夢情泪淚笑哭痛忘记記等待相信未今晚思念歌"
    "唱语語言身边邊路春夏秋冬永远遠谁誰把被最每果啊呀吧啦呢哦它世界光明美声聲无無给給让"
    "讓吗嗎很再见見知己手回走飞飛私君僕涙間心夢";

const std::vector<char32_t>& CommonHan() {
    static const std::vector<char32_t> set = [] {
        std::vector<char32_t> points;
        std::string_view rest = kCommonHan;
        while (const auto c = DecodeUtf8(rest)) {
            points.push_back(c->codePoint);
            rest.remove_prefix(c->length);
        }
        std::sort(points.begin(), points.end());
        return points;
    }();
    return set;
}

bool CommonHanChar(char32_t c) {
    return std::binary_search(CommonHan().begin(), CommonHan().end(), c);
}

bool IsKana(char32_t c) {
    return In(c, 0x3041, 0x30FF);
}

// Greek marks the stressed vowel of nearly every word.
bool StressedGreek(char32_t c) {
    return In(c, 0x3AC, 0x3AF) || In(c, 0x3CC, 0x3CE);
}

// Thai vowel and tone marks sit on a consonant (or on the mark before).
bool ThaiMark(char32_t c) {
    return c == 0xE31 || In(c, 0xE34, 0xE3A) || In(c, 0xE47, 0xE4E);
}

// Chinese and Japanese text is full of common characters and kana, where
// text decoded in the wrong page holds rare characters, whatever their order.
int CjkScore(char32_t c) {
    if (IsKana(c))
        return 3;
    return CommonHanChar(c) ? 6 : 0;
}

// Letters only Vietnamese writes, in no other page's language.
bool OnlyVietnamese(char32_t c) {
    return c == 0x1A0 || c == 0x1A1 || c == 0x1AF || c == 0x1B0;
}

int LatinRunScore(char32_t c, char32_t before) {
    if (c < 0x80 || before < 0x80)
        return c < 0x80 ? 0 : 1;
    return Vietnamese(c) || Vietnamese(before) ? 1 : -1;
}

// A letter's worth after what came before it: a letter continuing a word of
// its own script reads like text, one that changes the script or the case
// in mid-word does not.
int LetterScore(char32_t c, const CharClass& is, char32_t before, const CharClass& was) {
    const bool continues = was.kind == Kind::Letter;
    if (continues && was.script != is.script)
        return -4;
    switch (is.script) {
    case Script::Cjk:
        return CjkScore(c);
    case Script::Hangul:
        return continues ? 5 : 2;
    case Script::HalfwidthKana:
        return 1;
    case Script::Thai:
        if (ThaiMark(c))
            return was.script == Script::Thai && !In(before, 0xE40, 0xE44) ? 2 : -3;
        return continues ? 2 : 1;
    default:
        break;
    }
    const int caseScore = continues && !was.upper && is.upper ? -3 : 0;
    if (is.script == Script::Latin)
        return caseScore + (OnlyVietnamese(c) ? 2 : 0) + (continues ? LatinRunScore(c, before) : 0);
    // A final sigma ends its word.
    if (continues && before == 0x3C2)
        return -4;
    const int stress = StressedGreek(c) ? 1 : 0;
    return caseScore + stress + (continues ? 2 : 1);
}

int CharScore(char32_t c, const CharClass& is, char32_t before, const CharClass& was) {
    switch (is.kind) {
    case Kind::Replacement:
        return -10;
    case Kind::Symbol:
        return -3;
    case Kind::Mark:
        return was.kind == Kind::Letter && was.script == Script::Latin ? 2 : -3;
    case Kind::Letter: {
        int score = LetterScore(c, is, before, was);
        if (Icelandic(c))
            score -= 1;
        return score;
    }
    default:
        return 0;
    }
}

// How much the decoded text reads like text in some language.
long Plausibility(std::string_view utf8) {
    long score = 0;
    char32_t before = ' ';
    CharClass was;
    while (!utf8.empty()) {
        const auto c = DecodeUtf8(utf8);
        const char32_t point = c ? c->codePoint : 0xFFFD;
        utf8.remove_prefix(c ? c->length : 1);
        const CharClass is = ClassOf(point);
        score += CharScore(point, is, before, was);
        // A mark belongs to the letter before it.
        if (is.kind != Kind::Mark) {
            before = point;
            was = is;
        }
    }
    return score;
}

// The double-byte pages put what most texts hold in one part of their
// range (the Korean and Chinese national sets, with second bytes from A1);
// what lies outside it, the pages' extensions of rare characters, is what
// text written in another page mostly decodes to.
bool RarePair(CodePage page, std::uint8_t lead, std::uint8_t trail) {
    if (page == CodePage::Korean)
        return lead <= 0xC6 && trail < 0xA1;
    if (page == CodePage::Gbk)
        return lead <= 0xA0 || trail < 0xA1;
    return false;
}

long RarePairs(std::string_view bytes, CodePage page) {
    long count = 0;
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
        const auto lead = static_cast<std::uint8_t>(bytes[i]);
        if (lead < 0x81)
            continue;
        count += RarePair(page, lead, static_cast<std::uint8_t>(bytes[i + 1])) ? 1 : 0;
        ++i;
    }
    return count;
}

} // namespace

CodePage GuessCodePage(std::string_view bytes) {
    if (ValidUtf8(bytes) == bytes)
        return CodePage::Utf8;
    CodePage best = CodePage::Western1252;
    long bestScore = 0;
    bool first = true;
    for (const CodePage page : DisplayCodePages()) {
        if (page == CodePage::Auto || page == CodePage::Utf8)
            continue;
        const long score =
            Plausibility(DecodeForDisplay(bytes, page).utf8) - 6 * RarePairs(bytes, page);
        if (first || score > bestScore) {
            best = page;
            bestScore = score;
            first = false;
        }
    }
    return best;
}

} // namespace lyricast

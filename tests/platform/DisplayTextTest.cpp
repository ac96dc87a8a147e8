#include "platform/DisplayText.h"
#include "platform/CodePageGuess.h"

#include <gtest/gtest.h>

#include <set>

namespace lyricast {
namespace {

struct Sample {
    CodePage page;
    const char* bytes;
    const char* text; // UTF-8
};

// A line of song text in each page's own language, as that page spells it.
const Sample kSamples[] = {
    {CodePage::Utf8, "Ti\xE1\xBA\xBFng Vi\xE1\xBB\x87t \xE5\xA4\x8F", "Tiếng Việt 夏"},
    {CodePage::Western1252, "D\xE9j\xE0 vu, se\xF1or \x96 \x93na\xEFve\x94 \xC6r\xF8",
     "Déjà vu, señor – “naïve” Ærø"},
    {CodePage::CentralEuropean1250,
     "P\xF8\xEDli\x9A \x9Elu\x9Dou\xE8k\xFD k\xF9\xF2 \xFAp\xECl \xEF\xE1"
     "belsk\xE9 \xF3"
     "dy",
     "Příliš žluťoučký kůň úpěl ďábelské ódy"},
    {CodePage::Cyrillic1251,
     "\xCF\xF3\xF1\xF2\xFC \xE2\xF1\xE5\xE3\xE4\xE0 \xE1\xF3\xE4\xE5\xF2 \xF1\xEE\xEB\xED\xF6\xE5",
     "Пусть всегда будет солнце"},
    {CodePage::Greek1253, "\xD3' \xE1\xE3\xE1\xF0\xFE \xF0\xEF\xEB\xFD", "Σ' αγαπώ πολύ"},
    {CodePage::Turkish1254, "A\xF0lama de\xF0mez hayat bu g\xF6zya\xFElar\xFDna",
     "Ağlama değmez hayat bu gözyaşlarına"},
    {CodePage::Vietnamese1258, "\xD0\xE2u \xF5i, \xE3n \xF0\xFD", "Đâu ơi, ăn đư"},
    {CodePage::Thai874, "\xCA\xC7\xD1\xCA\xB4\xD5\xA4\xC3\xD1\xBA \xA2\xCD\xBA\xA4\xD8\xB3",
     "สวัสดีครับ ขอบคุณ"},
    {CodePage::ShiftJis,
     "\x96\xE9\x8B\xF3\x83m\x83\x80\x83R\x83"
     "E \x82\xA0\x82\xCC\x8D\xA0\x82\xCC\x96\xA2\x97\x88"
     "\x82\xC9",
     "夜空ノムコウ あの頃の未来に"},
    {CodePage::Gbk,
     "\xCE\xD2\xB0\xAE\xC4\xE3\xD6\xD0\xB9\xFA \xD4\xC2\xC1\xC1\xB4\xFA\xB1\xED\xCE\xD2\xB5\xC4"
     "\xD0\xC4",
     "我爱你中国 月亮代表我的心"},
    {CodePage::Big5,
     "\xA4\xEB\xABG\xA5N\xAA\xED\xA7\xDA\xAA\xBA\xA4\xDF \xA7\xDA\xB7R\xA7"
     "A",
     "月亮代表我的心 我愛你"},
    {CodePage::Korean,
     "\xBB\xE7\xB6\xFB\xC7\xD8\xBF\xE4 \xB4\xE7\xBD\xC5\xC0\xBB \xBA\xB8\xB0\xED \xBD\xCD\xBE\xEE"
     "\xBF\xE4",
     "사랑해요 당신을 보고 싶어요"},
};

TEST(DisplayText, EveryPageDecodesItsOwnText) {
    for (const Sample& sample : kSamples) {
        const DisplayText shown = DecodeForDisplay(sample.bytes, sample.page);
        EXPECT_EQ(shown.utf8, sample.text) << CodePageKey(sample.page);
        EXPECT_TRUE(shown.valid) << CodePageKey(sample.page);
    }
}

TEST(DisplayText, AutoFindsThePageOfEachText) {
    for (const Sample& sample : kSamples) {
        EXPECT_EQ(CodePageKey(GuessCodePage(sample.bytes)), CodePageKey(sample.page))
            << sample.text;
        EXPECT_EQ(DecodeForDisplay(sample.bytes, CodePage::Auto).utf8, sample.text);
    }
    EXPECT_EQ(GuessCodePage("plain words"), CodePage::Utf8) << "ASCII is UTF-8 too";
    EXPECT_EQ(GuessCodePage(""), CodePage::Utf8);
}

// Each byte that starts no character shows as one U+FFFD, the text around
// it as it is: bytes a page leaves undefined, a lead byte without its
// second byte, UTF-8 cut short.
TEST(DisplayText, BytesThatDecodeToNothingShowAsReplacements) {
    const struct {
        CodePage page;
        const char* bytes;
        const char* text;
    } cases[] = {
        {CodePage::Western1252, "x\x81y\x8D", "x\uFFFDy\uFFFD"},
        {CodePage::CentralEuropean1250,
         "\x83"
         "a",
         "\uFFFDa"},
        {CodePage::Greek1253, "\xAA\xE1", "\uFFFDα"},
        {CodePage::Thai874, "\xCA\xFC", "ส\uFFFD"},
        {CodePage::ShiftJis, "\x82\xA0\x82", "あ\uFFFD"},
        {CodePage::Big5, "\xA4\xEB\xFF", "月\uFFFD"},
        {CodePage::Utf8, "caf\xC3", "caf\uFFFD"},
        {CodePage::Utf8, "\xE5\xA4", "\uFFFD\uFFFD"},
    };
    for (const auto& c : cases) {
        const DisplayText shown = DecodeForDisplay(c.bytes, c.page);
        EXPECT_EQ(shown.utf8, c.text) << CodePageKey(c.page) << " " << c.text;
        EXPECT_FALSE(shown.valid) << CodePageKey(c.page) << " " << c.text;
    }
}

TEST(DisplayText, EveryPageHasACaptionAndAKeyThatFindsIt) {
    const auto pages = DisplayCodePages();
    ASSERT_EQ(pages.size(), 13u);
    EXPECT_EQ(pages.front(), CodePage::Auto);
    std::set<std::string> captions;
    for (const CodePage page : pages) {
        EXPECT_EQ(CodePageOfKey(CodePageKey(page)), page) << CodePageKey(page);
        captions.insert(CodePageCaption(page));
    }
    EXPECT_EQ(captions.size(), pages.size());
    EXPECT_EQ(CodePageCaption(CodePage::Cyrillic1251), "Cyrillic (1251)");
    EXPECT_EQ(CodePageKey(CodePage::ShiftJis), "shift-jis");
    EXPECT_EQ(CodePageOfKey("latin-9"), std::nullopt);
    EXPECT_EQ(CodePageOfKey("CP1252"), std::nullopt) << "keys are spelled one way";
}

} // namespace
} // namespace lyricast

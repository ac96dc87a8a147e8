#include "platform/Utf16.h"
#include "platform/Utf8.h"

#include <gtest/gtest.h>

namespace lyricast {
namespace {

struct Spelling {
    const char* utf8;
    std::u16string utf16;
};

// Names in the writings karaoke collections hold, each in both encodings.
const Spelling kNames[] = {
    {"Caf\xc3\xa9 Se\xc3\xb1orita.kar", u"Caf\u00e9 Se\u00f1orita.kar"},
    {"\xd0\x9b\xd0\xb5\xd1\x82\xd0\xbe", u"\u041b\u0435\u0442\u043e"},                 // Лето
    {"\xe5\xa4\x8f\xe3\x81\xae\xe6\xad\x8c", u"\u590f\u306e\u6b4c"},                   // 夏の歌
    {"\xe0\xb9\x80\xe0\xb8\x9e\xe0\xb8\xa5\xe0\xb8\x87", u"\u0e40\u0e1e\u0e25\u0e07"}, // เพลง
    {"Ti\xe1\xba\xbfng Vi\xe1\xbb\x87t", u"Ti\u1ebfng Vi\u1ec7t"}, // Tiếng Việt
    {"\xf0\x9f\x8e\xa4.kar", u"\U0001F3A4.kar"},                   // 🎤, a surrogate pair
    {"", u""},
};

TEST(UnicodeText, NamesConvertBothWaysUnchanged) {
    for (const Spelling& name : kNames) {
        EXPECT_EQ(Utf16FromUtf8(name.utf8), name.utf16) << name.utf8;
        EXPECT_EQ(Utf8FromUtf16(name.utf16), name.utf8) << name.utf8;
        EXPECT_EQ(Utf16ForDisplay(name.utf8), name.utf16) << name.utf8;
    }
}

// Windows lets a name hold half a surrogate pair; such a name must come back
// to the system as the very name it listed, or the file is out of reach.
TEST(UnicodeText, LoneSurrogatesComeBackToTheSameName) {
    const std::u16string names[] = {
        u"lone\xd800.kar",   u"\xdc00 low first", u"reversed \xdfff\xdbff",
        u"ends high \xdbff", u"\xd800\xd800",
    };
    for (const std::u16string& name : names) {
        const std::string utf8 = Utf8FromUtf16(name);
        EXPECT_EQ(Utf16FromUtf8(utf8), name);
    }
    EXPECT_EQ(Utf8FromUtf16(u"a\xd800"), "a\xed\xa0\x80");
    EXPECT_EQ(Utf8FromUtf16(u"\xdfff"), "\xed\xbf\xbf");
}

// No text has two UTF-16 forms, and none is turned into a name it does not
// spell: a byte that starts no character refuses the whole text.
TEST(UnicodeText, TextThatIsNotUtf8HasNoUtf16Form) {
    const char* refused[] = {
        "Caf\xe9.kar",             // Latin-1
        "\x80 stray continuation", //
        "\xc0\xaf overlong slash", // would be "/" if it were read
        "\xc1\x9c overlong backslash",
        "\xe0\x80\xaf", // overlong in three bytes
        "cut \xe6\x97",
        "\xf4\x90\x80\x80 beyond U+10FFFF",
        "\xf8\x88\x80\x80\x80",
        "\xed\xa0\xbd\xed\xb8\x80", // 😀 as two halves: another spelling of \xf0\x9f\x98\x80
    };
    for (const char* text : refused)
        EXPECT_FALSE(Utf16FromUtf8(text).has_value()) << text;
}

TEST(UnicodeText, DisplayShowsEveryStrayByteAsAReplacement) {
    EXPECT_EQ(Utf16ForDisplay("Caf\xe9!"), u"Caf\ufffd!");
    EXPECT_EQ(Utf16ForDisplay("\xc0\xaf"), u"\ufffd\ufffd");
    EXPECT_EQ(Utf16ForDisplay("cut \xe6\x97"), u"cut \ufffd\ufffd");
    EXPECT_EQ(Utf16ForDisplay("a\xed\xa0\x80z"), u"a\xd800z");
    EXPECT_EQ(Utf16ForDisplay("\xed\xa0\xbd\xed\xb8\x80"), u"\U0001F600");
}

TEST(UnicodeText, AnUnfinishedCharacterAtTheEndIsFound) {
    struct Case {
        const char* text;
        std::size_t tail;
    };
    const Case cases[] = {
        {"", 0},          {"abc", 0},          {"\xd0\x9b", 0},         {"a\xd0", 1},
        {"a\xe5\xa4", 2}, {"\xe5\xa4\x8f", 0}, {"\xf0\x9f\x8e", 3},     {"\xf0\x9f\x8e\xa4", 0},
        {"\xf0", 1},      {"a\x80\x80", 0},    {"\xe5\xa4\x8f\xe5", 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(UnfinishedUtf8Tail(c.text), c.tail) << c.text;
}

const std::string kReplacement = "\xef\xbf\xbd";

TEST(UnicodeText, ValidUtf8KeepsWholeSequencesAndReplacesEveryOtherByte) {
    EXPECT_EQ(ValidUtf8("plain, Caf\xc3\xa9, \xe2\x80\xa6, \xf0\x9f\x8e\xa4"),
              "plain, Caf\xc3\xa9, \xe2\x80\xa6, \xf0\x9f\x8e\xa4");
    EXPECT_EQ(ValidUtf8("Caf\xe9"), "Caf" + kReplacement) << "Latin-1";
    EXPECT_EQ(ValidUtf8("\xc3"), kReplacement) << "cut short at the end";
    EXPECT_EQ(ValidUtf8("\xc0\xaf"), kReplacement + kReplacement) << "an overlong slash";
    EXPECT_EQ(ValidUtf8("\xed\xa0\x80"), kReplacement + kReplacement + kReplacement)
        << "a surrogate";
    EXPECT_EQ(ValidUtf8("\xf4\x90\x80\x80"),
              kReplacement + kReplacement + kReplacement + kReplacement)
        << "beyond U+10FFFF";
    EXPECT_EQ(ValidUtf8("a\x80z"), "a" + kReplacement + "z") << "a stray continuation byte";
    EXPECT_EQ(ValidUtf8(std::string_view("\0", 1)), std::string(1, '\0'));
}

} // namespace
} // namespace lyricast

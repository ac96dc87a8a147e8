#include "platform/Utf8Text.h"
#include "support/Platform.h"

#include <gtest/gtest.h>

namespace lyricast {
namespace {

const std::string kReplacement = "\xef\xbf\xbd";

TEST(Utf8Text, WholeSequencesStayAndEveryOtherByteIsReplaced) {
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

TEST(Utf8Text, NativeTextBecomesUtf8) {
    EXPECT_EQ(Utf8FromNative("C:\\Songs\\a.kar"), "C:\\Songs\\a.kar");
#ifdef _WIN32
    if (GetACP() == 1252) {
        EXPECT_EQ(Utf8FromNative("Caf\xe9"), "Caf\xc3\xa9") << "from the code page";
    }
#else
    EXPECT_EQ(Utf8FromNative("Caf\xc3\xa9"), "Caf\xc3\xa9");
#endif
}

} // namespace
} // namespace lyricast

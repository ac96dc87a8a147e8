// How remembered values are spelled in a store of printable text.
#include "window/SettingsText.h"

#include <gtest/gtest.h>

namespace lyricast {
namespace {

// Any bytes come back as they went in; plain text is kept as it is, so a
// person can read and edit the file.
TEST(SettingsText, ValuesComeBackByteForByte) {
    const std::vector<std::string> values = {
        "C:\\Songs", "", " edged ", "\"quoted\"", "hex:41", "Caf\xe9\\\x81\x40", "a\nb=c;d"};
    for (const std::string& value : values)
        EXPECT_EQ(DecodeSettingText(EncodeSettingText(value)), value);
    EXPECT_EQ(EncodeSettingText("C:\\Songs"), "C:\\Songs");
    EXPECT_EQ(EncodeSettingText(" edged "), "hex:20656467656420");
    EXPECT_EQ(EncodeSettingText("Caf\xe9"), "hex:436166e9");
    EXPECT_EQ(DecodeSettingText("hex:zz"), "hex:zz") << "not hex: taken as it stands";
    EXPECT_EQ(DecodeSettingText("hex:4"), "hex:4");
}

TEST(SettingsText, AWindowPlaceComesBackUnlessDamagedOrTooSmall) {
    const WindowPlace place{187, 112, 976, 630, true};
    EXPECT_EQ(WindowPlaceText(place), "187,112,976,630,1");
    EXPECT_EQ(WindowPlaceOf(WindowPlaceText(place)), place);
    EXPECT_EQ(WindowPlaceOf("-8,-8,1032,776,0"), (WindowPlace{-8, -8, 1032, 776, false}));
    for (const char* damaged : {"", "1,2,3", "187,112,976,630", "187,112,976,630,1,9",
                                "187;112;976;630;1", "a,b,c,d,e", "187,112,976,630,1x"})
        EXPECT_EQ(WindowPlaceOf(damaged), std::nullopt) << damaged;
    EXPECT_EQ(WindowPlaceOf("0,0,99,500,0"), std::nullopt) << "too narrow to reach";
    EXPECT_EQ(WindowPlaceOf("0,0,500,99,0"), std::nullopt) << "too low to reach";
}

TEST(SettingsText, APanesSizeIsAWholeNumberOfPixelsWithinReason) {
    EXPECT_EQ(PixelsOf("150"), 150);
    EXPECT_EQ(PixelsOf("0"), 0);
    EXPECT_EQ(PixelsOf("10000"), 10000);
    for (const char* damaged : {"", "-1", "10001", "150px", " 150", "1,5", "99999999999999999999"})
        EXPECT_EQ(PixelsOf(damaged), std::nullopt) << damaged;
}

} // namespace
} // namespace lyricast

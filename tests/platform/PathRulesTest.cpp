#include "platform/PathRules.h"
#include "platform/AsciiCase.h"

#include <gtest/gtest.h>

namespace lyricast {
namespace {

const PathRules& Win = PathRules::Windows();
const PathRules& Posix = PathRules::Posix();

TEST(AsciiCase, OnlyTheAsciiLettersChange) {
    EXPECT_EQ(AsciiUpper('a'), 'A');
    EXPECT_EQ(AsciiUpper('z'), 'Z');
    EXPECT_EQ(AsciiUpper('A'), 'A');
    EXPECT_EQ(AsciiLower('Z'), 'z');
    EXPECT_EQ(AsciiLower('['), '['); // right after 'Z'
    EXPECT_EQ(AsciiUpper('`'), '`'); // right before 'a'
    EXPECT_EQ(AsciiUpper('\xe9'), '\xe9');
    EXPECT_EQ(AsciiLower('\xc9'), '\xc9');
    EXPECT_TRUE(SameIgnoringAsciiCase("C:\\Songs", "c:\\SONGS"));
    EXPECT_FALSE(SameIgnoringAsciiCase("abc", "ab"));
    EXPECT_FALSE(SameIgnoringAsciiCase("\xe9", "\xc9"));
    EXPECT_FALSE(SameIgnoringAsciiCase("[", "{"));
}

TEST(DrivePart, DriveLettersAndShares) {
    EXPECT_EQ(Win.DrivePart("C:\\A\\B"), "C:");
    EXPECT_EQ(Win.DrivePart("c:"), "c:");
    EXPECT_EQ(Win.DrivePart("\\\\srv\\share\\A"), "\\\\srv\\share");
    EXPECT_EQ(Win.DrivePart("\\\\srv\\share"), "\\\\srv\\share");
    EXPECT_EQ(Win.DrivePart("\\A"), "");
    EXPECT_EQ(Win.DrivePart("A"), "");
    EXPECT_EQ(Posix.DrivePart("/tmp/a"), "");
    EXPECT_EQ(Posix.DrivePart("C:/x"), "");
}

TEST(PathRulesJoin, OneSeparatorBetweenFolderAndName) {
    EXPECT_EQ(Posix.Join("/", "x"), "/x");
    EXPECT_EQ(Posix.Join("/a", "x"), "/a/x");
    EXPECT_EQ(Posix.Join("", "x"), "/x");
    EXPECT_EQ(Win.Join("C:\\", "x"), "C:\\x");
    EXPECT_EQ(Win.Join("C:\\a", "x"), "C:\\a\\x");
    EXPECT_EQ(Win.Join("C:", "x"), "C:x"); // the drive's current folder
    EXPECT_EQ(Win.Join("\\\\srv\\share\\", "x"), "\\\\srv\\share\\x");
    EXPECT_EQ(Win.Join("\\\\srv\\share", "x"), "\\\\srv\\share\\x");
    EXPECT_EQ(Win.Join("\\", "x"), "\\x");
    EXPECT_EQ(Win.Join("", "x"), "\\x");
    // A name that ends in the byte of a separator is no root.
    EXPECT_EQ(Win.Join("C:\\\x95\\", "x"), "C:\\\x95\\\\x");
}

TEST(PathRulesHolds, RootsHoldThePathsBelowThem) {
    EXPECT_TRUE(Posix.Holds("/", "/tmp"));
    EXPECT_TRUE(Posix.Holds("/mnt/usb", "/mnt/usb"));
    EXPECT_TRUE(Posix.Holds("/mnt/usb", "/mnt/usb/a"));
    EXPECT_FALSE(Posix.Holds("/mnt/usb", "/mnt/usbx"));
    EXPECT_FALSE(Posix.Holds("/mnt/usb", "/mnt/USB/a"));
    EXPECT_FALSE(Posix.Holds("", "/"));
    EXPECT_TRUE(Win.Holds("c:\\", "C:\\Songs"));
    EXPECT_FALSE(Win.Holds("c:\\", "D:\\Songs"));
    EXPECT_TRUE(Win.SamePath("c:\\", "C:\\"));
    EXPECT_FALSE(Posix.SamePath("/a", "/A"));
}

} // namespace
} // namespace lyricast

#include "window/FolderLadder.h"

#include <gtest/gtest.h>

namespace lyricast {
namespace {

const PathRules& Win = PathRules::Windows();
const PathRules& Posix = PathRules::Posix();

constexpr LadderKind Open = LadderKind::Open;
constexpr LadderKind Current = LadderKind::Current;
constexpr LadderKind Closed = LadderKind::Closed;

void ExpectLadder(const std::vector<LadderItem>& items, const std::vector<LadderItem>& expected) {
    ASSERT_EQ(items.size(), expected.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].text, expected[i].text) << "item " << i;
        EXPECT_EQ(items[i].kind, expected[i].kind) << "item " << i;
    }
}

TEST(LadderOf, TwoLevelsBelowADriveRoot) {
    ExpectLadder(LadderOf("C:\\A\\B", Win), {{"C:\\", Open}, {"A", Open}, {"B", Current}});
    ExpectLadder(LadderOf("/A/B", Posix), {{"/", Open}, {"A", Open}, {"B", Current}});
}

TEST(LadderOf, ADriveRootIsTheCurrentItem) {
    ExpectLadder(LadderOf("C:\\", Win), {{"C:\\", Current}});
    ExpectLadder(LadderOf("/", Posix), {{"/", Current}});
}

TEST(LadderOf, ANetworkPathStartsWithTheSharesRoot) {
    ExpectLadder(LadderOf("\\\\srv\\share\\A\\B", Win),
                 {{"\\\\srv\\share\\", Open}, {"A", Open}, {"B", Current}});
    ExpectLadder(LadderOf("\\\\srv\\share\\A", Win), {{"\\\\srv\\share\\", Open}, {"A", Current}});
    ExpectLadder(LadderOf("\\\\srv\\share\\", Win), {{"\\\\srv\\share\\", Open}});
}

bool FirstByteOfPairIsLead(unsigned char byte) {
    return byte == 0x81;
}

TEST(LadderOf, ADoubleByteCharacterIsNeverSplit) {
    // 0x81 0x5C is one character whose second byte is the backslash's.
    const std::string folder = "C:\\A\x81\\B\\C";
    ExpectLadder(LadderOf(folder, Win, FirstByteOfPairIsLead),
                 {{"C:\\", Open}, {"A\x81\\B", Open}, {"C", Current}});
    EXPECT_EQ(LadderItemPath(1, {"A\x81\\B", Open}, folder, Win, FirstByteOfPairIsLead),
              "C:\\A\x81\\B");
    EXPECT_EQ(LadderIndent(5, Closed, folder, Win, FirstByteOfPairIsLead), 2 * 4 + 6);
}

TEST(LadderIndent, IndexTimesFourPlusTwoButClosedBySeparators) {
    EXPECT_EQ(LadderIndent(2, Current, "C:\\A\\B", Win), 10);
    EXPECT_EQ(LadderIndent(3, Closed, "C:\\A\\B", Win), 14);
    EXPECT_EQ(LadderIndent(9, Closed, "C:\\A\\B", Win), 14);
    EXPECT_EQ(LadderIndent(1, Closed, "C:\\", Win), 10);
    EXPECT_EQ(LadderIndent(1, Closed, "/", Posix), 10);
    // A network path's ladder is shorter than its separators say; closed items stay deep.
    EXPECT_EQ(LadderIndent(1, Current, "\\\\srv\\share\\A", Win), 6);
    EXPECT_EQ(LadderIndent(3, Closed, "\\\\srv\\share\\A", Win), 22);
}

TEST(LadderItemPath, EveryKindOfItem) {
    const std::string win = "C:\\A\\B";
    EXPECT_EQ(LadderItemPath(0, {"C:\\", Open}, win, Win), "C:\\");
    EXPECT_EQ(LadderItemPath(1, {"A", Open}, win, Win), "C:\\A");
    EXPECT_EQ(LadderItemPath(2, {"B", Current}, win, Win), "C:\\A\\B");
    EXPECT_EQ(LadderItemPath(3, {"Sub", Closed}, win, Win), "C:\\A\\B\\Sub");
    // Not doubled after a root.
    EXPECT_EQ(LadderItemPath(1, {"Sub", Closed}, "C:\\", Win), "C:\\Sub");
    EXPECT_EQ(LadderItemPath(0, {"C:\\", Current}, "C:\\", Win), "C:\\");

    const std::string posix = "/tmp/a/b";
    EXPECT_EQ(LadderItemPath(0, {"/", Open}, posix, Posix), "/");
    EXPECT_EQ(LadderItemPath(1, {"tmp", Open}, posix, Posix), "/tmp");
    EXPECT_EQ(LadderItemPath(2, {"a", Open}, posix, Posix), "/tmp/a");
    EXPECT_EQ(LadderItemPath(3, {"b", Current}, posix, Posix), "/tmp/a/b");
    EXPECT_EQ(LadderItemPath(4, {"c", Closed}, posix, Posix), "/tmp/a/b/c");
    EXPECT_EQ(LadderItemPath(1, {"etc", Closed}, "/", Posix), "/etc");

    const std::string share = "\\\\srv\\share\\A\\B";
    EXPECT_EQ(LadderItemPath(0, {"\\\\srv\\share\\", Open}, share, Win), "\\\\srv\\share\\");
    EXPECT_EQ(LadderItemPath(1, {"A", Open}, share, Win), "\\\\srv\\share\\A");
    EXPECT_EQ(LadderItemPath(2, {"B", Current}, share, Win), share);
}

TEST(SplitLastPart, RootsKeepTheirSeparator) {
    EXPECT_EQ(SplitLastPart("C:\\A\\B", Win).folder, "C:\\A");
    EXPECT_EQ(SplitLastPart("C:\\A\\B", Win).last, "B");
    EXPECT_EQ(SplitLastPart("C:\\B", Win).folder, "C:\\");
    EXPECT_EQ(SplitLastPart("C:B", Win).folder, "C:");
    EXPECT_EQ(SplitLastPart("\\\\srv\\share\\x", Win).folder, "\\\\srv\\share\\");
    EXPECT_EQ(SplitLastPart("/x", Posix).folder, "/");
    EXPECT_EQ(SplitLastPart("/a/*.kar", Posix).folder, "/a");
    EXPECT_EQ(SplitLastPart("/a/*.kar", Posix).last, "*.kar");
    EXPECT_EQ(SplitLastPart("x", Posix).folder, "");
    EXPECT_EQ(SplitLastPart("x", Posix).last, "x");
    EXPECT_EQ(SplitLastPart("/a/", Posix).last, "");
}

} // namespace
} // namespace lyricast

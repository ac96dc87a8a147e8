#include "platform/Volumes.h"
#include "platform/TextCase.h"
#include "support/Platform.h"

#include <gtest/gtest.h>

namespace lyricast {
namespace {

const PathRules& Win = PathRules::Windows();
const PathRules& Posix = PathRules::Posix();

Volume Make(std::string root, VolumeKind kind, std::optional<std::string> label,
            std::string connection = "") {
    return {std::move(root), kind, std::move(label), std::move(connection)};
}

TEST(VolumeCaption, DriveLettersWithLabelsAndShares) {
    EXPECT_EQ(VolumeCaption(Make("a:\\", VolumeKind::Removable, std::nullopt), false, Win), "a:");
    EXPECT_EQ(VolumeCaption(Make("c:\\", VolumeKind::Fixed, "System"), false, Win), "c: [system]");
    EXPECT_EQ(VolumeCaption(Make("c:\\", VolumeKind::Fixed, "System"), true, Win), "C: [SYSTEM]");
    EXPECT_EQ(VolumeCaption(Make("d:\\", VolumeKind::CdRom, ""), false, Win), "d: []");
    EXPECT_EQ(VolumeCaption(Make("r:\\", VolumeKind::RamDisk, "Ram"), false, Win), "r: [ram]");
    EXPECT_EQ(
        VolumeCaption(Make("z:\\", VolumeKind::Remote, std::nullopt, "\\\\Srv\\Songs"), false, Win),
        "z: \\\\srv\\songs");
    EXPECT_EQ(VolumeCaption(Make("z:\\", VolumeKind::Remote, "Share", ""), true, Win),
              "Z: [SHARE]");
}

TEST(VolumeCaption, MountPointsKeepTheirCase) {
    EXPECT_EQ(VolumeCaption(Make("/", VolumeKind::Fixed, ""), false, Posix), "/ []");
    EXPECT_EQ(
        VolumeCaption(Make("/media/Stick", VolumeKind::Removable, "KARAOKE & Co"), false, Posix),
        "/media/Stick [karaoke & co]");
    EXPECT_EQ(VolumeCaption(Make("/media/Stick", VolumeKind::Removable, "Karaoke"), true, Posix),
              "/media/Stick [KARAOKE]");
    EXPECT_EQ(VolumeCaption(Make("/mnt/nas", VolumeKind::Remote, "", "NAS:/export"), false, Posix),
              "/mnt/nas nas:/export");
}

// Labels are UTF-8. Windows knows the case of every letter; elsewhere a
// label may come in any encoding, so only ASCII letters change.
TEST(TextCase, LettersOfEveryWritingOnWindowsAsciiElsewhere) {
    const std::string label =
        "Caf\xc3\xa9 \xd0\x9f\xd0\xb5\xd1\x81\xd0\xbd\xd0\xb8 \xe6\xad\x8c"; // Café Песни 歌
    EXPECT_EQ(InTextCase(label, true),
              test::kWindows ? "CAF\xc3\x89 \xd0\x9f\xd0\x95\xd0\xa1\xd0\x9d\xd0\x98 \xe6\xad\x8c"
                             : "CAF\xc3\xa9 \xd0\x9f\xd0\xb5\xd1\x81\xd0\xbd\xd0\xb8 \xe6\xad\x8c");
    EXPECT_EQ(InTextCase(label, false),
              test::kWindows ? "caf\xc3\xa9 \xd0\xbf\xd0\xb5\xd1\x81\xd0\xbd\xd0\xb8 \xe6\xad\x8c"
                             : "caf\xc3\xa9 \xd0\x9f\xd0\xb5\xd1\x81\xd0\xbd\xd0\xb8 \xe6\xad\x8c");
    EXPECT_EQ(InTextCase("Caf\xe9 \xff", true), "CAF\xe9 \xff") << "not UTF-8: ASCII alone";
}

class TwoVolumes : public VolumeTable {
public:
    std::vector<Volume> List() const override {
        return {Make("/", VolumeKind::Fixed, ""), Make("/mnt/usb", VolumeKind::Removable, "")};
    }
    VolumeCase CaseOf(const std::string&) const override { return {}; }
};

TEST(VolumeTable, RootOfIsTheLongestListedRoot) {
    TwoVolumes table;
    EXPECT_EQ(table.RootOf("/mnt/usb/songs"), "/mnt/usb");
    EXPECT_EQ(table.RootOf("/mnt"), "/");
    EXPECT_EQ(table.RootOf("/mnt/usbx"), "/");
    EXPECT_EQ(LongestRootHolding("C:\\Songs", {"a:\\", "c:\\"}, Win), "c:\\");
    EXPECT_EQ(LongestRootHolding("\\\\srv\\share", {"c:\\"}, Win), "");
}

TEST(SystemVolumeTable, ListsTheRootFirstAndHoldsTheCurrentFolder) {
    const auto volumes = SystemVolumeTable().List();
    ASSERT_FALSE(volumes.empty());
#ifndef _WIN32
    EXPECT_EQ(volumes.front().root, "/");
    EXPECT_FALSE(SystemVolumeTable().RootOf("/tmp").empty());
    EXPECT_TRUE(SystemVolumeTable().CaseOf("/").caseSensitive);
#endif
}

} // namespace
} // namespace lyricast

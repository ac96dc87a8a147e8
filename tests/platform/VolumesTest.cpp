#include "platform/Volumes.h"

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

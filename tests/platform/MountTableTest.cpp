#include "platform/MountTable.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

namespace lyricast {
namespace {

std::string Fixture(const std::string& name) {
    std::ifstream in(std::string(LYRICAST_PLATFORM_FIXTURES) + "/" + name);
    EXPECT_TRUE(in) << "fixture " << name;
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

struct Expected {
    std::string root;
    VolumeKind kind;
    std::string label;
    std::string connection;
};

void ExpectVolumes(const std::vector<Volume>& volumes, const std::vector<Expected>& expected) {
    ASSERT_EQ(volumes.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].root);
        EXPECT_EQ(volumes[i].root, expected[i].root);
        EXPECT_EQ(volumes[i].kind, expected[i].kind);
        // No label is no label at all, so the caption shows no empty "[]".
        EXPECT_EQ(volumes[i].label.value_or("(none)"),
                  expected[i].label.empty() ? "(none)" : expected[i].label);
        EXPECT_EQ(volumes[i].connection, expected[i].connection);
    }
}

// The desktop's devices: sde's removable flag is set; two file systems carry labels.
MountProbes DesktopProbes() {
    MountProbes probes;
    probes.removable = [](const MountEntry& mount) {
        return mount.major == 8 && mount.minor == 65;
    };
    probes.label = [](const MountEntry& mount) -> std::string {
        if (mount.source == "/dev/sdb1")
            return "KARAOKE USB";
        if (mount.source == "/dev/sr0")
            return "SONGS_2004";
        return "";
    };
    return probes;
}

TEST(ParseMountInfo, ReadsTheFieldsOfEachLine) {
    const auto mounts = ParseMountInfo(Fixture("desktop.mountinfo"));
    ASSERT_EQ(mounts.size(), 34u);
    EXPECT_EQ(mounts[5].mountPoint, "/");
    EXPECT_EQ(mounts[5].fileSystem, "ext4");
    EXPECT_EQ(mounts[5].source, "/dev/nvme0n1p2");
    EXPECT_EQ(mounts[5].major, 259u);
    EXPECT_EQ(mounts[5].minor, 2u);
    // Optional fields ("shared:25", "uhelper=udisks2" after the super options) are skipped.
    EXPECT_EQ(mounts[24].mountPoint, "/run/media/anna/KARAOKE USB");
    EXPECT_EQ(mounts[24].fileSystem, "vfat");
    EXPECT_EQ(mounts[24].source, "/dev/sdb1");
}

TEST(ParseMountInfo, DecodesOctalEscapesAndSkipsUnreadableLines) {
    const auto mounts = ParseMountInfo(Fixture("odd.mountinfo"));
    ASSERT_EQ(mounts.size(), 2u);
    EXPECT_EQ(mounts[0].mountPoint, "/mnt/with space\ttab\\slash");
    EXPECT_EQ(mounts[0].fileSystem, "ext3");
    EXPECT_EQ(mounts[0].major, 98u);
    EXPECT_EQ(mounts[1].mountPoint, "/mnt/last");
    EXPECT_EQ(mounts[1].fileSystem, "xfs");
}

TEST(ParseMountInfo, EmptyTextHasNoEntries) {
    EXPECT_TRUE(ParseMountInfo("").empty());
    EXPECT_TRUE(ParseMountInfo("\n\n").empty());
}

TEST(VolumesFromMounts, DesktopShowsRealFileSystemsInPathOrder) {
    const auto volumes =
        VolumesFromMounts(ParseMountInfo(Fixture("desktop.mountinfo")), DesktopProbes());
    ExpectVolumes(volumes,
                  {
                      {"/", VolumeKind::Fixed, "", ""},
                      {"/boot/efi", VolumeKind::Fixed, "", ""},
                      {"/home", VolumeKind::Fixed, "", ""},
                      {"/home/anna/remote", VolumeKind::Remote, "", "anna@studio:/srv/songs"},
                      {"/media/stick", VolumeKind::Removable, "", ""},
                      // tmpfs mounted over the ext4 disk: the later mount is the one seen
                      {"/mnt/backup", VolumeKind::RamDisk, "", ""},
                      {"/mnt/nas", VolumeKind::Remote, "", "nas.local:/export/music"},
                      {"/mnt/ramdisk", VolumeKind::RamDisk, "", ""},
                      {"/mnt/share", VolumeKind::Remote, "", "//server/karaoke"},
                      {"/mnt/usbdisk", VolumeKind::Removable, "", ""},
                      {"/run/media/anna/KARAOKE USB", VolumeKind::Removable, "KARAOKE USB", ""},
                      {"/run/media/anna/SONGS_2004", VolumeKind::CdRom, "SONGS_2004", ""},
                      {"/tmp", VolumeKind::RamDisk, "", ""},
                  });
}

TEST(VolumesFromMounts, ContainerLeavesOutFilesMountedOverFiles) {
    MountProbes probes;
    probes.isFolder = [](const std::string& path) {
        static const std::set<std::string> files = {"/etc/resolv.conf", "/etc/hostname",
                                                    "/etc/hosts"};
        return files.count(path) == 0;
    };
    const auto volumes = VolumesFromMounts(ParseMountInfo(Fixture("container.mountinfo")), probes);
    ExpectVolumes(volumes, {
                               {"/", VolumeKind::Fixed, "", ""},
                               {"/work/songs", VolumeKind::Fixed, "", ""},
                           });
}

TEST(VolumesFromMounts, RootIsAlwaysFirstEvenWhenTheTableLacksIt) {
    const auto volumes = VolumesFromMounts(ParseMountInfo(Fixture("odd.mountinfo")), {});
    ASSERT_EQ(volumes.size(), 3u);
    EXPECT_EQ(volumes[0].root, "/");
    EXPECT_EQ(volumes[1].root, "/mnt/last");
    EXPECT_EQ(volumes[2].root, "/mnt/with space\ttab\\slash");

    const auto none = VolumesFromMounts({}, {});
    ASSERT_EQ(none.size(), 1u);
    EXPECT_EQ(none[0].root, "/");
}

TEST(VolumesFromMounts, RemovableFlagIsAskedOnlyOfBlockDevices) {
    int asked = 0;
    MountProbes probes;
    probes.removable = [&](const MountEntry&) {
        ++asked;
        return true;
    };
    const auto volumes = VolumesFromMounts(ParseMountInfo(Fixture("container.mountinfo")), probes);
    // overlay "/" has no device (0:52); the ext4 mounts have one.
    EXPECT_EQ(volumes[0].kind, VolumeKind::Fixed);
    EXPECT_EQ(asked, 4);
}

struct KindCase {
    const char* fileSystem;
    const char* mountPoint;
    bool removable;
    VolumeKind kind;
};

TEST(KindOfMount, FollowsTheFileSystemThenThePlaceThenTheDevice) {
    const KindCase cases[] = {
        {"nfs4", "/media/a", true, VolumeKind::Remote},
        {"smb3", "/mnt/a", false, VolumeKind::Remote},
        {"iso9660", "/media/cdrom", true, VolumeKind::CdRom},
        {"udf", "/mnt/dvd", false, VolumeKind::CdRom},
        {"tmpfs", "/media/ram", true, VolumeKind::RamDisk},
        {"vfat", "/media", false, VolumeKind::Removable},
        {"ext4", "/mediastore", false, VolumeKind::Fixed},
        {"btrfs", "/", false, VolumeKind::Fixed},
    };
    for (const KindCase& c : cases) {
        SCOPED_TRACE(std::string(c.fileSystem) + " on " + c.mountPoint);
        MountEntry mount{c.mountPoint, c.fileSystem, "/dev/x", 8, 1};
        EXPECT_EQ(KindOfMount(mount, c.removable), c.kind);
    }
}

TEST(CaseOfFileSystem, FatKeepsCaseWithoutMindingIt) {
    EXPECT_TRUE(CaseOfFileSystem("ext4").preservesCase);
    EXPECT_TRUE(CaseOfFileSystem("ext4").caseSensitive);
    EXPECT_TRUE(CaseOfFileSystem("vfat").preservesCase);
    EXPECT_FALSE(CaseOfFileSystem("vfat").caseSensitive);
    EXPECT_FALSE(CaseOfFileSystem("msdos").preservesCase);
    EXPECT_FALSE(CaseOfFileSystem("msdos").caseSensitive);
}

TEST(MountHolding, TheLongestMountPointThatHoldsThePath) {
    const auto mounts = ParseMountInfo(Fixture("desktop.mountinfo"));
    EXPECT_EQ(MountHolding(mounts, "/home/anna/songs")->mountPoint, "/home");
    EXPECT_EQ(MountHolding(mounts, "/home/anna/remote/x")->fileSystem, "fuse.sshfs");
    EXPECT_EQ(MountHolding(mounts, "/homework")->mountPoint, "/");
    EXPECT_EQ(MountHolding(mounts, "/mnt/backup")->fileSystem, "tmpfs");
    EXPECT_EQ(MountHolding(mounts, "/proc/self")->fileSystem, "proc");
    EXPECT_EQ(MountHolding({}, "/x"), nullptr);
}

} // namespace
} // namespace lyricast

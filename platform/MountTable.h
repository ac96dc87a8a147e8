#pragma once

#include "platform/Volumes.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lyricast {

// One line of a Linux mount table (/proc/self/mountinfo).
struct MountEntry {
    std::string mountPoint; // with the table's octal escapes ("\040") decoded
    std::string fileSystem; // "ext4", "nfs4", "fuse.sshfs"
    std::string source;     // "/dev/sdb1", "server:/export", "tmpfs"
    unsigned major = 0;     // of the device; 0 for a file system without one
    unsigned minor = 0;
};

// The entries of a mountinfo text in its order; lines it cannot read are left out.
std::vector<MountEntry> ParseMountInfo(std::string_view text);

// What the volume list asks of the system about one mounted device.
struct MountProbes {
    std::function<bool(const MountEntry&)> removable;    // the block device's removable flag
    std::function<std::string(const MountEntry&)> label; // the file system's label, or empty
    std::function<bool(const std::string&)> isFolder;    // false for a file mounted over a file
};

// The volumes a drive box offers for a mount table: "/" first, then every
// mount point of a real file system in path order, each once (the last mount
// on a point hides the earlier ones). Pseudo file systems and the system's own
// mounts under /proc, /sys, /dev, /run (but /run/media) and /snap are left out,
// and so are files mounted over files (a container's /etc/hosts).
std::vector<Volume> VolumesFromMounts(const std::vector<MountEntry>& mounts,
                                      const MountProbes& probes);

// The kind a mounted file system is shown as.
VolumeKind KindOfMount(const MountEntry& mount, bool removableDevice);

// How a file system type treats letter case (vfat ignores it but keeps it,
// msdos neither keeps nor minds it; most keep and mind it).
VolumeCase CaseOfFileSystem(std::string_view fileSystem);

// The entry whose mount point is the longest that holds `path`, or nullptr.
const MountEntry* MountHolding(const std::vector<MountEntry>& mounts, std::string_view path);

} // namespace lyricast

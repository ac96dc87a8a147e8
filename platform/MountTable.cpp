#include "platform/MountTable.h"

#include <algorithm>
#include <charconv>
#include <iterator>

namespace lyricast {
namespace {

constexpr std::string_view kPseudoFileSystems[] = {
    "autofs",    "binfmt_misc", "bpf",      "cgroup",          "cgroup2",     "configfs",
    "debugfs",   "devpts",      "devtmpfs", "efivarfs",        "fusectl",     "hugetlbfs",
    "mqueue",    "nsfs",        "proc",     "pstore",          "rpc_pipefs",  "securityfs",
    "selinuxfs", "sysfs",       "tracefs",  "fuse.gvfsd-fuse", "fuse.portal", "fuse.lxcfs",
};

constexpr std::string_view kNetworkFileSystems[] = {
    "nfs",           "nfs4",        "cifs",        "smb3",      "smbfs",          "ncpfs",
    "afs",           "ceph",        "glusterfs",   "9p",        "davfs",          "lustre",
    "sshfs",         "fuse.sshfs",  "fuse.rclone", "fuse.s3fs", "fuse.glusterfs", "fuse.curlftpfs",
    "fuse.smbnetfs", "fuse.davfs2",
};

// The system's own mount points; removable media under /run/media are shown.
constexpr std::string_view kSystemFolders[] = {"/proc", "/sys", "/dev", "/run", "/snap"};

template <std::size_t N> bool OneOf(std::string_view value, const std::string_view (&values)[N]) {
    return std::find(std::begin(values), std::end(values), value) != std::end(values);
}

bool Under(std::string_view path, std::string_view folder) {
    return PathRules::Posix().Holds(folder, path);
}

// "\040" and the like, as the kernel writes spaces, tabs, new lines and backslashes.
std::string Unescaped(std::string_view field) {
    std::string text;
    for (std::size_t i = 0; i < field.size(); ++i) {
        const auto octal = [&](std::size_t k) { return field[k] >= '0' && field[k] <= '7'; };
        if (field[i] == '\\' && i + 3 < field.size() && octal(i + 1) && octal(i + 2) &&
            octal(i + 3)) {
            const int code =
                (field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0');
            text.push_back(static_cast<char>(code));
            i += 3;
        } else {
            text.push_back(field[i]);
        }
    }
    return text;
}

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t at = 0;
    while (at < line.size()) {
        const std::size_t start = line.find_first_not_of(" \t", at);
        if (start == std::string_view::npos)
            break;
        const std::size_t end = std::min(line.find_first_of(" \t", start), line.size());
        fields.push_back(line.substr(start, end - start));
        at = end;
    }
    return fields;
}

bool ParseDevice(std::string_view field, unsigned& major, unsigned& minor) {
    const std::size_t colon = field.find(':');
    if (colon == std::string_view::npos)
        return false;
    const auto first = std::from_chars(field.data(), field.data() + colon, major);
    const auto second =
        std::from_chars(field.data() + colon + 1, field.data() + field.size(), minor);
    return first.ec == std::errc() && first.ptr == field.data() + colon &&
           second.ec == std::errc() && second.ptr == field.data() + field.size();
}

// id parent major:minor root mount-point options [optional...] - type source super-options
bool ParseLine(std::string_view line, MountEntry& entry) {
    const auto fields = Fields(line);
    if (fields.size() < 7)
        return false;
    const auto dash = std::find(fields.begin() + 6, fields.end(), std::string_view("-"));
    if (dash == fields.end() || fields.end() - dash < 3)
        return false;
    if (!ParseDevice(fields[2], entry.major, entry.minor))
        return false;
    entry.mountPoint = Unescaped(fields[4]);
    entry.fileSystem = Unescaped(*(dash + 1));
    entry.source = Unescaped(*(dash + 2));
    return !entry.mountPoint.empty() && entry.mountPoint.front() == '/';
}

bool Shown(const MountEntry& mount) {
    if (OneOf(mount.fileSystem, kPseudoFileSystems))
        return false;
    if (Under(mount.mountPoint, "/run/media"))
        return true;
    return std::none_of(std::begin(kSystemFolders), std::end(kSystemFolders),
                        [&](std::string_view folder) { return Under(mount.mountPoint, folder); });
}

} // namespace

std::vector<MountEntry> ParseMountInfo(std::string_view text) {
    std::vector<MountEntry> entries;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        MountEntry entry;
        if (ParseLine(text.substr(0, end), entry))
            entries.push_back(std::move(entry));
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return entries;
}

VolumeKind KindOfMount(const MountEntry& mount, bool removableDevice) {
    if (OneOf(mount.fileSystem, kNetworkFileSystems))
        return VolumeKind::Remote;
    if (mount.fileSystem == "iso9660" || mount.fileSystem == "udf")
        return VolumeKind::CdRom;
    if (mount.fileSystem == "tmpfs" || mount.fileSystem == "ramfs")
        return VolumeKind::RamDisk;
    if (removableDevice || Under(mount.mountPoint, "/media") ||
        Under(mount.mountPoint, "/run/media"))
        return VolumeKind::Removable;
    return VolumeKind::Fixed;
}

std::vector<Volume> VolumesFromMounts(const std::vector<MountEntry>& mounts,
                                      const MountProbes& probes) {
    // The last mount on a point is the one seen there.
    std::vector<const MountEntry*> shown;
    for (const MountEntry& mount : mounts) {
        std::erase_if(shown, [&](const MountEntry* earlier) {
            return earlier->mountPoint == mount.mountPoint;
        });
        if (Shown(mount) && (!probes.isFolder || probes.isFolder(mount.mountPoint)))
            shown.push_back(&mount);
    }
    std::sort(shown.begin(), shown.end(), [](const MountEntry* a, const MountEntry* b) {
        return a->mountPoint < b->mountPoint;
    });

    std::vector<Volume> volumes;
    if (shown.empty() || shown.front()->mountPoint != "/")
        volumes.push_back({"/", VolumeKind::Fixed, std::nullopt, ""});
    for (const MountEntry* mount : shown) {
        const bool removable = mount->major != 0 && probes.removable && probes.removable(*mount);
        Volume volume{mount->mountPoint, KindOfMount(*mount, removable), std::nullopt, ""};
        // A file system without a label has none to show: no empty "[]" after its folder.
        std::string label = probes.label ? probes.label(*mount) : std::string();
        if (!label.empty())
            volume.label = std::move(label);
        if (volume.kind == VolumeKind::Remote)
            volume.connection = mount->source;
        volumes.push_back(std::move(volume));
    }
    return volumes;
}

VolumeCase CaseOfFileSystem(std::string_view fileSystem) {
    if (fileSystem == "msdos")
        return {false, false};
    if (fileSystem == "vfat" || fileSystem == "exfat" || fileSystem == "hfs" ||
        fileSystem == "hfsplus" || fileSystem == "cifs" || fileSystem == "smb3" ||
        fileSystem == "smbfs")
        return {true, false};
    return {true, true};
}

const MountEntry* MountHolding(const std::vector<MountEntry>& mounts, std::string_view path) {
    const MountEntry* best = nullptr;
    for (const MountEntry& mount : mounts) {
        // At equal length the later mount hides the earlier one.
        if (Under(path, mount.mountPoint) &&
            (best == nullptr || mount.mountPoint.size() >= best->mountPoint.size()))
            best = &mount;
    }
    return best;
}

} // namespace lyricast

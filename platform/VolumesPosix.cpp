#include "platform/MountTable.h"
#include "platform/Volumes.h"

#include "platform/FolderListing.h"

#include <climits>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

namespace lyricast {
namespace {

std::string ReadText(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string RealPath(const std::string& path) {
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : path;
}

// udev writes unusual characters of a label as "\x20".
std::string DecodeUdevName(const std::string& name) {
    std::string text;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '\\' && i + 3 < name.size() && name[i + 1] == 'x') {
            text.push_back(
                static_cast<char>(std::strtol(name.substr(i + 2, 2).c_str(), nullptr, 16)));
            i += 3;
        } else {
            text.push_back(name[i]);
        }
    }
    return text;
}

// Label of each labelled device, by the device's real path.
std::map<std::string, std::string> LabelsByDevice() {
    std::map<std::string, std::string> labels;
    const std::string folder = "/dev/disk/by-label";
    if (const auto entries = ListFolder(folder)) {
        for (const FolderEntry& entry : *entries)
            labels[RealPath(folder + "/" + entry.name)] = DecodeUdevName(entry.name);
    }
    return labels;
}

// /sys/dev/block/M:m leads to the device; a partition's flag is on its disk.
bool RemovableDevice(const MountEntry& mount) {
    const std::string device =
        "/sys/dev/block/" + std::to_string(mount.major) + ":" + std::to_string(mount.minor);
    for (const std::string& flag : {device + "/removable", device + "/../removable"}) {
        std::ifstream in(flag);
        int removable = 0;
        if (in >> removable)
            return removable != 0;
    }
    return false;
}

std::vector<MountEntry> SystemMounts() {
    return ParseMountInfo(ReadText("/proc/self/mountinfo"));
}

class PosixVolumeTable : public VolumeTable {
public:
    std::vector<Volume> List() const override {
        const auto labels = LabelsByDevice();
        MountProbes probes;
        probes.removable = RemovableDevice;
        probes.isFolder = IsFolder;
        probes.label = [&labels](const MountEntry& mount) {
            if (!mount.source.starts_with("/dev/"))
                return std::string();
            const auto found = labels.find(RealPath(mount.source));
            return found != labels.end() ? found->second : std::string();
        };
        return VolumesFromMounts(SystemMounts(), probes);
    }

    VolumeCase CaseOf(const std::string& folder) const override {
        const auto mounts = SystemMounts();
        const MountEntry* mount = MountHolding(mounts, folder);
        return mount != nullptr ? CaseOfFileSystem(mount->fileSystem) : VolumeCase{};
    }
};

} // namespace

const VolumeTable& SystemVolumeTable() {
    static const PosixVolumeTable table;
    return table;
}

} // namespace lyricast

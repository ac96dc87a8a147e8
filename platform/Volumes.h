#pragma once

#include "platform/PathRules.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lyricast {

enum class VolumeKind { Removable, Fixed, Remote, CdRom, RamDisk };

// One entry of the drive box: a drive of Windows, a mounted file system elsewhere.
struct Volume {
    std::string root; // "c:\" (a lower-case letter), or a mount point "/media/stick"
    VolumeKind kind = VolumeKind::Fixed;
    std::optional<std::string> label; // nothing when not queried (a removable drive), or unlabelled
    std::string connection;           // the share a remote volume connects to; may be empty
};

// How the file system of a volume treats the letter case of names.
struct VolumeCase {
    bool preservesCase = true;
    bool caseSensitive = true;
};

// Everything the folder pane asks of the system about volumes. The system's
// table is SystemVolumeTable(); tests hand the widgets one of their own.
class VolumeTable {
public:
    virtual ~VolumeTable() = default;

    // The volumes the drive box offers, in the order it shows them.
    virtual std::vector<Volume> List() const = 0;
    // The root of the listed volume that holds `folder` (an absolute path),
    // empty when none does. By default the longest listed root that holds it.
    virtual std::string RootOf(const std::string& folder) const;
    // The case behaviour of the file system that holds `folder`.
    virtual VolumeCase CaseOf(const std::string& folder) const = 0;
};

// The system's volumes: the drive letters on Windows, the mount table elsewhere.
const VolumeTable& SystemVolumeTable();

// The longest of `roots` that holds `path`, empty when none does.
std::string LongestRootHolding(std::string_view path, const std::vector<std::string>& roots,
                               const PathRules& rules);

// The drive box's text for a volume: the drive ("c:", its letter in upper case
// when `upperCase`) or the mount point, then the connection of a remote volume
// or else the label in square brackets; no label when the volume was not
// queried. The label and the connection follow `upperCase`; a mount point
// keeps its case.
std::string VolumeCaption(const Volume& volume, bool upperCase, const PathRules& rules);

} // namespace lyricast

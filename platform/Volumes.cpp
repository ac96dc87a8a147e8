#include "platform/Volumes.h"

#include "platform/TextCase.h"

namespace lyricast {

std::string VolumeTable::RootOf(const std::string& folder) const {
    std::vector<std::string> roots;
    for (const Volume& volume : List())
        roots.push_back(volume.root);
    return LongestRootHolding(folder, roots, PathRules::Native());
}

std::string LongestRootHolding(std::string_view path, const std::vector<std::string>& roots,
                               const PathRules& rules) {
    std::string best;
    for (const std::string& root : roots) {
        if (rules.Holds(root, path) && root.size() > best.size())
            best = root;
    }
    return best;
}

std::string VolumeCaption(const Volume& volume, bool upperCase, const PathRules& rules) {
    std::string caption = volume.root;
    if (rules.driveLetters && !rules.DrivePart(volume.root).empty())
        caption = InTextCase(std::string(rules.DrivePart(volume.root)), upperCase);
    if (volume.kind == VolumeKind::Remote && !volume.connection.empty())
        return caption + " " + InTextCase(volume.connection, upperCase);
    if (volume.label)
        return caption + " [" + InTextCase(*volume.label, upperCase) + "]";
    return caption;
}

} // namespace lyricast

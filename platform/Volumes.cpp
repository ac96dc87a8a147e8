#include "platform/Volumes.h"

#include <algorithm>

namespace lyricast {
namespace {

std::string Cased(std::string text, bool upperCase) {
    std::transform(text.begin(), text.end(), text.begin(), [upperCase](char c) {
        if (upperCase && c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
        if (!upperCase && c >= 'A' && c <= 'Z') return static_cast<char>(c - 'A' + 'a');
        return c;
    });
    return text;
}

} // namespace

std::string VolumeTable::RootOf(const std::string& folder) const {
    std::vector<std::string> roots;
    for (const Volume& volume : List()) roots.push_back(volume.root);
    return LongestRootHolding(folder, roots, PathRules::Native());
}

std::string LongestRootHolding(std::string_view path, const std::vector<std::string>& roots,
                               const PathRules& rules) {
    std::string best;
    for (const std::string& root : roots) {
        if (rules.Holds(root, path) && root.size() > best.size()) best = root;
    }
    return best;
}

std::string VolumeCaption(const Volume& volume, bool upperCase, const PathRules& rules) {
    std::string caption = volume.root;
    if (rules.driveLetters && !rules.DrivePart(volume.root).empty())
        caption = Cased(std::string(rules.DrivePart(volume.root)), upperCase);
    if (volume.kind == VolumeKind::Remote && !volume.connection.empty())
        return caption + " " + Cased(volume.connection, upperCase);
    if (volume.label) return caption + " [" + Cased(*volume.label, upperCase) + "]";
    return caption;
}

} // namespace lyricast

#include "window/AbsolutePath.h"

namespace lyricast {

std::string AbsoluteAgainst(const std::string& path, const std::string& folder,
                            const PathRules& rules) {
    if (path.empty() || folder.empty() || !rules.DrivePart(path).empty())
        return path;
    if (rules.IsSeparator(path.front()))
        return std::string(rules.DrivePart(folder)) + path;
    return rules.Join(folder, path);
}

} // namespace lyricast

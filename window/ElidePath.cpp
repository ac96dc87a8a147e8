#include "window/ElidePath.h"

#include <vector>

namespace lyricast {

std::string ElideMiddle(const std::string& path, const PathRules& rules,
                        const std::string& ellipsis,
                        const std::function<bool(const std::string&)>& fits) {
    if (fits(path))
        return path;
    // Where each folder after the root ends: the separators' positions.
    std::vector<std::size_t> ends;
    for (std::size_t at = rules.DrivePart(path).size() + 1; at < path.size(); ++at)
        if (rules.IsSeparator(path[at]))
            ends.push_back(at);
    if (ends.size() < 2)
        return path;
    const std::string head = path.substr(0, ends.front() + 1);
    // Keep the tail from the k-th last separator on, fewer folders each time.
    for (std::size_t keep = ends.size() - 1; keep >= 1; --keep) {
        const std::string candidate = head + ellipsis + path.substr(ends[ends.size() - keep]);
        if (fits(candidate) || keep == 1)
            return candidate;
    }
    return path;
}

} // namespace lyricast

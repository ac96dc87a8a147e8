#include "platform/PathRules.h"

#include "platform/AsciiCase.h"

namespace lyricast {
const PathRules& PathRules::Windows() {
    // ":" ends the folder part too, so "C:Song.kar" names Song.kar on drive C.
    static const PathRules rules{'\\', "\\/:", true, true};
    return rules;
}

const PathRules& PathRules::Posix() {
    static const PathRules rules{'/', "/", false, false};
    return rules;
}

const PathRules& PathRules::Native() {
#ifdef _WIN32
    return Windows();
#else
    return Posix();
#endif
}

std::string PathRules::Join(std::string_view folder, std::string_view name) const {
    std::string path;
    path.reserve(folder.size() + 1 + name.size());
    path.append(folder);
    if (!IsRoot(folder))
        path.push_back(separator);
    path.append(name);
    return path;
}

std::string_view PathRules::DrivePart(std::string_view path) const {
    if (!driveLetters || path.size() < 2)
        return {};
    if (path[1] == ':')
        return path.substr(0, 2);
    if (!IsSeparator(path[0]) || !IsSeparator(path[1]))
        return {};
    // A share: up to, not including, the separator after the share's name.
    std::size_t separators = 0;
    std::size_t end = 2;
    for (; end < path.size(); ++end) {
        if (IsSeparator(path[end]) && ++separators == 2)
            break;
    }
    return path.substr(0, end);
}

bool PathRules::IsRoot(std::string_view folder) const {
    const std::string_view drive = DrivePart(folder);
    const std::string_view rest = folder.substr(drive.size());
    if (rest.empty())
        return !drive.empty() && drive.back() == ':'; // "C:" is that drive's current folder
    return rest.size() == 1 && IsSeparator(rest.front());
}

bool PathRules::SamePath(std::string_view a, std::string_view b) const {
    return caseInsensitive ? SameIgnoringAsciiCase(a, b) : a == b;
}

bool PathRules::Holds(std::string_view root, std::string_view path) const {
    if (root.empty() || path.size() < root.size())
        return false;
    if (!SamePath(root, path.substr(0, root.size())))
        return false;
    return path.size() == root.size() || IsSeparator(root.back()) || IsSeparator(path[root.size()]);
}

bool IsNativeLeadByte(unsigned char /*byte*/) {
    return false;
}

} // namespace lyricast

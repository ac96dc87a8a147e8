#include "platform/PathRules.h"

namespace lyricast {

const PathRules& PathRules::Windows() {
    // ":" ends the folder part too, so "C:Song.kar" names Song.kar on drive C.
    static const PathRules rules{'\\', "\\/:", true};
    return rules;
}

const PathRules& PathRules::Posix() {
    static const PathRules rules{'/', "/", false};
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
    path.push_back(separator);
    path.append(name);
    return path;
}

} // namespace lyricast

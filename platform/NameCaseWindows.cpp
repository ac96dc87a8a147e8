#include "platform/NameCase.h"

namespace lyricast {

// Windows' own file systems, and the ones it mounts, compare names without
// regard to case.
bool FolderFoldsCase(const std::string&) {
    return true;
}

} // namespace lyricast

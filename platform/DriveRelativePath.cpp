#include "platform/DriveRelativePath.h"

#ifdef _WIN32
#include "platform/SystemPathWindows.h"
#include "platform/WideTextWindows.h"
#endif

namespace lyricast {

bool IsDriveRelative(std::string_view path, const PathRules& rules) {
    return rules.DrivePart(path).size() == 2 && path[1] == ':' &&
           (path.size() == 2 || !rules.IsSeparator(path[2]));
}

#ifdef _WIN32
namespace {

// The system may spell a drive's current folder with a closing separator; a
// folder is spelled without one here, but a root ("Y:\") keeps its own.
std::string WithoutClosingSeparator(std::string folder) {
    const PathRules& rules = PathRules::Native();
    if (folder.size() > 3 && rules.IsSeparator(folder.back()))
        folder.pop_back();
    return folder;
}

} // namespace

// A path the system cannot read fails, as it is, wherever it is used.
std::string FromDriveRoot(const std::string& path) {
    if (!IsDriveRelative(path, PathRules::Native()))
        return path;
    const auto wide = PlainSystemPath(path);
    if (!wide)
        return path;
    return WithoutClosingSeparator(Utf8FromWide(FullSystemPath(*wide)));
}
#else
// No drives here: every path is read as it is.
std::string FromDriveRoot(const std::string& path) {
    return path;
}
#endif

} // namespace lyricast

#include "platform/ExtendedPath.h"

#include "platform/PathRules.h"

namespace lyricast {
namespace {

bool HasPrefix(std::string_view path) {
    return path.starts_with("\\\\?\\") || path.starts_with("\\\\.\\");
}

// "C:\..." or "\\srv\share...": the drive or share part, else empty.
std::string_view FullDrivePart(std::string_view path) {
    if (HasPrefix(path))
        return {};
    const std::string_view drive = PathRules::Windows().DrivePart(path);
    if (drive.size() == 2 && drive[1] == ':')
        return path.size() > 2 && path[2] == '\\' ? drive : std::string_view();
    const bool share = path.starts_with("\\\\") && drive.find('\\', 2) != std::string_view::npos;
    return share ? drive : std::string_view();
}

// Each part of `parts`, split at "\\", is a name of its own: not empty, "." or "..".
bool EveryPartANameOfItsOwn(std::string_view parts) {
    for (;;) {
        const std::size_t end = parts.find('\\');
        const std::string_view part = parts.substr(0, end);
        if (part.empty() || part == "." || part == "..")
            return false;
        if (end == std::string_view::npos)
            return true;
        parts.remove_prefix(end + 1);
    }
}

} // namespace

bool IsSpelledInFull(std::string_view path) {
    const std::string_view drive = FullDrivePart(path);
    if (drive.empty() || path.find('/') != std::string_view::npos)
        return false;
    if (drive.back() != ':' && !EveryPartANameOfItsOwn(drive.substr(2)))
        return false; // the server's and the share's names
    std::string_view rest = path.substr(drive.size());
    if (!rest.empty())
        rest.remove_prefix(1); // the separator after the drive or share
    if (rest.size() > 1 && rest.back() == '\\')
        rest.remove_suffix(1); // a folder's closing separator
    return rest.empty() || EveryPartANameOfItsOwn(rest);
}

std::string WithExtendedPrefix(std::string_view fullPath) {
    const std::string_view drive = FullDrivePart(fullPath);
    if (drive.empty())
        return std::string(fullPath);
    if (drive.back() == ':')
        return "\\\\?\\" + std::string(fullPath);
    return "\\\\?\\UNC\\" + std::string(fullPath.substr(2));
}

} // namespace lyricast

#include "window/UnreadFolders.h"

namespace lyricast {
namespace {

std::string Folders(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " folder" : " folders");
}

std::string Named(const UnreadFolder& folder) {
    return folder.path + ": " + folder.reason;
}

} // namespace

std::string UnreadFoldersCount(std::size_t count) {
    return Folders(count) + " not read";
}

std::string UnreadFoldersText(const std::vector<UnreadFolder>& folders, std::size_t listed) {
    if (folders.size() == 1)
        return "1 folder could not be read: " + Named(folders.front());
    std::string text = Folders(folders.size()) + " could not be read:";
    for (std::size_t i = 0; i < folders.size() && i < listed; ++i)
        text += "\n" + Named(folders[i]);
    if (folders.size() > listed)
        text += "\nand " + std::to_string(folders.size() - listed) + " more.";
    return text;
}

} // namespace lyricast

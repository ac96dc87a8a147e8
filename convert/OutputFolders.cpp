#include "convert/OutputFolders.h"

#include "convert/KeptTree.h"
#include "platform/FolderListing.h"
#include "platform/NewFolder.h"

#include <string_view>

namespace lyricast {
namespace {

// Makes `folder` unless it is there already, or was made meanwhile.
std::optional<std::string> MakeFolder(const std::string& folder) {
    if (IsFolder(folder))
        return std::nullopt;
    std::string reason;
    if (CreateFolder(folder, reason) || IsFolder(folder))
        return std::nullopt;
    return "Cannot create folder " + folder + ": " + reason;
}

} // namespace

std::optional<std::string> MakeOutputFolders(const std::string& root, const std::string& output,
                                             const PathRules& rules) {
    const std::string below = FolderBelowRoot(output, root, rules);
    std::string folder = root;
    std::size_t start = 0;
    while (start < below.size()) {
        std::size_t end = start;
        while (end < below.size() && !rules.IsSeparator(below[end]))
            ++end;
        if (end > start) {
            folder = rules.Join(folder, std::string_view(below).substr(start, end - start));
            if (auto failure = MakeFolder(folder))
                return failure;
        }
        start = end + 1;
    }
    return std::nullopt;
}

} // namespace lyricast

#include "convert/KeptTree.h"

#include "convert/OutputNaming.h"

namespace lyricast {

std::string FolderBelowRoot(std::string_view sourcePath, std::string_view root,
                            const PathRules& rules) {
    const std::string folder = SourceFolderOf(sourcePath, rules);
    if (!rules.Holds(root, folder))
        return {};
    std::string_view below = std::string_view(folder).substr(root.size());
    while (!below.empty() && rules.IsSeparator(below.front()))
        below.remove_prefix(1);
    return std::string(below);
}

std::optional<std::string> TreeOutputPathOf(std::string_view sourcePath, std::string_view root,
                                            const std::string& outputFolder,
                                            const PathRules& rules) {
    const auto outputName = OutputNameOf(FileNameOf(sourcePath, rules));
    if (!outputName)
        return std::nullopt;
    return rules.Join(outputFolder, FolderBelowRoot(sourcePath, root, rules) + *outputName);
}

} // namespace lyricast

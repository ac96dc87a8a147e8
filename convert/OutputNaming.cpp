#include "convert/OutputNaming.h"

namespace lyricast {

std::string FileNameOf(std::string_view sourcePath, const PathRules& rules) {
    const auto end = rules.LastFolderEnd(sourcePath);
    return std::string(end == std::string_view::npos ? sourcePath : sourcePath.substr(end + 1));
}

std::string SourceFolderOf(std::string_view sourcePath, const PathRules& rules) {
    const auto end = rules.LastFolderEnd(sourcePath);
    return std::string(end == std::string_view::npos ? std::string_view{}
                                                     : sourcePath.substr(0, end + 1));
}

std::optional<std::string> OutputNameOf(std::string_view fileName) {
    const auto dot = fileName.rfind('.');
    if (dot == std::string_view::npos)
        return std::nullopt;
    return std::string(fileName.substr(0, dot)) + ".MID";
}

std::optional<std::string> OutputPathOf(std::string_view sourcePath,
                                        const std::optional<std::string>& outputFolder,
                                        const PathRules& rules) {
    const auto outputName = OutputNameOf(FileNameOf(sourcePath, rules));
    if (!outputName)
        return std::nullopt;
    if (outputFolder)
        return rules.Join(*outputFolder, *outputName);
    return SourceFolderOf(sourcePath, rules) + *outputName;
}

} // namespace lyricast

#include "scan/FolderWalk.h"

#include "platform/AsciiCase.h"

#include <algorithm>

namespace lyricast {
namespace {

const std::string kKaraokeExtension = ".KAR";
const std::string kMidiExtensions[] = {".MID", ".MIDI"};

} // namespace

std::string UpperExtensionOf(std::string_view name) {
    const auto dot = name.rfind('.');
    if (dot == std::string_view::npos)
        return {};
    std::string extension(name.substr(dot));
    std::transform(extension.begin(), extension.end(), extension.begin(), AsciiUpper);
    return extension;
}

bool ListsBefore(std::string_view a, std::string_view b) {
    const auto byte = [](char c) { return static_cast<unsigned char>(c); };
    const auto foldedLess = [&](char l, char r) {
        return byte(AsciiUpper(l)) < byte(AsciiUpper(r));
    };
    const auto rawLess = [&](char l, char r) { return byte(l) < byte(r); };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), foldedLess))
        return true;
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), foldedLess))
        return false;
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), rawLess);
}

void FolderWalk::WalkFolder(const std::string& folder) {
    visited_.clear();
    std::string reason;
    const auto open = OpenFolder::Open(folder, reason);
    if (open)
        FirstVisit(*open);
    Walk(open, folder, reason);
}

bool FolderWalk::Listed(const std::string& extension) const {
    if (extension == kKaraokeExtension)
        return true;
    return hooks_.midiFilesToo && std::find(std::begin(kMidiExtensions), std::end(kMidiExtensions),
                                            extension) != std::end(kMidiExtensions);
}

bool FolderWalk::FirstVisit(const OpenFolder& folder) {
    const auto identity = folder.Identity();
    return !identity || visited_.insert(*identity).second;
}

// `open` is the folder opened, or nothing and the reason it could not be.
void FolderWalk::Walk(const std::optional<OpenFolder>& open, const std::string& folder,
                      const std::string& openFailure) {
    hooks_.folderStarted();
    // Whoever ran during the pause may have asked the walk to stop; it adds nothing more then.
    if (hooks_.stopRequested())
        return;
    if (!open)
        return hooks_.folderUnreadable(folder, openFailure);
    std::string reason;
    auto entries = open->List(reason);
    if (!entries)
        return hooks_.folderUnreadable(folder, reason);
    std::sort(entries->begin(), entries->end(), [](const FolderEntry& a, const FolderEntry& b) {
        return ListsBefore(a.name, b.name);
    });

    for (const FolderEntry& entry : *entries) {
        const std::string path = rules_.Join(folder, entry.name);
        if (entry.isFolder && hooks_.includeSubFolders()) {
            if (!entry.name.starts_with('.') && !hooks_.stopRequested()) {
                const auto child = open->OpenChild(entry.name, reason);
                if (!child || FirstVisit(*child))
                    Walk(child, path, reason);
            }
        } else {
            const std::string extension = UpperExtensionOf(entry.name);
            if (Listed(extension))
                hooks_.karaokeFile(path, extension);
        }
        if (hooks_.stopRequested())
            break;
    }
}

} // namespace lyricast

#pragma once

#include "platform/FileIdentity.h"
#include "platform/OpenFolder.h"
#include "platform/PathRules.h"

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace lyricast {

// What the walk asks of whoever runs it. Every hook is read at the moment the
// walk needs it, so a change made inside folderStarted takes effect at once.
struct WalkHooks {
    std::function<void()> folderStarted;     // at the start of every folder
    std::function<bool()> includeSubFolders; // each time a folder entry is met
    std::function<bool()>
        stopRequested; // after the folder start, before descending, after each entry
    std::function<void(const std::string& path, const std::string& extension)> karaokeFile;
    // A folder that could not be opened or listed, with the system's reason,
    // at the place the walk met it; nothing of it is walked.
    std::function<void(const std::string& folder, const std::string& reason)> folderUnreadable;
    // ".MID" and ".MIDI" files (any letter case) are handed to karaokeFile too.
    bool midiFilesToo = false;
};

// Walks a folder tree for ".KAR" files (any letter case), and MIDI files
// when asked, depth first, in the
// name order of the original platform. Every folder is entered at most once
// in a walk, however many links lead to it, and every folder it enters or
// fails to enter is either walked or reported. Sub-folders are opened through
// their parent, so files whose paths grow beyond the system's limit are still
// handed to karaokeFile (where opening them by that path then fails).
class FolderWalk {
public:
    FolderWalk(WalkHooks hooks, const PathRules& rules) : hooks_(std::move(hooks)), rules_(rules) {}

    void WalkFolder(const std::string& folder);

private:
    void Walk(const std::optional<OpenFolder>& open, const std::string& folder,
              const std::string& openFailure);
    bool FirstVisit(const OpenFolder& folder);
    bool Listed(const std::string& extension) const;

    WalkHooks hooks_;
    const PathRules& rules_;
    std::set<FileIdentity> visited_;
};

// Upper-cased text from the name's last "." to its end; empty without a ".".
std::string UpperExtensionOf(std::string_view name);

// Entry order of the original platform: ASCII letters folded to upper case
// (so "_" sorts after "Z"), ties broken by the raw bytes.
bool ListsBefore(std::string_view a, std::string_view b);

} // namespace lyricast

#pragma once

#include "platform/PathRules.h"

#include <string>
#include <string_view>
#include <vector>

namespace lyricast {

// The folder list's items: the ladder of folders from the root down to the
// current folder, then the folders below it.
enum class LadderKind {
    Open,    // a folder on the path of the current folder (and a network share's root)
    Current, // the current folder itself
    Closed,  // a folder directly below the current folder
};

struct LadderItem {
    std::string text;
    LadderKind kind = LadderKind::Open;
};

using LeadBytePredicate = bool (*)(unsigned char);

// The open and current items that lead from the root to `folder`: the root
// with its separator first ("C:\", "/"); for a network path the share's root
// ("\\srv\share\") as an open item before the rest. A double-byte character
// (its first byte told by `leadByte`) is never split.
std::vector<LadderItem> LadderOf(std::string_view folder, const PathRules& rules,
                                 LeadBytePredicate leadByte = nullptr);

// The indent in pixels of an item: index x 4 + 2, but for a closed item the
// number of separators in `folder` x 4 + 6.
int LadderIndent(std::size_t index, LadderKind kind, std::string_view folder,
                 const PathRules& rules, LeadBytePredicate leadByte = nullptr);

// The folder an item of the ladder of `folder` stands for.
std::string LadderItemPath(std::size_t index, const LadderItem& item, std::string_view folder,
                           const PathRules& rules, LeadBytePredicate leadByte = nullptr);

// A path split before its last part: {"C:\A", "B"} of "C:\A\B", {"/", "x"} of
// "/x", {"", "x"} of "x". A root keeps its separator.
struct PathSplit {
    std::string folder;
    std::string last;
};
PathSplit SplitLastPart(std::string_view path, const PathRules& rules);

} // namespace lyricast

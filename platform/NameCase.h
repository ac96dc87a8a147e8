#pragma once

#include <string>
#include <string_view>

namespace lyricast {

// A file name as a file system that ignores letter case sees it: two names
// with the same folded form are one file there. Letters of UTF-8 text are
// upper-cased (ASCII, Latin with its accents, Vietnamese, Greek, Cyrillic,
// Armenian, full-width Latin); bytes that are not UTF-8 keep their value but
// for ASCII letters. Folding a little more than a file system does only ever
// refuses an output, never lets one replace another.
std::string FoldedName(std::string_view name);

// The name with the case of each ASCII letter swapped; the same name when it
// has none.
std::string CaseSwapped(std::string_view name);

// Whether the folder's file system treats names differing only in letter
// case as one file: always on Windows; elsewhere found out for this folder,
// since a FAT or exFAT stick or a case-folding folder can sit anywhere.
bool FolderFoldsCase(const std::string& folder);

} // namespace lyricast

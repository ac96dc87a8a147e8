#pragma once

#include <string>
#include <string_view>

namespace lyricast {

// How one platform spells paths. Pure path functions take these rules as an
// argument so that both the Windows and the POSIX spelling can be tested on
// either platform; the program itself uses Native().
struct PathRules {
    char separator;                 // put between a folder and a name
    std::string_view folderEnds;    // characters after which a file name starts
    bool caseInsensitive;           // names differing only in ASCII case are the same file

    static const PathRules& Windows();
    static const PathRules& Posix();
    static const PathRules& Native();

    bool IsSeparator(char c) const { return folderEnds.find(c) != std::string_view::npos; }
    // Index of the last character after which the file name starts, or npos.
    std::size_t LastFolderEnd(std::string_view path) const { return path.find_last_of(folderEnds); }
    // folder + separator + name; the separator is put even after a folder
    // that already ends in one (a root), as the scan and the batch always have.
    std::string Join(std::string_view folder, std::string_view name) const;
};

} // namespace lyricast

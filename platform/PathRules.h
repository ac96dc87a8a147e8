#pragma once

#include <string>
#include <string_view>

namespace lyricast {

// How one platform spells paths. Pure path functions take these rules as an
// argument so that both the Windows and the POSIX spelling can be tested on
// either platform; the program itself uses Native().
struct PathRules {
    char separator;              // put between a folder and a name
    std::string_view folderEnds; // characters after which a file name starts
    bool caseInsensitive;        // names differing only in letter case are the same file
    bool driveLetters;           // paths may start with a drive (C:) or a share (\\server\share)

    static const PathRules& Windows();
    static const PathRules& Posix();
    static const PathRules& Native();

    bool IsSeparator(char c) const { return folderEnds.find(c) != std::string_view::npos; }
    // Index of the last character after which the file name starts, or npos.
    std::size_t LastFolderEnd(std::string_view path) const { return path.find_last_of(folderEnds); }
    // folder + separator + name; a root already ends in its separator, so
    // C:\ or / and a name take none more (C:\song.kar), and nor does a bare
    // drive (C: and song.kar give C:song.kar, in that drive's current folder).
    std::string Join(std::string_view folder, std::string_view name) const;
    // A drive's or share's root (C:\, \\srv\share\, /, \), or a bare drive (C:).
    bool IsRoot(std::string_view folder) const;
    // The drive part of a path: C: of C:\A, \\srv\share of \\srv\share\A; empty
    // for a path without one, and always under rules without drive letters.
    std::string_view DrivePart(std::string_view path) const;
    // Two spellings of the same path, letter case aside where the rules say so.
    bool SamePath(std::string_view a, std::string_view b) const;
    // `root` is `path` or a folder above it ("/mnt/usb" holds "/mnt/usb/a", not "/mnt/usbx").
    bool Holds(std::string_view root, std::string_view path) const;
};

// A byte that starts a double-byte character of the program's paths, whose
// second byte could pass for a separator. Never so: paths are UTF-8 on every
// platform, and no byte of a UTF-8 character is an ASCII one.
bool IsNativeLeadByte(unsigned char byte);

} // namespace lyricast

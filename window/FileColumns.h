#pragma once

#include "window/FileRow.h"

#include <cstddef>
#include <span>
#include <string>
#include <vector>

namespace lyricast {

// One column of the file list, as every window shows it: its caption, its
// width in pixels at 96 dots per inch, the widest text it holds (a window
// that sizes its columns to its font makes room for it), what it shows of a
// row, the order a click on its header sorts the rows in, and whether it
// takes the width the other columns leave, as the list's width changes.
struct FileColumn {
    const char* caption;
    int width;
    const char* widest;
    std::string (*text)(const FileRow& row);
    bool (*before)(const FileRow& a, const FileRow& b);
    bool fills = false;
};

// "File Name", "Ext", "Status", "Num.Tracks" and "Lyrics", in order; the
// first shows the file's path and fills the list's width.
std::span<const FileColumn> FileColumns();

// The "Lyrics" column, which the pass after the scan fills.
inline constexpr std::size_t kLyricsColumn = 4;

// A row's texts, one a column, in the columns' order.
std::vector<std::string> RowTexts(const FileRow& row);

} // namespace lyricast

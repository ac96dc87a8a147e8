#include "window/FileColumns.h"

#include "platform/FolderListing.h"
#include "scan/FileJudgement.h"

#include <array>
#include <string_view>
#include <tuple>

namespace lyricast {
namespace {

constexpr std::array kColumns = {
    FileColumn{"File Name", 300, "", [](const FileRow& row) { return row.path; },
               [](const FileRow& a, const FileRow& b) { return LessIgnoringCase(a.path, b.path); },
               true},
    FileColumn{"Ext", 50, ".MIDI", [](const FileRow& row) { return row.extension; },
               [](const FileRow& a, const FileRow& b) {
                   return LessIgnoringCase(a.extension, b.extension);
               }},
    // "Bad" before "Good", as their texts sort.
    FileColumn{"Status", 50, "Good",
               [](const FileRow& row) { return std::string(VerdictText(row.good)); },
               [](const FileRow& a, const FileRow& b) { return a.good < b.good; }},
    FileColumn{"Num.Tracks", 70, "65535",
               [](const FileRow& row) { return TrackCountText(row.trackCount); },
               [](const FileRow& a, const FileRow& b) { return a.trackCount < b.trackCount; }},
    FileColumn{"Lyrics", 120, "9999 / 999 lines (both)",
               [](const FileRow& row) { return row.lyrics.text; },
               [](const FileRow& a, const FileRow& b) {
                   const auto key = [](const RowLyrics& lyrics) {
                       return std::tie(lyrics.read, lyrics.words, lyrics.syllables, lyrics.text);
                   };
                   return key(a.lyrics) < key(b.lyrics);
               }},
};

static_assert(std::string_view(kColumns[kLyricsColumn].caption) == "Lyrics");

} // namespace

std::span<const FileColumn> FileColumns() {
    return kColumns;
}

std::vector<std::string> RowTexts(const FileRow& row) {
    std::vector<std::string> texts;
    texts.reserve(kColumns.size());
    for (const FileColumn& column : kColumns)
        texts.push_back(column.text(row));
    return texts;
}

} // namespace lyricast

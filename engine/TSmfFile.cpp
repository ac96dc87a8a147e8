#include "engine/TSmfFile.h"

#include "engine/FileSink.h"
#include "engine/KeptMemory.h"

#include "platform/FileIO.h"
#include "platform/ReadableFile.h"

#include <algorithm>

namespace lyricast {

void TSmfFile::Reset() noexcept {
    ClearKeepingSmall(chunks_);
    ClearKeepingSmall(tracks_);
    events_.Clear();
    textEvents_ = 0;
    lyricEvents_ = 0;
    lastEndOfTrack_ = 0;
    songEnd_ = 0;
    damaged_ = false;
    writer_.Trim();
    loaded = false;
}

void TSmfFile::MakeTracks(std::size_t count) {
    tracks_.assign(count, SmfTrack{});
}

std::string_view TSmfFile::TrackName(std::size_t track) const {
    const SmfTrack& record = tracks_[track];
    if (!record.named())
        return {};
    return {reinterpret_cast<const char*>(events_.bytes().data()) + record.nameAt(),
            record.nameLength()};
}

// The file's first bytes are read in one go, which holds every header of a
// small file; a header beyond them is read on its own, so a huge file (or a
// sparse one) still costs no more than its headers.
bool TSmfFile::LoadHeader(const std::string& path) {
    if (loaded)
        Reset();
    const ReadableFile file(path);
    loaded = true;
    std::vector<std::uint8_t>& head = events_.bytes();
    head.resize(static_cast<std::size_t>(std::min<std::uint64_t>(file.size(), kHeadBytes)));
    head.resize(file.ReadAt(0, head));
    const std::span<const std::uint8_t> start = head;
    return Loaded(
        ParseHeader(file.size(), [&file, start](std::uint64_t offset, std::span<std::uint8_t> out) {
            if (offset > start.size() || out.size() > start.size() - offset)
                return file.ReadAt(offset, out);
            const auto from = start.subspan(static_cast<std::size_t>(offset), out.size());
            std::copy(from.begin(), from.end(), out.begin());
            return out.size();
        }));
}

// The image becomes the song's bytes, which its events point into.
bool TSmfFile::LoadFile(const std::string& path) {
    if (loaded)
        Reset();
    ReadWholeFileInto(path, events_.bytes(), kAddedBytesRoom);
    loaded = true;
    return Load(events_.bytes(), true);
}

bool TSmfFile::LoadHeaderImage(std::span<const std::uint8_t> image) {
    if (loaded)
        Reset();
    loaded = true;
    return Load(image, false);
}

// The image is copied, as the song's events point into its bytes; it must
// not be those bytes themselves.
bool TSmfFile::LoadFileImage(std::span<const std::uint8_t> image) {
    if (loaded)
        Reset();
    loaded = true;
    std::vector<std::uint8_t>& bytes = events_.bytes();
    bytes.clear();
    bytes.reserve(image.size() + kAddedBytesRoom);
    bytes.assign(image.begin(), image.end());
    return Load(events_.bytes(), true);
}

bool TSmfFile::Load(std::span<const std::uint8_t> image, bool wholeFile) {
    if (!Loaded(ParseHeader(image)))
        return false;
    if (wholeFile)
        ReadTracks();
    return true;
}

// Keeps the header parse's result; a song whose header failed is reset.
bool TSmfFile::Loaded(HeaderResult result) {
    headerResult = result;
    if (result == kHeaderOk)
        return true;
    Reset();
    return false;
}

SaveResult TSmfFile::SaveToBytes(std::vector<std::uint8_t>& out) const {
    SmfWriter writer;
    if (writer.WriteMergedTrack(*this) != TrackResult::Written) {
        out.clear();
        return kSaveNotWritable;
    }
    out = writer.Take();
    return kSaved;
}

// The song keeps its writer, so a song saved file after file allocates only
// when a file is larger than any before.
SaveResult TSmfFile::SaveToFile(const std::string& path) const {
    FileSink file(path);
    if (writer_.WriteMergedTrack(*this, &file) != TrackResult::Written)
        return kSaveNotWritable;
    file.Commit();
    return kSaved;
}

} // namespace lyricast

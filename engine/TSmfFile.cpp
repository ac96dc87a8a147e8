#include "engine/TSmfFile.h"

#include "platform/FileIO.h"
#include "platform/ReadableFile.h"

#include <algorithm>

namespace lyricast {

void TSmfFile::Reset() {
    chunks.clear();
    ClearTracks();
    loaded = false;
}

// The records' memory goes back to the pool, for the next load.
void TSmfFile::ClearTracks() {
    for (SmfTrack& track : tracks)
        track.Clear();
    tracks.clear();
    if (pool_)
        pool_->bytes().Clear();
}

void TSmfFile::MakeTracks(std::size_t count) {
    ClearTracks();
    if (!pool_)
        pool_ = std::make_unique<EventPool>(); // a song moved from gets a new one
    tracks.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        tracks.emplace_back(*pool_);
}

void TSmfFile::AddChannelEvent(std::size_t track, std::uint8_t status, std::uint8_t data1,
                               std::uint8_t data2, std::uint32_t time) {
    tracks[track].Append(time, status, status & 0x0F, data1, data2);
}

void TSmfFile::AddSysexEvent(std::size_t track, std::uint8_t status,
                             std::span<const std::uint8_t> data, std::uint32_t time) {
    SmfTrack& target = tracks[track];
    SmfEvent& event = target.Append(time, status);
    event.sysexData = target.NewBytes({status}, data);
    event.channelOrSize = static_cast<std::uint8_t>(event.sysexData.size());
}

void TSmfFile::AddMetaEvent(std::size_t track, std::uint8_t status, std::uint8_t type,
                            std::span<const std::uint8_t> data, std::uint32_t time) {
    SmfTrack& target = tracks[track];
    if (type == kMetaTrackName && target.name.empty()) {
        // The first name of a record becomes its name, never an event; an
        // empty one is dropped so that the next name is taken in its place.
        const auto end = std::find(data.begin(), data.end(), std::uint8_t{0});
        const auto length = std::min<std::size_t>(static_cast<std::size_t>(end - data.begin()),
                                                  SmfTrack::kMaxNameLength);
        target.name.assign(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(length));
        return;
    }
    SmfEvent& event = target.Append(time, status, 0, type);
    event.metaData = target.NewBytes({status, type, static_cast<std::uint8_t>(data.size())}, data);
    event.channelOrSize = static_cast<std::uint8_t>(event.metaData.size());
    if (type == kMetaText)
        target.hasText = true;
}

// The file's first bytes are read in one go, which holds every header of a
// small file; a header beyond them is read on its own, so a huge file (or a
// sparse one) still costs no more than its headers.
bool TSmfFile::LoadHeader(const std::string& path) {
    if (loaded)
        Reset();
    const ReadableFile file(path);
    loaded = true;
    image_.resize(static_cast<std::size_t>(std::min<std::uint64_t>(file.size(), kHeadBytes)));
    image_.resize(file.ReadAt(0, image_));
    const std::span<const std::uint8_t> head = image_;
    return Loaded(
        ParseHeader(file.size(), [&file, head](std::uint64_t offset, std::span<std::uint8_t> out) {
            if (offset > head.size() || out.size() > head.size() - offset)
                return file.ReadAt(offset, out);
            const auto from = head.subspan(static_cast<std::size_t>(offset), out.size());
            std::copy(from.begin(), from.end(), out.begin());
            return out.size();
        }));
}

bool TSmfFile::LoadFile(const std::string& path) {
    if (loaded)
        Reset();
    ReadWholeFileInto(path, image_);
    return LoadFileImage(image_);
}

bool TSmfFile::LoadHeaderImage(std::span<const std::uint8_t> image) {
    return Load(image, false);
}

bool TSmfFile::LoadFileImage(std::span<const std::uint8_t> image) {
    return Load(image, true);
}

bool TSmfFile::Load(std::span<const std::uint8_t> image, bool wholeFile) {
    if (loaded)
        Reset();
    loaded = true;
    if (!Loaded(ParseHeader(image)))
        return false;
    if (wholeFile)
        ReadTracks(image);
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

} // namespace lyricast

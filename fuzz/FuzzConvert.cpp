// libFuzzer target: any bytes through both loads, each lyric rewrite (as
// written, and for a keyboard with a longest line taken from the input) and
// the save. Besides the sanitizers' reports it stops on an output that is
// not framed as a one-track format-0 file, a header verdict that differs
// between the header-only and the whole load, a save whose bytes differ
// between the writer's two ways of merging the records, or one the reader
// does not take back.
#include "engine/TSmfFile.h"
#include "support/OutputFrame.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <vector>

namespace {

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "fuzz_convert: %s\n", what);
    std::abort();
}

// Saves the song both ways and checks what was written. A keyboard song may
// end later than its last event.
void CheckSave(const lyricast::TSmfFile& song, bool endsLater) {
    std::vector<std::uint8_t> out;
    const lyricast::SaveResult saved = song.SaveToBytes(out);

    lyricast::SmfWriter byQueue;
    const lyricast::TrackResult queued =
        byQueue.WriteMergedTrack(song, nullptr, lyricast::MergeBy::Queue);
    if ((queued == lyricast::TrackResult::Written) != (saved == lyricast::kSaved) ||
        (saved == lyricast::kSaved && byQueue.Take() != out))
        Fail("the sort and the queue merge the records differently");

    if (saved == lyricast::kSaveNotWritable)
        return; // a delta time beyond four bytes: refused, nothing written
    if (saved != lyricast::kSaved)
        Fail("save returned neither kSaved nor kSaveNotWritable");
    if (const auto problem = lyricast::test::FrameProblem(out, song.division, endsLater))
        Fail(problem->c_str());

    // What the writer wrote, the reader must take back.
    lyricast::TSmfFile again;
    if (!again.LoadFileImage(out))
        Fail("the saved song does not load");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> image(data, size);

    lyricast::TSmfFile header;
    const bool headerLoaded = header.LoadHeaderImage(image);

    lyricast::TSmfFile song;
    const bool loaded = song.LoadFileImage(image);
    if (headerLoaded != loaded || header.headerResult != song.headerResult)
        Fail("header-only and whole loads disagree on the verdict");
    if (!loaded)
        return 0;
    if (header.GetTrackCount() != song.GetTrackCount())
        Fail("header-only and whole loads count differently");

    song.TextToLyric();
    CheckSave(song, false);

    lyricast::TSmfFile keyboard;
    if (!keyboard.LoadFileImage(image))
        Fail("a second whole load of the same bytes fails");
    keyboard.LyricsForKeyboard(size > 0 ? data[size / 2] % 64 : 0);
    CheckSave(keyboard, true);
    return 0;
}

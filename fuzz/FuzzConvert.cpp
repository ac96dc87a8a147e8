// libFuzzer target: any bytes through both loads, the lyric rewrite and the
// save. Besides the sanitizers' reports it stops on an output that is not
// framed as a one-track format-0 file, or a header verdict that differs
// between the header-only and the whole load.
#include "engine/TSmfFile.h"

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

std::uint32_t U32At(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return std::uint32_t{bytes[at]} << 24 | std::uint32_t{bytes[at + 1]} << 16 |
           std::uint32_t{bytes[at + 2]} << 8 | bytes[at + 3];
}

void CheckFrame(const std::vector<std::uint8_t>& out, std::uint16_t division) {
    static constexpr std::uint8_t kHead[] = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1};
    static constexpr std::uint8_t kTail[] = {0x00, 0xFF, 0x2F, 0x00};
    if (out.size() < 26) Fail("output shorter than a header, a chunk header and an End of Track");
    for (std::size_t i = 0; i < sizeof kHead; ++i)
        if (out[i] != kHead[i]) Fail("output header is not format 0 with one track");
    if ((out[12] << 8 | out[13]) != division) Fail("output division differs from the song's");
    if (out[14] != 'M' || out[15] != 'T' || out[16] != 'r' || out[17] != 'k') Fail("no MTrk at 14");
    if (U32At(out, 18) != out.size() - 22) Fail("track length at 18 does not match the bytes written");
    for (std::size_t i = 0; i < sizeof kTail; ++i)
        if (out[out.size() - 4 + i] != kTail[i]) Fail("track does not end with 00 FF 2F 00");
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
    if (!loaded) return 0;
    if (header.GetTrackCount() != song.GetTrackCount()) Fail("header-only and whole loads count differently");

    song.TextToLyric();
    std::vector<std::uint8_t> out;
    const int saved = song.SaveToBytes(out);
    if (saved == -2) return 0;  // a delta time beyond four bytes: refused, nothing written
    if (saved != 0) Fail("save returned neither 0 nor -2");
    CheckFrame(out, song.division);

    // What the writer wrote, the reader must take back.
    lyricast::TSmfFile again;
    if (!again.LoadFileImage(out)) Fail("the saved song does not load");
    return 0;
}

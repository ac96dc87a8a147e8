#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace lyricast::test {

// What is wrong with the frame every save must have, whatever song it holds:
// a format-0 header with one track and the song's division, one "MTrk" chunk
// whose length at byte 18 covers the rest, closed by an End of Track right
// after the last event or, for a song that ends later, after a delta time.
// Nothing when the frame is right.
inline std::optional<std::string> FrameProblem(std::span<const std::uint8_t> out,
                                               std::uint16_t division, bool endsLater = false) {
    static constexpr std::uint8_t kHead[] = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1};
    static constexpr std::uint8_t kTail[] = {0x00, 0xFF, 0x2F, 0x00};
    const auto u32At = [&out](std::size_t at) {
        return std::uint32_t{out[at]} << 24 | std::uint32_t{out[at + 1]} << 16 |
               std::uint32_t{out[at + 2]} << 8 | out[at + 3];
    };
    if (out.size() < 26)
        return "output shorter than a header, a chunk header and an End of Track";
    for (std::size_t i = 0; i < sizeof kHead; ++i)
        if (out[i] != kHead[i])
            return "output header is not format 0 with one track";
    if ((out[12] << 8 | out[13]) != division)
        return "output division differs from the song's";
    if (out[14] != 'M' || out[15] != 'T' || out[16] != 'r' || out[17] != 'k')
        return "no MTrk at 14";
    if (u32At(18) != out.size() - 22)
        return "track length " + std::to_string(u32At(18)) + " at 18 in a file of " +
               std::to_string(out.size());
    for (std::size_t i = endsLater ? 1 : 0; i < sizeof kTail; ++i)
        if (out[out.size() - 4 + i] != kTail[i])
            return "track does not end with 00 FF 2F 00";
    if (endsLater && out[out.size() - 4] >= 0x80)
        return "track does not end with a delta time and FF 2F 00";
    return std::nullopt;
}

} // namespace lyricast::test

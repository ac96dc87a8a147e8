#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace lyricast {

// The only way the reader looks at file bytes: a view over a span that can
// never move past its end. Every read either yields its value and advances,
// or yields nothing and leaves the cursor where it was.
class ByteCursor {
public:
    explicit ByteCursor(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::size_t position() const { return position_; }
    std::size_t remaining() const { return bytes_.size() - position_; }
    bool canRead(std::size_t n) const { return n <= remaining(); }

    std::optional<std::uint8_t> u8() {
        if (!canRead(1))
            return std::nullopt;
        return bytes_[position_++];
    }

    std::optional<std::uint16_t> u16be() {
        if (!canRead(2))
            return std::nullopt;
        const auto value =
            static_cast<std::uint16_t>(bytes_[position_] << 8 | bytes_[position_ + 1]);
        position_ += 2;
        return value;
    }

    std::optional<std::uint32_t> u32be() {
        if (!canRead(4))
            return std::nullopt;
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value = value << 8 | bytes_[position_ + i];
        position_ += 4;
        return value;
    }

    // A variable-length quantity of any number of bytes; bits above the 32nd
    // are lost. Nothing when the bytes end before a byte with bit 7 clear.
    std::optional<std::uint32_t> vlq() {
        std::uint32_t value = 0;
        for (std::size_t at = position_; at < bytes_.size(); ++at) {
            value = value << 7 | (bytes_[at] & 0x7Fu);
            if ((bytes_[at] & 0x80u) == 0) {
                position_ = at + 1;
                return value;
            }
        }
        return std::nullopt;
    }

    std::optional<std::span<const std::uint8_t>> bytes(std::size_t n) {
        if (!canRead(n))
            return std::nullopt;
        const auto view = bytes_.subspan(position_, n);
        position_ += n;
        return view;
    }

    // Compares the next bytes with a tag such as "MThd" and moves past them
    // only when they match.
    bool tag(const char (&text)[5]) {
        if (!canRead(4))
            return false;
        for (std::size_t i = 0; i < 4; ++i)
            if (bytes_[position_ + i] != static_cast<std::uint8_t>(text[i]))
                return false;
        position_ += 4;
        return true;
    }

    bool skip(std::size_t n) {
        if (!canRead(n))
            return false;
        position_ += n;
        return true;
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

} // namespace lyricast

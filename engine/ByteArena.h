#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace lyricast {

// Memory for the byte buffers of a track's events, handed out from a few
// large pieces instead of one allocation each. A buffer never moves once
// given out. Clear takes every buffer back at once and keeps the pieces, so a
// song reused for the next file allocates nothing it already had.
class ByteArena {
public:
    ByteArena() = default;
    ByteArena(const ByteArena&) = delete;
    ByteArena& operator=(const ByteArena&) = delete;

    std::uint8_t* Allocate(std::size_t size) {
        if (size > static_cast<std::size_t>(limit_ - free_))
            return AllocateSlow(size);
        std::uint8_t* const given = free_;
        free_ += size;
        return given;
    }

    void Clear() {
        current_ = 0;
        free_ = limit_ = nullptr;
        if (!pieces_.empty())
            Enter(0);
    }

private:
    static constexpr std::size_t kFirstPiece = 4096;
    static constexpr std::size_t kLargestPiece = 1 << 20;

    struct Piece {
        std::unique_ptr<std::uint8_t[]> bytes;
        std::size_t size;
    };

    void Enter(std::size_t piece) {
        current_ = piece;
        free_ = pieces_[piece].bytes.get();
        limit_ = free_ + pieces_[piece].size;
    }

    // The next kept piece that is large enough, else a new one. A piece too
    // small for this buffer stays unused until the next Clear.
    std::uint8_t* AllocateSlow(std::size_t size) {
        std::size_t next = free_ == nullptr ? current_ : current_ + 1;
        while (next < pieces_.size() && pieces_[next].size < size)
            ++next;
        if (next == pieces_.size()) {
            const std::size_t last = pieces_.empty() ? kFirstPiece / 2 : pieces_.back().size;
            const std::size_t pieceSize = std::max(size, std::min(last * 2, kLargestPiece));
            pieces_.push_back(
                {std::make_unique_for_overwrite<std::uint8_t[]>(pieceSize), pieceSize});
        }
        Enter(next);
        return Allocate(size);
    }

    std::vector<Piece> pieces_;
    std::size_t current_ = 0;
    std::uint8_t* free_ = nullptr;
    std::uint8_t* limit_ = nullptr;
};

} // namespace lyricast

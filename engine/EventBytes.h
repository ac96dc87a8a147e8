#pragma once

#include "engine/ByteArena.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <span>

namespace lyricast {

// The bytes of one event (a system-exclusive or meta event's buffer), kept in
// its song's arena, which releases them with the song's events. The length
// is kept in front of the bytes in the same block, so an event that has none
// pays a single null pointer: events stay small, and songs of many thousands
// of them stay in the cache.
class EventBytes {
public:
    EventBytes() = default;

    // A buffer from `arena` holding `head` and then `body`.
    EventBytes(ByteArena& arena, std::initializer_list<std::uint8_t> head,
               std::span<const std::uint8_t> body)
        : block_(arena.Allocate(kPrefix + head.size() + body.size())) {
        const std::size_t size = head.size() + body.size();
        std::memcpy(block_, &size, kPrefix);
        std::uint8_t* out = block_ + kPrefix;
        for (std::uint8_t b : head)
            *out++ = b;
        if (!body.empty())
            std::memcpy(out, body.data(), body.size());
    }

    std::size_t size() const {
        std::size_t size = 0;
        if (block_ != nullptr)
            std::memcpy(&size, block_, kPrefix);
        return size;
    }
    bool empty() const { return size() == 0; }

    std::uint8_t* begin() { return block_ != nullptr ? block_ + kPrefix : nullptr; }
    std::uint8_t* end() { return begin() + size(); }
    const std::uint8_t* begin() const { return block_ != nullptr ? block_ + kPrefix : nullptr; }
    const std::uint8_t* end() const { return begin() + size(); }
    std::uint8_t& operator[](std::size_t i) { return begin()[i]; }
    std::uint8_t operator[](std::size_t i) const { return begin()[i]; }

    std::span<std::uint8_t> span() { return {begin(), size()}; }
    std::span<const std::uint8_t> span() const { return {begin(), size()}; }

private:
    static constexpr std::size_t kPrefix = sizeof(std::size_t);

    std::uint8_t* block_ = nullptr;
};

} // namespace lyricast

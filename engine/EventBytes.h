#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <span>

namespace lyricast {

// The bytes one event owns (a system-exclusive or meta event's buffer). The
// length is kept in front of the bytes in the same block, so an event that
// has none pays a single null pointer: events stay small, and songs of many
// thousands of them stay in the cache.
class EventBytes {
public:
    EventBytes() = default;

    // A buffer holding `head` and then `body`.
    EventBytes(std::initializer_list<std::uint8_t> head, std::span<const std::uint8_t> body) {
        const std::size_t size = head.size() + body.size();
        block_.reset(new std::uint8_t[kPrefix + size]);
        std::memcpy(block_.get(), &size, kPrefix);
        std::uint8_t* out = block_.get() + kPrefix;
        for (std::uint8_t b : head) *out++ = b;
        if (!body.empty()) std::memcpy(out, body.data(), body.size());
    }

    std::size_t size() const {
        std::size_t size = 0;
        if (block_) std::memcpy(&size, block_.get(), kPrefix);
        return size;
    }
    bool empty() const { return size() == 0; }

    std::uint8_t* begin() { return block_ ? block_.get() + kPrefix : nullptr; }
    std::uint8_t* end() { return begin() + size(); }
    const std::uint8_t* begin() const { return block_ ? block_.get() + kPrefix : nullptr; }
    const std::uint8_t* end() const { return begin() + size(); }
    std::uint8_t& operator[](std::size_t i) { return begin()[i]; }
    std::uint8_t operator[](std::size_t i) const { return begin()[i]; }

    std::span<std::uint8_t> span() { return {begin(), size()}; }
    std::span<const std::uint8_t> span() const { return {begin(), size()}; }

private:
    static constexpr std::size_t kPrefix = sizeof(std::size_t);

    std::unique_ptr<std::uint8_t[]> block_;
};

} // namespace lyricast

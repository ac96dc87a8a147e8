#pragma once

#include "engine/SmfEvent.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <utility>
#include <vector>

namespace lyricast {

// The events of one song, one after another in three arrays: each event's
// time; its status and first data byte (a meta event's type); and its
// second data byte or, for an event that carries bytes (system exclusive,
// escape, meta), where its count and then its bytes lie in the song's
// bytes. Those are the file image the song was read from, kept whole rather
// than copied piece by piece; bytes that replace an event's own can be added
// at their end, and the event pointed there. An event put among the others
// moves those after it one place on.
class EventStore {
public:
    EventStore() = default;
    EventStore(const EventStore&) = delete;
    EventStore& operator=(const EventStore&) = delete;
    // What is moved from is left empty.
    EventStore(EventStore&& other) noexcept { *this = std::move(other); }
    EventStore& operator=(EventStore&& other) noexcept {
        times_ = std::move(other.times_);
        codes_ = std::move(other.codes_);
        values_ = std::move(other.values_);
        size_ = std::exchange(other.size_, 0);
        capacity_ = std::exchange(other.capacity_, 0);
        bytes_ = std::move(other.bytes_);
        return *this;
    }

    static constexpr std::size_t kBytesPerEvent =
        sizeof(std::uint32_t) + sizeof(std::uint16_t) + sizeof(std::uint32_t);

    std::size_t size() const { return size_; }
    std::uint32_t time(std::size_t i) const { return times_[i]; }
    std::uint8_t status(std::size_t i) const { return static_cast<std::uint8_t>(codes_[i]); }
    std::uint8_t data1(std::size_t i) const { return static_cast<std::uint8_t>(codes_[i] >> 8); }
    // The second data byte of a channel event; where the bytes of any other lie.
    std::uint32_t value(std::size_t i) const { return values_[i]; }

    SmfEvent At(std::size_t i) const;
    std::span<const std::uint8_t> BodyOf(std::size_t i) const;
    std::span<std::uint8_t> BodyOf(std::size_t i);
    void SetType(std::size_t i, std::uint8_t type) {
        codes_[i] = static_cast<std::uint16_t>((codes_[i] & 0xFF) | type << 8);
    }

    std::vector<std::uint8_t>& bytes() { return bytes_; }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

    // Room for `count` events in all, so that appending them moves nothing.
    void Reserve(std::size_t count);
    void Append(std::uint32_t time, std::uint8_t status, std::uint8_t data1, std::uint32_t value) {
        if (size_ == capacity_)
            Grow();
        times_[size_] = time;
        codes_[size_] = static_cast<std::uint16_t>(status | data1 << 8);
        values_[size_] = value;
        ++size_;
    }
    // Puts an event at `at`, the events from there on one place later.
    void Insert(std::size_t at, std::uint32_t time, std::uint8_t status, std::uint8_t data1,
                std::uint32_t value);

    // Forgets every event; memory beyond what a song keeps goes back. The
    // bytes are left for the next file to be read over.
    void Clear() noexcept;

private:
    void Grow();
    void Allocate(std::size_t capacity);
    std::span<const std::uint8_t> BodyAt(std::uint32_t at) const;

    std::unique_ptr<std::uint32_t[]> times_;
    std::unique_ptr<std::uint16_t[]> codes_;
    std::unique_ptr<std::uint32_t[]> values_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
    std::vector<std::uint8_t> bytes_;
};

} // namespace lyricast

#include "engine/EventStore.h"

#include "engine/ByteCursor.h"
#include "engine/KeptMemory.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace lyricast {

SmfEvent EventStore::At(std::size_t i) const {
    SmfEvent event{time(i), status(i), data1(i), 0, {}};
    if (IsChannelStatus(event.status))
        event.data2 = static_cast<std::uint8_t>(values_[i]);
    else
        event.body = BodyOf(i);
    return event;
}

// The count was read whole when the event was, so it reads again here.
std::span<const std::uint8_t> EventStore::BodyAt(std::uint32_t at) const {
    ByteCursor bytes{std::span<const std::uint8_t>(bytes_).subspan(at)};
    const auto length = bytes.vlq();
    const auto body = length ? bytes.bytes(*length) : std::nullopt;
    return body ? *body : std::span<const std::uint8_t>();
}

std::span<const std::uint8_t> EventStore::BodyOf(std::size_t i) const {
    return BodyAt(values_[i]);
}

std::span<std::uint8_t> EventStore::BodyOf(std::size_t i) {
    const std::span<const std::uint8_t> body = BodyAt(values_[i]);
    const auto offset = static_cast<std::size_t>(body.data() - bytes_.data());
    return std::span(bytes_).subspan(body.empty() ? 0 : offset, body.size());
}

void EventStore::Reserve(std::size_t count) {
    if (count <= capacity_)
        return;
    if (size_ == 0) {
        // Nothing to keep: the old arrays go before the new ones are made.
        times_.reset();
        codes_.reset();
        values_.reset();
        capacity_ = 0;
    }
    Allocate(count);
}

void EventStore::Insert(std::size_t at, std::uint32_t time, std::uint8_t status, std::uint8_t data1,
                        std::uint32_t value) {
    if (size_ == capacity_)
        Grow();
    const std::size_t later = size_ - at;
    std::memmove(times_.get() + at + 1, times_.get() + at, later * sizeof(std::uint32_t));
    std::memmove(codes_.get() + at + 1, codes_.get() + at, later * sizeof(std::uint16_t));
    std::memmove(values_.get() + at + 1, values_.get() + at, later * sizeof(std::uint32_t));
    times_[at] = time;
    codes_[at] = static_cast<std::uint16_t>(status | data1 << 8);
    values_[at] = value;
    ++size_;
}

void EventStore::Grow() {
    Allocate(std::max<std::size_t>(256, capacity_ * 2));
}

void EventStore::Allocate(std::size_t capacity) {
    if (capacity > SIZE_MAX / kBytesPerEvent)
        throw std::bad_alloc();
    auto times = std::make_unique_for_overwrite<std::uint32_t[]>(capacity);
    auto codes = std::make_unique_for_overwrite<std::uint16_t[]>(capacity);
    auto values = std::make_unique_for_overwrite<std::uint32_t[]>(capacity);
    if (size_ > 0) {
        std::memcpy(times.get(), times_.get(), size_ * sizeof(std::uint32_t));
        std::memcpy(codes.get(), codes_.get(), size_ * sizeof(std::uint16_t));
        std::memcpy(values.get(), values_.get(), size_ * sizeof(std::uint32_t));
    }
    times_ = std::move(times);
    codes_ = std::move(codes);
    values_ = std::move(values);
    capacity_ = capacity;
}

void EventStore::Clear() noexcept {
    size_ = 0;
    if (capacity_ * kBytesPerEvent > kKeptBufferBytes) {
        times_.reset();
        codes_.reset();
        values_.reset();
        capacity_ = 0;
    }
    GiveBackLarge(bytes_);
}

} // namespace lyricast

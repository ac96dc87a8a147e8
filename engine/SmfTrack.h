#pragma once

#include "engine/EventPool.h"
#include "engine/SmfEvent.h"

#include <initializer_list>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace lyricast {

// One track record: a doubly linked list of events in the order appended.
// The record owns its events; they live in blocks from its song's pool whose
// addresses never move and that are released without walking the links, so
// no list can leak or exhaust the stack however long it is. The list is the
// blocks' events one after another, which the writer walks without following
// the links. Clear hands the blocks back to the pool for the next song.
class SmfTrack {
public:
    static constexpr std::size_t kMaxNameLength = 127;

    SmfEvent* firstEvent = nullptr;
    SmfEvent* cursor = nullptr; // the last event appended
    std::string name;           // the first track name filed here; never an event
    bool hasText = false;       // a text event was filed here: the lyric rewrite looks only here

    explicit SmfTrack(EventPool& pool) : pool_(&pool) {}
    SmfTrack(const SmfTrack&) = delete;
    SmfTrack& operator=(const SmfTrack&) = delete;
    // A moved-from record is empty: its fill pointers must not point into
    // blocks it no longer owns.
    SmfTrack(SmfTrack&& other) noexcept
        : firstEvent(std::exchange(other.firstEvent, nullptr)),
          cursor(std::exchange(other.cursor, nullptr)), name(std::move(other.name)),
          hasText(std::exchange(other.hasText, false)), pool_(other.pool_),
          blocks_(std::exchange(other.blocks_, {})), free_(std::exchange(other.free_, nullptr)),
          limit_(std::exchange(other.limit_, nullptr)) {}
    SmfTrack& operator=(SmfTrack&&) = delete;

    bool empty() const { return firstEvent == nullptr; }

    // A new event linked in after the last one, blank but for the given fields.
    SmfEvent& Append(std::uint32_t time = 0, std::uint8_t status = 0,
                     std::uint8_t channelOrSize = 0, std::uint8_t data1 = 0,
                     std::uint8_t data2 = 0) {
        if (free_ == limit_)
            NextBlock();
        SmfEvent* const added = ::new (static_cast<void*>(free_++))
            SmfEvent{time, channelOrSize, status, data1, data2, {}, {}, nullptr, cursor};
        if (cursor != nullptr)
            cursor->next = added;
        else
            firstEvent = added;
        cursor = added;
        return *added;
    }

    // A buffer for an event of this track holding `head` and then `body`.
    EventBytes NewBytes(std::initializer_list<std::uint8_t> head,
                        std::span<const std::uint8_t> body) {
        return EventBytes(pool_->bytes(), head, body);
    }

    // The list in order, as runs of events that lie side by side.
    std::size_t RunCount() const { return blocks_.size(); }
    std::span<const SmfEvent> Run(std::size_t run) const {
        const EventBlock& block = blocks_[run];
        return {block.begin(), run + 1 < blocks_.size() ? block.limit() : free_};
    }
    std::span<SmfEvent> Run(std::size_t run) {
        const EventBlock& block = blocks_[run];
        return {block.begin(), run + 1 < blocks_.size() ? block.limit() : free_};
    }

    // Forgets every event and the name; the blocks go back to the pool.
    void Clear() {
        firstEvent = cursor = nullptr;
        name.clear();
        hasText = false;
        pool_->Give(blocks_);
        free_ = limit_ = nullptr;
    }

private:
    void NextBlock() {
        blocks_.push_back(pool_->Take());
        free_ = blocks_.back().begin();
        limit_ = blocks_.back().limit();
    }

    EventPool* pool_;
    std::vector<EventBlock> blocks_;
    SmfEvent* free_ = nullptr;  // the next free event of the last block
    SmfEvent* limit_ = nullptr; // the last block's end
};

} // namespace lyricast

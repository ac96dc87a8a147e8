#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace lyricast {

// The lists (chunks or track records) still open in a merge by time, the one
// with the earliest next time first, and at equal times the lowest index.
// Time and index are packed into one key, so ordering them is one compare;
// the list being drained is usually put straight back, which ReplaceTop does
// in a single pass down the heap.
class TimeQueue {
public:
    void Reserve(std::size_t lists) { heap_.reserve(lists); }
    bool empty() const { return heap_.empty(); }
    std::uint32_t TopTime() const { return static_cast<std::uint32_t>(heap_.front() >> 32); }
    std::size_t TopIndex() const { return static_cast<std::size_t>(heap_.front() & 0xFFFFFFFFu); }

    void Push(std::uint32_t time, std::size_t index) {
        heap_.push_back(0);
        SiftUp(heap_.size() - 1, Key(time, index));
    }

    void Pop() {
        const std::uint64_t last = heap_.back();
        heap_.pop_back();
        if (!heap_.empty())
            SiftDown(0, last);
    }

    // The top list goes on at a later time.
    void ReplaceTop(std::uint32_t time) { SiftDown(0, Key(time, TopIndex())); }

    // The key of the list that would come next if the top one were taken out;
    // while the top list's next key stays below it, the top list stays on top
    // and can go on without touching the heap.
    std::uint64_t RunnerUpKey() const {
        if (heap_.size() < 2)
            return UINT64_MAX;
        if (heap_.size() == 2)
            return heap_[1];
        return std::min(heap_[1], heap_[2]);
    }

    static std::uint64_t Key(std::uint32_t time, std::size_t index) {
        return std::uint64_t{time} << 32 | static_cast<std::uint32_t>(index);
    }

private:
    // Both sifts carry the key in hand and store it once, where it belongs:
    // storing it first and reading it back would stall on every step.
    void SiftUp(std::size_t at, std::uint64_t key) {
        while (at > 0) {
            const std::size_t parent = (at - 1) / 2;
            if (heap_[parent] <= key)
                break;
            heap_[at] = heap_[parent];
            at = parent;
        }
        heap_[at] = key;
    }

    void SiftDown(std::size_t at, std::uint64_t key) {
        const std::size_t size = heap_.size();
        for (;;) {
            std::size_t child = 2 * at + 1;
            if (child >= size)
                break;
            if (child + 1 < size && heap_[child + 1] < heap_[child])
                ++child;
            if (key <= heap_[child])
                break;
            heap_[at] = heap_[child];
            at = child;
        }
        heap_[at] = key;
    }

    std::vector<std::uint64_t> heap_;
};

} // namespace lyricast

#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace lyricast {

// The lists (chunks or track records) still open in a merge by time, the one
// with the earliest next time first, and at equal times the lowest index.
// Time and index are packed into one key, so ordering them is one compare;
// the list being drained is usually pushed straight back, which ReplaceTop
// does in a single pass down the heap.
class TimeQueue {
public:
    void Reserve(std::size_t lists) { heap_.reserve(lists); }
    bool empty() const { return heap_.empty(); }
    std::uint32_t TopTime() const { return static_cast<std::uint32_t>(heap_.front() >> 32); }
    std::size_t TopIndex() const { return static_cast<std::size_t>(heap_.front() & 0xFFFFFFFFu); }

    void Push(std::uint32_t time, std::size_t index) {
        heap_.push_back(Key(time, index));
        SiftUp(heap_.size() - 1);
    }

    void Pop() {
        heap_.front() = heap_.back();
        heap_.pop_back();
        if (!heap_.empty()) SiftDown(0);
    }

    // The top list goes on at a later time.
    void ReplaceTop(std::uint32_t time) {
        heap_.front() = Key(time, TopIndex());
        SiftDown(0);
    }

private:
    static std::uint64_t Key(std::uint32_t time, std::size_t index) {
        return std::uint64_t{time} << 32 | static_cast<std::uint32_t>(index);
    }

    void SiftUp(std::size_t at) {
        while (at > 0) {
            const std::size_t parent = (at - 1) / 2;
            if (heap_[parent] <= heap_[at]) return;
            std::swap(heap_[parent], heap_[at]);
            at = parent;
        }
    }

    void SiftDown(std::size_t at) {
        const std::size_t size = heap_.size();
        for (;;) {
            std::size_t least = at;
            const std::size_t left = 2 * at + 1;
            if (left < size && heap_[left] < heap_[least]) least = left;
            if (left + 1 < size && heap_[left + 1] < heap_[least]) least = left + 1;
            if (least == at) return;
            std::swap(heap_[least], heap_[at]);
            at = least;
        }
    }

    std::vector<std::uint64_t> heap_;
};

} // namespace lyricast

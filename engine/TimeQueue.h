#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace lyricast {

// The lists (chunks or track records) still open in a merge by time, the one
// with the earliest next time first, and at equal times the lowest index.
// Time and index are packed into one key, so ordering them is one compare.
// It is a tournament tree: each inner node keeps the key that lost the match
// there, the root the winner. The list on top going on at a later time (or
// closing) replays only the matches on its own path: one minimum and one
// maximum a level, whatever the keys.
class TimeQueue {
public:
    // The key of a list that has closed; greater than any list's.
    static constexpr std::uint64_t kClosed = UINT64_MAX;

    // Lists 0 to count - 1, all closed; Open those that have events, then Start.
    explicit TimeQueue(std::size_t count) : leaves_(LeavesFor(count)) {
        tree_.assign(2 * leaves_, kClosed);
    }

    // The memory a queue of `count` lists takes.
    static std::uint64_t MemoryFor(std::uint64_t count) {
        return 2 * LeavesFor(count) * sizeof(std::uint64_t);
    }

    void Open(std::size_t index, std::uint32_t time) { tree_[leaves_ + index] = Key(time, index); }

    // Plays every match once.
    void Start() { tree_[0] = Play(1); }

    bool empty() const { return tree_[0] == kClosed; }
    std::uint32_t TopTime() const { return static_cast<std::uint32_t>(tree_[0] >> 32); }
    std::size_t TopIndex() const { return static_cast<std::size_t>(tree_[0] & 0xFFFFFFFFu); }

    // The top list is finished.
    void Pop() { Replay(kClosed); }
    // The top list goes on at a later time.
    void ReplaceTop(std::uint32_t time) { Replay(Key(time, TopIndex())); }
    // The top list goes on with `key`, its own (Key(time, TopIndex())), or
    // closes with kClosed.
    void ReplaceTopKey(std::uint64_t key) { Replay(key); }

    // The key of the list that would come next if the top one were taken out:
    // the least of those that lost to it on its way up. While the top list's
    // next key stays below it, the top list stays on top and can go on
    // without touching the tree.
    std::uint64_t RunnerUpKey() const {
        std::uint64_t least = kClosed;
        for (std::size_t node = (leaves_ + TopIndex()) / 2; node >= 1; node /= 2)
            least = std::min(least, tree_[node]);
        return least;
    }

    static std::uint64_t Key(std::uint32_t time, std::size_t index) {
        return std::uint64_t{time} << 32 | static_cast<std::uint32_t>(index);
    }

private:
    static std::size_t LeavesFor(std::uint64_t count) {
        std::size_t leaves = 1;
        while (leaves < count)
            leaves *= 2;
        return leaves;
    }

    // Plays the matches below `node` and returns their winner.
    std::uint64_t Play(std::size_t node) {
        if (node >= leaves_)
            return tree_[node];
        const std::uint64_t left = Play(2 * node);
        const std::uint64_t right = Play(2 * node + 1);
        tree_[node] = std::max(left, right);
        return std::min(left, right);
    }

    void Replay(std::uint64_t key) {
        for (std::size_t node = (leaves_ + TopIndex()) / 2; node >= 1; node /= 2) {
            const std::uint64_t loser = tree_[node];
            tree_[node] = std::max(loser, key);
            key = std::min(loser, key);
        }
        tree_[0] = key;
    }

    std::size_t leaves_;
    std::vector<std::uint64_t>
        tree_; // [0] the winner, [1, leaves) the losers, then the lists' first keys
};

} // namespace lyricast

#include "engine/TimeQueue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace lyricast {
namespace {

// Lists of event times, some empty, of every count up to past a power of two:
// taking the top and moving it on must visit every event in (time, list)
// order, and the runner-up must always be the next list's key.
TEST(TimeQueue, VisitsEveryListByTimeThenIndex) {
    for (const std::size_t count : {0u, 1u, 2u, 3u, 5u, 16u, 17u, 40u}) {
        std::vector<std::vector<std::uint32_t>> lists(count);
        std::vector<std::pair<std::uint32_t, std::size_t>> expected;
        for (std::size_t i = 0; i < count; ++i) {
            if (i % 4 == 3)
                continue; // an empty list is never opened
            for (std::uint32_t k = 0; k < 1 + i % 5; ++k) {
                lists[i].push_back(k * (3 + static_cast<std::uint32_t>(i) % 3));
                expected.emplace_back(lists[i].back(), i);
            }
        }
        std::sort(expected.begin(), expected.end());

        TimeQueue queue(count);
        std::vector<std::size_t> next(count, 0);
        for (std::size_t i = 0; i < count; ++i)
            if (!lists[i].empty())
                queue.Open(i, lists[i][0]);
        queue.Start();
        std::vector<std::pair<std::uint32_t, std::size_t>> seen;
        while (!queue.empty()) {
            const std::size_t i = queue.TopIndex();
            seen.emplace_back(queue.TopTime(), i);
            const std::size_t after = seen.size();
            const std::uint64_t runnerUp =
                after < expected.size() && expected[after].second != i
                    ? TimeQueue::Key(expected[after].first, expected[after].second)
                    : 0;
            if (runnerUp != 0) {
                EXPECT_EQ(queue.RunnerUpKey(), runnerUp) << count << " at " << after;
            }
            if (++next[i] < lists[i].size())
                queue.ReplaceTop(lists[i][next[i]]);
            else
                queue.Pop();
        }
        EXPECT_EQ(seen, expected) << count;
    }
}

} // namespace
} // namespace lyricast

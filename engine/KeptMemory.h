#pragma once

#include <cstddef>
#include <vector>

namespace lyricast {

// A song keeps its buffers from file to file, so that the next file of a
// like size allocates nothing; a buffer larger than this is given back once
// its file is done, so that what a song holds between files stays small.
inline constexpr std::size_t kKeptBufferBytes = std::size_t{2} << 20;

// Gives the memory of `buffer` back when it is larger than a song keeps; a
// smaller one is left as it is, bytes and all, for the next file to write
// over without clearing it first.
template <class T> void GiveBackLarge(std::vector<T>& buffer) noexcept {
    if (buffer.capacity() * sizeof(T) > kKeptBufferBytes)
        std::vector<T>().swap(buffer);
}

// Empties `buffer`, and gives its memory back when it is larger than a song keeps.
template <class T> void ClearKeepingSmall(std::vector<T>& buffer) noexcept {
    buffer.clear();
    GiveBackLarge(buffer);
}

} // namespace lyricast

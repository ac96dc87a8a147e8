#pragma once

#include <cstdint>
#include <span>

namespace lyricast {

// Where a writer's bytes go as it hands them on: a file, for one.
class ByteSink {
public:
    // Adds the bytes after those put so far.
    virtual void Put(std::span<const std::uint8_t> bytes) = 0;
    // Puts the bytes over some already put, from `offset` on.
    virtual void PutAt(std::uint64_t offset, std::span<const std::uint8_t> bytes) = 0;

protected:
    ~ByteSink() = default;
};

} // namespace lyricast

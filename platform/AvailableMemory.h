#pragma once

#include <cstdint>

namespace lyricast {

// The memory this process can still be given, as far as the system tells:
// the physical memory, within the address-space limit set for the process,
// and, in a 32-bit process, within the address space it has left.
std::uint64_t AvailableMemory();

} // namespace lyricast

#include "platform/AvailableMemory.h"

#include <windows.h>

#include <algorithm>

namespace lyricast {

// A 32-bit process runs out of addresses long before the machine runs out of
// memory, so what is left of its own address space counts as well.
std::uint64_t AvailableMemory() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status))
        return std::uint64_t{1} << 30;
    return std::min<std::uint64_t>(status.ullTotalPhys, status.ullAvailVirtual);
}

} // namespace lyricast

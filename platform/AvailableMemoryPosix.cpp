#include "platform/AvailableMemory.h"

#include <algorithm>
#include <fstream>
#include <sys/resource.h>
#include <unistd.h>

namespace lyricast {
namespace {

std::uint64_t PageSize() {
    return static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE));
}

std::uint64_t PhysicalMemory() {
    return static_cast<std::uint64_t>(::sysconf(_SC_PHYS_PAGES)) * PageSize();
}

// What the address-space limit leaves beside what the process maps already;
// no bound when no limit is set.
std::uint64_t AddressSpaceLeft() {
    rlimit limit{};
    if (::getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return UINT64_MAX;
    std::uint64_t pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    const std::uint64_t mapped = pages * PageSize();
    const auto allowed = static_cast<std::uint64_t>(limit.rlim_cur);
    return allowed > mapped ? allowed - mapped : 0;
}

} // namespace

std::uint64_t AvailableMemory() {
    return std::min(PhysicalMemory(), AddressSpaceLeft());
}

} // namespace lyricast

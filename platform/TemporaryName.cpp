#include "platform/TemporaryName.h"

#include <atomic>
#include <chrono>

namespace lyricast {

std::string TemporaryNameIn(const std::string& folder, std::uint64_t processId,
                            std::string_view alphabet) {
    static std::atomic<std::uint64_t> counter{0};
    std::uint64_t x =
        counter.fetch_add(1) * 0x9E3779B97F4A7C15ull ^ processId << 32 ^
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    x = (x ^ (x >> 31)) * 0xBF58476D1CE4E5B9ull;
    x ^= x >> 29;
    std::string letters(6, '0');
    for (char& c : letters) {
        c = alphabet[x % alphabet.size()];
        x /= alphabet.size();
    }
    return folder + ".lyricast-" + letters + ".tmp";
}

} // namespace lyricast

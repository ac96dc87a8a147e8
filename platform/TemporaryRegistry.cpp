#include "platform/TemporaryRegistry.h"

#include <cstring>
#include <unistd.h>

namespace lyricast {

std::atomic<TemporaryRegistry::Entry*> TemporaryRegistry::head_{nullptr};
std::atomic<int> TemporaryRegistry::creating_{0};
std::atomic<bool> TemporaryRegistry::interrupted_{false};

TemporaryRegistry::Entry& TemporaryRegistry::Take() {
    for (Entry* entry = head_.load(std::memory_order_acquire); entry != nullptr;
         entry = entry->next)
        if (!entry->taken.exchange(true, std::memory_order_acquire))
            return *entry;
    auto* entry = new Entry;
    entry->taken.store(true, std::memory_order_relaxed);
    entry->next = head_.load(std::memory_order_relaxed);
    while (!head_.compare_exchange_weak(entry->next, entry, std::memory_order_release,
                                        std::memory_order_relaxed)) {
    }
    return *entry;
}

TemporaryRegistry::Entry* TemporaryRegistry::Add(const std::string& path) {
    if (path.size() > kLongestPath)
        return nullptr;
    Entry& entry = Take();
    entry.writes.fetch_add(1, std::memory_order_acq_rel);
    std::memcpy(entry.path, path.c_str(), path.size() + 1);
    entry.writes.fetch_add(1, std::memory_order_acq_rel);
    entry.holding.store(true, std::memory_order_release);
    return &entry;
}

void TemporaryRegistry::Remove(Entry* entry) noexcept {
    if (entry == nullptr)
        return;
    entry->holding.store(false, std::memory_order_release);
    entry->taken.store(false, std::memory_order_release);
}

TemporaryRegistry::Making::Making() noexcept {
    creating_.fetch_add(1);
    if (!interrupted_.load())
        return;
    creating_.fetch_sub(1);
    for (;;)
        ::pause(); // the process is ending
}

TemporaryRegistry::Making::~Making() {
    creating_.fetch_sub(1);
}

void TemporaryRegistry::UnlinkAllForGood() noexcept {
    interrupted_.store(true);
    while (creating_.load() > 0) {
    }
    char path[kLongestPath + 1];
    for (Entry* entry = head_.load(std::memory_order_acquire); entry != nullptr;
         entry = entry->next) {
        const unsigned before = entry->writes.load(std::memory_order_acquire);
        if (before % 2 != 0 || !entry->holding.load(std::memory_order_acquire))
            continue;
        std::memcpy(path, entry->path, sizeof path);
        std::atomic_thread_fence(std::memory_order_acquire);
        if (entry->writes.load(std::memory_order_relaxed) == before)
            ::unlink(path);
    }
}

} // namespace lyricast

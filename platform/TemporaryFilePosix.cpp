#include "platform/TemporaryFile.h"

#include "platform/FileError.h"
#include "platform/TemporaryName.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <pthread.h>
#include <string_view>
#include <unistd.h>

namespace lyricast {
namespace {

constexpr int kInterruptSignals[] = {SIGINT, SIGTERM, SIGHUP};

// Where a signal handler finds the temporary files to remove: fixed storage,
// read without locks or allocation. A file beyond the last slot still works,
// but an interrupt leaves it behind.
struct Slot {
    enum State : int { kFree, kFilling, kHolding };
    std::atomic<int> state{kFree};
    char path[PATH_MAX];
};
Slot slots[64];

int Register(const std::string& path) {
    if (path.size() >= PATH_MAX)
        return -1;
    for (int i = 0; i < static_cast<int>(std::size(slots)); ++i) {
        int expected = Slot::kFree;
        if (!slots[i].state.compare_exchange_strong(expected, Slot::kFilling))
            continue;
        std::memcpy(slots[i].path, path.c_str(), path.size() + 1);
        slots[i].state.store(Slot::kHolding, std::memory_order_release);
        return i;
    }
    return -1;
}

void Unregister(int slot) {
    if (slot >= 0)
        slots[slot].state.store(Slot::kFree, std::memory_order_release);
}

// Only async-signal-safe calls: unlink, sigaction, raise.
extern "C" void RemoveAndEnd(int signal) {
    for (Slot& slot : slots)
        if (slot.state.load(std::memory_order_acquire) == Slot::kHolding)
            ::unlink(slot.path);
    struct sigaction byDefault {};
    byDefault.sa_handler = SIG_DFL;
    ::sigaction(signal, &byDefault, nullptr);
    ::raise(signal);
}

// Holds back the interrupt signals in this thread for one scope, so that a
// file is never created without being registered for removal.
class SignalsHeld {
public:
    SignalsHeld() {
        sigset_t held;
        sigemptyset(&held);
        for (const int signal : kInterruptSignals)
            sigaddset(&held, signal);
        pthread_sigmask(SIG_BLOCK, &held, &previous_);
    }
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;
    ~SignalsHeld() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }

private:
    sigset_t previous_;
};

// Letters of both cases and digits: POSIX names tell case apart.
constexpr std::string_view kNameAlphabet =
    "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

} // namespace

TemporaryFile::TemporaryFile(const std::string& folder, const std::string& output) {
    static const auto process = static_cast<std::uint64_t>(::getpid()); // a system call each time
    const SignalsHeld held;
    int error = EEXIST;
    for (int attempt = 0; attempt < 100 && error == EEXIST; ++attempt) {
        std::string candidate = TemporaryNameIn(folder, process, kNameAlphabet);
        descriptor_ =
            ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
        if (descriptor_ >= 0) {
            path_ = std::move(candidate);
            slot_ = Register(path_);
            return;
        }
        error = errno;
    }
    throw FileError::CannotCreate(output, FileError::ReasonOf(error));
}

TemporaryFile::~TemporaryFile() {
    if (descriptor_ >= 0)
        ::close(descriptor_);
    if (!renamed_)
        ::unlink(path_.c_str());
    Unregister(slot_);
}

bool TemporaryFile::Close() {
    const int descriptor = descriptor_;
    descriptor_ = -1;
    return ::close(descriptor) == 0;
}

bool TemporaryFile::RenameTo(const std::string& target) {
    renamed_ = std::rename(path_.c_str(), target.c_str()) == 0;
    return renamed_;
}

void RemoveTemporariesOnInterrupt() {
    for (const int signal : kInterruptSignals) {
        struct sigaction previous {};
        ::sigaction(signal, nullptr, &previous);
        if (previous.sa_handler == SIG_IGN)
            continue; // started with it ignored (nohup): keep it so
        struct sigaction removing {};
        removing.sa_handler = RemoveAndEnd;
        sigemptyset(&removing.sa_mask);
        ::sigaction(signal, &removing, nullptr);
    }
}

} // namespace lyricast

#include "platform/TemporaryFile.h"

#include "platform/FileError.h"
#include "platform/TemporaryName.h"
#include "platform/TemporaryRegistry.h"

#include <cerrno>
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

// Only async-signal-safe calls: unlink, sigaction, raise.
extern "C" void RemoveAndEnd(int signal) {
    TemporaryRegistry::UnlinkAllForGood();
    struct sigaction byDefault {};
    byDefault.sa_handler = SIG_DFL;
    ::sigaction(signal, &byDefault, nullptr);
    ::raise(signal);
}

// Holds back the interrupt signals in this thread for one scope, so that the
// handler never finds the registry half written by the thread it interrupts.
class SignalsHeld {
public:
    SignalsHeld() {
        pthread_sigmask(SIG_BLOCK, nullptr, &previous_);
        HoldInterruptsInThisThread();
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
        // Registered before it exists, so that an interrupt taken by any
        // thread at any moment finds it. Only a file of the same random name
        // made by another process at that very moment could be taken for it.
        TemporaryRegistry::Entry* registered = nullptr;
        {
            const TemporaryRegistry::Making making;
            registered = TemporaryRegistry::Add(candidate);
            descriptor_ =
                ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
        }
        if (descriptor_ >= 0) {
            path_ = std::move(candidate);
            registered_ = registered;
            return;
        }
        error = errno;
        TemporaryRegistry::Remove(registered);
    }
    throw FileError::CannotCreate(output, FileError::ReasonOf(error));
}

TemporaryFile::~TemporaryFile() {
    if (descriptor_ >= 0)
        ::close(descriptor_);
    if (!renamed_)
        ::unlink(path_.c_str());
    TemporaryRegistry::Remove(registered_);
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

void HoldInterruptsInThisThread() {
    sigset_t held;
    sigemptyset(&held);
    for (const int signal : kInterruptSignals)
        sigaddset(&held, signal);
    pthread_sigmask(SIG_BLOCK, &held, nullptr);
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

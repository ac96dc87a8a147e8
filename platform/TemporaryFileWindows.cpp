#include "platform/TemporaryFile.h"

#include "platform/FileError.h"

#include <windows.h>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>

namespace lyricast {
namespace {

// Six letters or digits, different for every call in this process and
// unlikely to be those of another process at the same moment. Windows names
// ignore case, so only one case of letters is used.
std::string RandomLetters() {
    static std::atomic<std::uint64_t> counter{0};
    std::uint64_t x =
        counter.fetch_add(1) * 0x9E3779B97F4A7C15ull ^
        static_cast<std::uint64_t>(::_getpid()) << 32 ^
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    x = (x ^ (x >> 31)) * 0xBF58476D1CE4E5B9ull;
    x ^= x >> 29;
    static constexpr char kAlphabet[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string letters(6, '0');
    for (char& c : letters) {
        c = kAlphabet[x % 36];
        x /= 36;
    }
    return letters;
}

} // namespace

TemporaryFile::TemporaryFile(const std::string& folder, const std::string& output) {
    int error = EEXIST;
    for (int attempt = 0; attempt < 100 && error == EEXIST; ++attempt) {
        std::string candidate = folder + ".lyricast-" + RandomLetters() + ".tmp";
        descriptor_ = ::_open(candidate.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY,
                              _S_IREAD | _S_IWRITE);
        if (descriptor_ >= 0) {
            path_ = std::move(candidate);
            return;
        }
        error = errno;
    }
    throw FileError::CannotCreate(output, FileError::ReasonOf(error));
}

TemporaryFile::~TemporaryFile() {
    if (descriptor_ >= 0)
        ::_close(descriptor_);
    if (!renamed_)
        ::DeleteFileA(path_.c_str());
}

bool TemporaryFile::Close() {
    const int descriptor = descriptor_;
    descriptor_ = -1;
    return ::_close(descriptor) == 0;
}

bool TemporaryFile::RenameTo(const std::string& target) {
    renamed_ = ::MoveFileExA(path_.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
    if (!renamed_)
        errno = ::GetLastError() == ERROR_ACCESS_DENIED ? EACCES : EIO;
    return renamed_;
}

// Not done on Windows yet: an interrupted run there may leave its
// ".lyricast-XXXXXX.tmp" file behind, which the name makes easy to spot.
void RemoveTemporariesOnInterrupt() {}

} // namespace lyricast

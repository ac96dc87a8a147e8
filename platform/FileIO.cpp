#include "platform/FileIO.h"

#include "platform/FileError.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>

#ifdef _WIN32
#include <io.h>
#include <process.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#ifndef O_BINARY
#define O_BINARY 0
#endif

namespace lyricast {
namespace {

// Closes a descriptor on every path out of a function.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now and tells whether the close succeeded (a late write error shows here).
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const auto chunk = static_cast<unsigned>(std::min<std::size_t>(bytes.size(), 1u << 30));
        const auto written = ::write(fd, bytes.data(), chunk);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return true;
}

bool ReplaceFile(const std::string& from, const std::string& to) {
#ifdef _WIN32
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
#else
    return std::rename(from.c_str(), to.c_str()) == 0;
#endif
}

int ProcessId() {
#ifdef _WIN32
    return _getpid();
#else
    return static_cast<int>(::getpid());
#endif
}

// A name beside the target that no other writer in this or another process picks.
std::string TemporaryNameFor(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    return path + ".~" + std::to_string(ProcessId()) + "-" + std::to_string(counter++) + ".tmp";
}

} // namespace

std::vector<std::uint8_t> ReadWholeFile(const std::string& path) {
    Descriptor file(::open(path.c_str(), O_RDONLY | O_BINARY));
    struct stat info {};
    if (!file.valid() || ::fstat(file.get(), &info) != 0 || S_ISDIR(info.st_mode))
        throw FileError::CannotOpen(path);

    std::vector<std::uint8_t> bytes;
    std::size_t used = 0;
    // The size is only a hint: read until the end, whatever the file does meanwhile.
    bytes.resize(info.st_size > 0 ? static_cast<std::size_t>(info.st_size) + 1 : 4096);
    for (;;) {
        if (used == bytes.size()) bytes.resize(bytes.size() * 2);
        const auto got = ::read(file.get(), bytes.data() + used,
                                static_cast<unsigned>(std::min<std::size_t>(bytes.size() - used, 1u << 30)));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) throw FileError::CannotOpen(path);
        if (got == 0) break;
        used += static_cast<std::size_t>(got);
    }
    bytes.resize(used);
    return bytes;
}

void WriteFileReplacing(const std::string& path, std::span<const std::uint8_t> bytes) {
    const std::string temporary = TemporaryNameFor(path);
    Descriptor file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_BINARY, 0666));
    if (!file.valid()) throw FileError::CannotCreate(path);

    const bool written = WriteAll(file.get(), bytes);
    const bool closed = file.Close();
    if (!written || !closed) {
        std::remove(temporary.c_str());
        throw FileError::CannotWrite(path);
    }
    if (!ReplaceFile(temporary, path)) {
        std::remove(temporary.c_str());
        throw FileError::CannotCreate(path);
    }
}

} // namespace lyricast

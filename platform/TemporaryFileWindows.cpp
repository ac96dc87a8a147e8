#include "platform/TemporaryFile.h"

#include "platform/FileError.h"
#include "platform/SystemPathWindows.h"
#include "platform/TemporaryName.h"

#include <windows.h>
#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <string_view>
#include <sys/stat.h>

namespace lyricast {
namespace {

// Windows names ignore case, so only one case of letters is used.
constexpr std::string_view kNameAlphabet = "0123456789abcdefghijklmnopqrstuvwxyz";

} // namespace

TemporaryFile::TemporaryFile(const std::string& folder, const std::string& output) {
    int error = EEXIST;
    for (int attempt = 0; attempt < 100 && error == EEXIST; ++attempt) {
        std::string candidate =
            TemporaryNameIn(folder, static_cast<std::uint64_t>(::_getpid()), kNameAlphabet);
        const auto wide = SystemPath(candidate);
        descriptor_ = wide ? ::_wopen(wide->c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY,
                                      _S_IREAD | _S_IWRITE)
                           : -1;
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
    if (!renamed_) {
        if (const auto wide = SystemPath(path_))
            ::DeleteFileW(wide->c_str());
    }
}

bool TemporaryFile::Close() {
    const int descriptor = descriptor_;
    descriptor_ = -1;
    return ::_close(descriptor) == 0;
}

bool TemporaryFile::RenameTo(const std::string& target) {
    const auto from = SystemPath(path_);
    const auto to = SystemPath(target);
    if (!from || !to)
        return false;
    renamed_ = ::MoveFileExW(from->c_str(), to->c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
    if (!renamed_)
        errno = ::GetLastError() == ERROR_ACCESS_DENIED ? EACCES : EIO;
    return renamed_;
}

// Not done on Windows yet: an interrupted run there may leave its
// ".lyricast-XXXXXX.tmp" file behind, which the name makes easy to spot.
void RemoveTemporariesOnInterrupt() {}

void HoldInterruptsInThisThread() {}

} // namespace lyricast

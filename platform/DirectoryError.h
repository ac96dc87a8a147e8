#pragma once

#include <stdexcept>
#include <string>

namespace lyricast {

// A drive or folder that cannot be entered. The message is complete and meant
// for the user; code() is the Windows error code that chose it (2, 3, 4, 5)
// or, for any other failure, the system's own code.
class DirectoryError : public std::runtime_error {
public:
    DirectoryError(int code, const std::string& message)
        : std::runtime_error(message), code_(code) {}

    int code() const { return code_; }

    // From a Windows error code: 2 "File not found", 3 "Invalid filename",
    // 4 "Too many open files", 5 "File access denied", else "I/O error %d".
    static DirectoryError FromSystemCode(int code);
    // From a POSIX errno, mapped onto those codes first.
    static DirectoryError FromErrno(int error);

private:
    int code_;
};

// The message for a Windows error code, as above.
std::string InOutMessage(int code);

// The Windows error code that stands for a POSIX errno (ENOENT, ENOTDIR: 2;
// ENAMETOOLONG, EINVAL: 3; EMFILE, ENFILE: 4; EACCES, EPERM: 5), else the errno.
int SystemCodeOfErrno(int error);

} // namespace lyricast

#include "platform/DirectoryError.h"

#include <cerrno>

namespace lyricast {

std::string InOutMessage(int code) {
    switch (code) {
    case 2:
        return "File not found";
    case 3:
        return "Invalid filename";
    case 4:
        return "Too many open files";
    case 5:
        return "File access denied";
    default:
        return "I/O error " + std::to_string(code);
    }
}

namespace {

// The Windows code an errno stands for, or 0 when none does.
int MappedCodeOfErrno(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return 2;
    case ENAMETOOLONG:
    case EINVAL:
        return 3;
    case EMFILE:
    case ENFILE:
        return 4;
    case EACCES:
    case EPERM:
        return 5;
    default:
        return 0;
    }
}

} // namespace

int SystemCodeOfErrno(int error) {
    const int code = MappedCodeOfErrno(error);
    return code != 0 ? code : error;
}

DirectoryError DirectoryError::FromSystemCode(int code) {
    return DirectoryError(code, InOutMessage(code));
}

DirectoryError DirectoryError::FromErrno(int error) {
    const int code = MappedCodeOfErrno(error);
    if (code != 0)
        return FromSystemCode(code);
    // An errno such as EIO (5) must not pass for the Windows code of the same number.
    return DirectoryError(error, "I/O error " + std::to_string(error));
}

} // namespace lyricast

#pragma once

#include <stdexcept>
#include <string>

namespace lyricast {

// The one error the file layer raises: a file that cannot be opened, created
// or written. The message is complete and meant for the user.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;

    static FileError CannotOpen(const std::string& path) { return FileError("Cannot open file " + path); }
    static FileError CannotCreate(const std::string& path) { return FileError("Cannot create file " + path); }
    static FileError CannotWrite(const std::string& path) { return FileError("Cannot write file " + path); }
};

} // namespace lyricast

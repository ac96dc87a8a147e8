#pragma once

#include <stdexcept>
#include <string>

namespace lyricast {

// The one error the file layer raises: a file that cannot be opened, created
// or written. The message is complete and meant for the user, and stays the
// same whatever went wrong; reason() is the system's word for why ("No space
// left on device"), empty when there is none, for whoever can show more.
class FileError : public std::runtime_error {
public:
    FileError(const std::string& message, std::string reason)
        : std::runtime_error(message), reason_(std::move(reason)) {}

    std::string message() const { return what(); }
    const std::string& reason() const { return reason_; }
    // The message and, after a colon, the reason: for one-line reports.
    std::string Explained() const {
        return reason_.empty() ? message() : message() + ": " + reason_;
    }

    static FileError CannotOpen(const std::string& path, std::string reason = {}) {
        return FileError("Cannot open file " + path, std::move(reason));
    }
    static FileError CannotCreate(const std::string& path, std::string reason = {}) {
        return FileError("Cannot create file " + path, std::move(reason));
    }
    static FileError CannotWrite(const std::string& path, std::string reason = {}) {
        return FileError("Cannot write file " + path, std::move(reason));
    }

    // The system's text for an errno value.
    static std::string ReasonOf(int error);

private:
    std::string reason_;
};

// Why a file is refused although it opened: a named pipe, a device or a folder.
inline constexpr const char* kNotRegularFile = "not a regular file";

} // namespace lyricast

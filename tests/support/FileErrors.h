#pragma once

#include "platform/FileError.h"

#include <functional>
#include <string>

namespace lyricast::test {

// The message of the FileError that `action` raises; "no error" when it raises none.
inline std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const FileError& error) {
        return error.what();
    }
    return "no error";
}

// The system's reason that FileError carries; "no error" when none is raised.
inline std::string ReasonOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const FileError& error) {
        return error.reason();
    }
    return "no error";
}

} // namespace lyricast::test

#pragma once

#include "support/Utf8Path.h"

#include <filesystem>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace lyricast::test {

#ifdef _WIN32
constexpr bool kWindows = true;
#else
constexpr bool kWindows = false;
#endif

// Marks a file or folder the way the platform hides it from ordinary
// listings: on Windows by the hidden and system attributes; elsewhere the
// name must begin with a dot, which the caller sees to.
inline void Hide([[maybe_unused]] const std::string& path) {
#ifdef _WIN32
    const std::wstring wide = FsPath(path).wstring();
    ::SetFileAttributesW(wide.c_str(), ::GetFileAttributesW(wide.c_str()) | FILE_ATTRIBUTE_HIDDEN |
                                           FILE_ATTRIBUTE_SYSTEM);
#endif
}

// Holds a file open for reading and writing with no sharing, as another
// program may, for one scope. Only Windows has such locks; elsewhere nothing
// is held.
class ExclusiveOpen {
public:
    explicit ExclusiveOpen([[maybe_unused]] const std::string& path) {
#ifdef _WIN32
        handle_ = ::CreateFileW(FsPath(path).wstring().c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
#endif
    }
    ExclusiveOpen(const ExclusiveOpen&) = delete;
    ExclusiveOpen& operator=(const ExclusiveOpen&) = delete;
    ~ExclusiveOpen() {
#ifdef _WIN32
        if (held())
            ::CloseHandle(handle_);
#endif
    }
#ifdef _WIN32
    bool held() const {
        return handle_ != INVALID_HANDLE_VALUE;
    }

private:
    HANDLE handle_;
#else
    bool held() const {
        return false;
    }
#endif
};

// Makes a folder the process's current folder for one scope.
class CurrentFolder {
public:
    explicit CurrentFolder(const std::filesystem::path& folder)
        : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;
    ~CurrentFolder() {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
    }

private:
    std::filesystem::path previous_;
};

} // namespace lyricast::test

// Makes `link` a symbolic link to the folder `target`; fails the calling test
// when the system refuses, but skips it on Windows, where making links takes
// a privilege most accounts lack and Wine cannot make them at all.
#define LINK_FOLDER_OR_SKIP(target, link)                                                          \
    do {                                                                                           \
        std::error_code linkError;                                                                 \
        std::filesystem::create_directory_symlink(target, link, linkError);                        \
        if (linkError && ::lyricast::test::kWindows)                                               \
            GTEST_SKIP() << "this system makes no folder links here: " << linkError.message();     \
        ASSERT_FALSE(linkError) << linkError.message();                                            \
    } while (0)

// Skips the calling test where paths have no drive letters.
#define SKIP_WITHOUT_DRIVE_LETTERS()                                                               \
    do {                                                                                           \
        if (!::lyricast::test::kWindows)                                                           \
            GTEST_SKIP() << "only Windows paths have drive letters";                               \
    } while (0)

// Skips the calling test where a file cannot be locked against other openers.
#define SKIP_WITHOUT_EXCLUSIVE_OPEN()                                                              \
    do {                                                                                           \
        if (!::lyricast::test::kWindows)                                                           \
            GTEST_SKIP() << "only Windows lets a program lock a file against every other opener";  \
    } while (0)

#pragma once

#include "support/Utf8Path.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <unistd.h>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace lyricast::test {

#ifdef _WIN32
// Removes a tree through "\\?\" paths (`path` has the prefix), which reach
// names that plain paths would read as others ("d1.", "con.kar") and that
// std::filesystem cannot remove: it takes the plain path to "con.kar" for
// the console and tries for ever.
inline void RemoveTreeAsNamed(const std::wstring& path) {
    WIN32_FIND_DATAW found{};
    const HANDLE find = ::FindFirstFileW((path + L"\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            const std::wstring child = path + L"\\" + name;
            if (name == L"." || name == L"..")
                continue;
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                RemoveTreeAsNamed(child);
                continue;
            }
            ::SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            ::DeleteFileW(child.c_str());
        } while (::FindNextFileW(find, &found));
        ::FindClose(find);
    }
    ::RemoveDirectoryW(path.c_str());
}
#endif

// A folder of its own for one test, removed with everything in it afterwards.
class TempDir {
public:
    TempDir() {
        static int counter = 0;
        path_ = std::filesystem::temp_directory_path() /
                ("lyricast-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir() {
#ifdef _WIN32
        RemoveTreeAsNamed(L"\\\\?\\" + path_.wstring());
#else
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
#endif
    }

    const std::filesystem::path& path() const {
        return path_;
    }
    std::string str() const {
        return Utf8(path_);
    }
    std::string operator/(const std::string& name) const {
        return Utf8(path_ / FsPath(name));
    }

private:
    std::filesystem::path path_;
};

inline void WriteBytes(const std::string& path, std::span<const std::uint8_t> bytes) {
    std::filesystem::create_directories(FsPath(path).parent_path());
    std::ofstream(FsPath(path), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

inline std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(FsPath(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace lyricast::test

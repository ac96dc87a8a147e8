#pragma once

#include "support/Platform.h"
#include "support/Utf8Path.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace lyricast::test {

// A chain of `levels` folders named `name` below `root`, with deep.kar at its
// bottom, whose full path is longer than the system lets a path be spelled
// plainly (PATH_MAX here, MAX_PATH on Windows). Elsewhere made and removed one
// level at a time from inside; on Windows through "\\?\" paths, which the
// system takes at any length up to its own limit.
class DeepFolders {
public:
    DeepFolders(const std::filesystem::path& root, int levels, const std::string& name)
        : root_(root), levels_(levels), name_(name) {
#ifdef _WIN32
        std::wstring path = Extended(root);
        for (int i = 0; i < levels; ++i) {
            path += L"\\" + FsPath(name).wstring();
            ::CreateDirectoryW(path.c_str(), nullptr);
        }
        const HANDLE file = ::CreateFileW((path + L"\\deep.kar").c_str(), GENERIC_WRITE, 0, nullptr,
                                          CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        ::WriteFile(file, "x", 1, &written, nullptr);
        ::CloseHandle(file);
#else
        CurrentFolder inside(root);
        for (int i = 0; i < levels; ++i) {
            std::filesystem::create_directory(name);
            std::filesystem::current_path(name);
        }
        std::ofstream("deep.kar").put('x');
#endif
    }
    DeepFolders(const DeepFolders&) = delete;
    DeepFolders& operator=(const DeepFolders&) = delete;
    ~DeepFolders() {
#ifdef _WIN32
        std::wstring path = Extended(root_);
        for (int i = 0; i < levels_; ++i)
            path += L"\\" + FsPath(name_).wstring();
        ::DeleteFileW((path + L"\\deep.kar").c_str());
        for (int i = 0; i < levels_; ++i) {
            ::RemoveDirectoryW(path.c_str());
            path.resize(path.rfind(L'\\'));
        }
#else
        CurrentFolder inside(root_);
        for (int depth = levels_; depth > 0; --depth) {
            std::filesystem::current_path(root_);
            for (int i = 1; i < depth; ++i)
                std::filesystem::current_path(name_);
            std::error_code ignored;
            std::filesystem::remove_all(name_, ignored);
        }
#endif
    }

private:
#ifdef _WIN32
    static std::wstring Extended(const std::filesystem::path& path) {
        return L"\\\\?\\" + path.wstring();
    }
#endif

    std::filesystem::path root_;
    int levels_;
    std::string name_;
};

// Where scripts/lib/wine.sh made, on the build machine's side, a tree that
// Wine cannot walk to its end: Wine spells every path as one of the build
// machine's, which stop at 4,096 bytes. It holds d1 to d4, each with a.kar
// and a chain of 25 folders of 200 letters, and z.kar; nothing where it was
// not made (not under Wine, or not by scripts/test-windows).
inline std::optional<std::string> WineDeepTree() {
    if (const char* tree = std::getenv("LYRICAST_WINE_DEEP_TREE"))
        return std::string(tree);
    return std::nullopt;
}

} // namespace lyricast::test

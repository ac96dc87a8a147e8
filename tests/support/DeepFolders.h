#pragma once

#include "support/Platform.h"

#include <filesystem>
#include <fstream>
#include <string>

namespace lyricast::test {

// A chain of `levels` folders named `name` whose full path is longer than
// the system lets a path be, with deep.kar at its bottom; made and removed
// one level at a time from inside.
class DeepFolders {
public:
    DeepFolders(const std::filesystem::path& root, int levels, const std::string& name)
        : root_(root), levels_(levels), name_(name) {
        CurrentFolder inside(root);
        for (int i = 0; i < levels; ++i) {
            std::filesystem::create_directory(name);
            std::filesystem::current_path(name);
        }
        std::ofstream("deep.kar").put('x');
    }
    DeepFolders(const DeepFolders&) = delete;
    DeepFolders& operator=(const DeepFolders&) = delete;
    ~DeepFolders() {
        CurrentFolder inside(root_);
        for (int depth = levels_; depth > 0; --depth) {
            std::filesystem::current_path(root_);
            for (int i = 1; i < depth; ++i)
                std::filesystem::current_path(name_);
            std::error_code ignored;
            std::filesystem::remove_all(name_, ignored);
        }
    }

private:
    std::filesystem::path root_;
    int levels_;
    std::string name_;
};

#ifdef _WIN32
// A folder `name` inside a folder `name` inside `parent`, whose path is longer
// than Windows lets a path be. Both are made and removed through "\\?\"
// paths, which the system takes at any length (std::filesystem here removes
// no such folder).
class BeyondLongestPath {
public:
    BeyondLongestPath(const std::string& parent, const std::string& name)
        : middle_(parent + "\\" + name), path_(middle_ + "\\" + name) {
        ::CreateDirectoryW(Extended(middle_).c_str(), nullptr);
        ::CreateDirectoryW(Extended(path_).c_str(), nullptr);
    }
    BeyondLongestPath(const BeyondLongestPath&) = delete;
    BeyondLongestPath& operator=(const BeyondLongestPath&) = delete;
    ~BeyondLongestPath() {
        ::RemoveDirectoryW(Extended(path_).c_str());
        ::RemoveDirectoryW(Extended(middle_).c_str());
    }

    // The deepest folder, spelled as the walk spells it.
    const std::string& path() const { return path_; }

private:
    static std::wstring Extended(const std::string& path) {
        return L"\\\\?\\" + std::filesystem::path(path).wstring();
    }

    std::string middle_;
    std::string path_;
};
#endif

} // namespace lyricast::test

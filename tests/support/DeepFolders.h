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

} // namespace lyricast::test

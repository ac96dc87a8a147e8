#pragma once

#include "support/TempDir.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace lyricast::test {

// A folder whose file system ignores letter case, as the FAT and exFAT
// sticks that keyboards read: on Windows any folder; elsewhere an exFAT
// image mounted for the test, which takes root and the exFAT tools. When
// none can be had, `reason` says why.
class CaseFoldingFolder {
public:
    CaseFoldingFolder() {
#ifdef _WIN32
        path_ = scratch_.str();
#else
        if (::geteuid() != 0) {
            reason_ = "mounting a case-folding file system takes root";
            return;
        }
        const std::string image = scratch_ / "exfat.img";
        const std::string mount = scratch_ / "mnt";
        std::filesystem::create_directories(mount);
        if (!Run("truncate -s 16M '" + image + "' && mkfs.exfat '" + image + "' >/dev/null 2>&1")) {
            reason_ = "mkfs.exfat (Debian's exfatprogs) is not installed";
            return;
        }
        device_ = Output("losetup -f --show '" + image + "' 2>/dev/null");
        if (device_.empty()) {
            reason_ = "no loop device can be set up here";
            return;
        }
        if (!Run("mount.exfat-fuse '" + device_ + "' '" + mount + "' >/dev/null 2>&1")) {
            reason_ = "mount.exfat-fuse (Debian's exfat-fuse) cannot mount here";
            return;
        }
        mounted_ = mount;
        path_ = mount;
#endif
    }
    CaseFoldingFolder(const CaseFoldingFolder&) = delete;
    CaseFoldingFolder& operator=(const CaseFoldingFolder&) = delete;
    ~CaseFoldingFolder() {
        if (!mounted_.empty())
            Run("umount '" + mounted_ + "'");
        if (!device_.empty())
            Run("losetup -d '" + device_ + "'");
    }

    // Nothing when no such folder could be had.
    const std::optional<std::string>& path() const {
        return path_;
    }
    const std::string& reason() const {
        return reason_;
    }

private:
    static bool Run(const std::string& command) {
        return std::system(command.c_str()) == 0;
    }
    static std::string Output(const std::string& command) {
#ifdef _WIN32
        (void)command;
        return {};
#else
        std::string out;
        if (FILE* pipe = ::popen(command.c_str(), "r")) {
            char buffer[256];
            while (std::fgets(buffer, sizeof buffer, pipe) != nullptr)
                out += buffer;
            ::pclose(pipe);
        }
        while (!out.empty() && (out.back() == '\n' || out.back() == '\r'))
            out.pop_back();
        return out;
#endif
    }

    TempDir scratch_;
    std::optional<std::string> path_;
    std::string reason_;
    std::string device_;
    std::string mounted_;
};

} // namespace lyricast::test

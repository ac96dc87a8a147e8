#pragma once

#include "engine/ByteSink.h"

#include "platform/ReplacingFile.h"

#include <optional>
#include <string>

namespace lyricast {

// The bytes of one output file, which replaces the file at its path once
// committed. The file is created with the first bytes put, so that a song
// found unwritable before then leaves no trace.
class FileSink final : public ByteSink {
public:
    explicit FileSink(std::string path) : path_(std::move(path)) {}

    void Put(std::span<const std::uint8_t> bytes) override { File().Write(bytes); }
    void PutAt(std::uint64_t offset, std::span<const std::uint8_t> bytes) override {
        File().WriteAt(offset, bytes);
    }
    void Commit() { File().Commit(); }

private:
    ReplacingFile& File() {
        if (!file_)
            file_.emplace(path_);
        return *file_;
    }

    std::string path_;
    std::optional<ReplacingFile> file_;
};

} // namespace lyricast

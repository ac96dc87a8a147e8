#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace lyricast {

// One job per core the system reports, and at least one.
unsigned DefaultJobs();

struct Kar2midOptions {
    enum class Mode { Convert, List, Help, Version };
    Mode mode = Mode::Convert;
    bool recursive = false;
    std::optional<std::string> outputDir;
    unsigned jobs = DefaultJobs(); // files converted at once
    std::vector<std::string> paths;
};

// The options, or the reason the command line is wrong.
struct ParsedOptions {
    std::optional<Kar2midOptions> options;
    std::string error;
};

ParsedOptions ParseKar2midOptions(std::span<const std::string> args);

extern const char* const kKar2midUsage;

} // namespace lyricast

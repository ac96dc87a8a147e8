#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lyricast {

// The name of a new temporary file in `folder` (which ends with its
// separator, or is empty): ".lyricast-XXXXXX.tmp", six characters drawn from
// `alphabet`. Different for every call in this process, and unlikely to be
// another process's (`processId`) at the same moment. The name has a fixed
// length, so any output name that fits fits its temporary file too.
std::string TemporaryNameIn(const std::string& folder, std::uint64_t processId,
                            std::string_view alphabet);

} // namespace lyricast

#pragma once

#include "convert/ConversionPool.h"

#include <optional>
#include <span>
#include <string>

namespace lyricast {

// Why the job at `index` of a run was not converted (refused, failed, or
// skipped as its output is there), in the words kar2mid and the window both
// show; nothing when it was.
std::optional<std::string> FailureReason(std::span<const ConversionJob> jobs, std::size_t index,
                                         const ConversionResult& result);

} // namespace lyricast

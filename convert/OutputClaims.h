#pragma once

#include "convert/ConversionPool.h"

#include <optional>
#include <span>
#include <vector>

namespace lyricast {

// For each job in list order, the refusal it gets before anything runs, or
// nothing when it may be converted.
std::vector<std::optional<ConversionResult>> DecideOutputs(std::span<const ConversionJob> jobs);

} // namespace lyricast

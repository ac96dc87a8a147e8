#pragma once

#include <optional>
#include <string>

namespace lyricast {

// "If a file exists" in the output folder dialog: what a batch does with a
// file it would write that is there already.
enum class ExistingChoice { Replace, Skip, Ask };

// "Replace", "Skip" or "Ask": as the settings keep it, and back.
const char* ExistingChoiceText(ExistingChoice choice);
// The same with "&" before the letter that chooses it in the dialog.
const char* ExistingChoiceCaption(ExistingChoice choice);
std::optional<ExistingChoice> ExistingChoiceOf(const std::string& text);

} // namespace lyricast

#pragma once

#include <span>
#include <string>

namespace lyricast {

// The answers to the question a batch asks, before it writes, when files it
// would write are there already and the user chose to be asked. Yes replaces
// them and No leaves them, for this batch; "to All" answers so for the
// batches after it too, which then ask no more.
enum class ExistingAnswer { Yes, YesToAll, No, NoToAll };

struct ExistingAnswerButton {
    ExistingAnswer answer;
    const char* caption; // with "&" before the letter that chooses it
};

// The buttons in the order a view shows them: Yes, Yes to All, No, No to All.
std::span<const ExistingAnswerButton> ExistingAnswerButtons();

// The answer of Enter, and of closing the question without a button:
// nothing is replaced.
inline constexpr ExistingAnswer kExistingAnswerByDefault = ExistingAnswer::No;

// "3 files to be written are there already:", the first few of them, and
// whether to replace them.
std::string ExistingQuestionText(std::span<const std::string> outputs, std::size_t listed = 10);

} // namespace lyricast

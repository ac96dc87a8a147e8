#include "window/ExistingQuestion.h"

namespace lyricast {
namespace {

constexpr ExistingAnswerButton kButtons[] = {
    {ExistingAnswer::Yes, "&Yes"},
    {ExistingAnswer::YesToAll, "Yes to &All"},
    {ExistingAnswer::No, "&No"},
    {ExistingAnswer::NoToAll, "N&o to All"},
};

} // namespace

std::span<const ExistingAnswerButton> ExistingAnswerButtons() {
    return kButtons;
}

std::string ExistingQuestionText(std::span<const std::string> outputs, std::size_t listed) {
    std::string text = outputs.size() == 1 ? "1 file to be written is there already:"
                                           : std::to_string(outputs.size()) +
                                                 " files to be written are there already:";
    for (std::size_t i = 0; i < outputs.size() && i < listed; ++i)
        text += "\n" + outputs[i];
    if (outputs.size() > listed)
        text += "\nand " + std::to_string(outputs.size() - listed) + " more.";
    text += outputs.size() == 1 ? "\n\nReplace it?" : "\n\nReplace them?";
    return text + "\n(\"Yes to All\" and \"No to All\" answer so for the batches after this one "
                  "too, without asking.)";
}

} // namespace lyricast

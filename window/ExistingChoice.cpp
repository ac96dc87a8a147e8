#include "window/ExistingChoice.h"

namespace lyricast {

const char* ExistingChoiceText(ExistingChoice choice) {
    switch (choice) {
    case ExistingChoice::Replace:
        return "Replace";
    case ExistingChoice::Skip:
        return "Skip";
    case ExistingChoice::Ask:
        break;
    }
    return "Ask";
}

std::optional<ExistingChoice> ExistingChoiceOf(const std::string& text) {
    for (const ExistingChoice choice :
         {ExistingChoice::Replace, ExistingChoice::Skip, ExistingChoice::Ask})
        if (text == ExistingChoiceText(choice))
            return choice;
    return std::nullopt;
}

} // namespace lyricast

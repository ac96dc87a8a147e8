#include "window/ExistingChoice.h"

namespace lyricast {
namespace {

struct Spelled {
    ExistingChoice choice;
    const char* text;
    const char* caption;
};

constexpr Spelled kChoices[] = {
    {ExistingChoice::Replace, "Replace", "&Replace"},
    {ExistingChoice::Skip, "Skip", "&Skip"},
    {ExistingChoice::Ask, "Ask", "&Ask"},
};

const Spelled& SpellingOf(ExistingChoice choice) {
    for (const Spelled& spelled : kChoices)
        if (spelled.choice == choice)
            return spelled;
    return kChoices[0];
}

} // namespace

const char* ExistingChoiceText(ExistingChoice choice) {
    return SpellingOf(choice).text;
}

const char* ExistingChoiceCaption(ExistingChoice choice) {
    return SpellingOf(choice).caption;
}

std::optional<ExistingChoice> ExistingChoiceOf(const std::string& text) {
    for (const Spelled& spelled : kChoices)
        if (text == spelled.text)
            return spelled.choice;
    return std::nullopt;
}

} // namespace lyricast

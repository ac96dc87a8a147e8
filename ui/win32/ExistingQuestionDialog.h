#pragma once

#include "ui/win32/Dialog.h"
#include "window/ExistingQuestion.h"

#include <string>

namespace lyricast {

// The question about files a batch would write that are there already: its
// text beside the question icon and the buttons of ExistingAnswerButtons,
// the default one taking Enter; Esc and the close box answer that too.
class ExistingQuestionDialog : public Dialog {
public:
    enum ControlId { kText = 100, kIcon, kFirstButton };

    explicit ExistingQuestionDialog(std::string question);

    ExistingAnswer Answer() const { return answer_; }

private:
    void Create() override;
    void Command(int id, int code) override;

    std::string question_;
    SIZE text_;
    ExistingAnswer answer_ = kExistingAnswerByDefault;
};

} // namespace lyricast

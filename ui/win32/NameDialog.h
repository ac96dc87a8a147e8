#pragma once

#include "ui/win32/Dialog.h"

#include <string>

namespace lyricast {

// Asks for one line of text: a prompt, a text box, OK and Cancel.
class NameDialog : public Dialog {
public:
    enum ControlId { kPrompt = 100, kName };

    NameDialog(const std::string& title, std::string prompt);

    // The text typed, as it was when OK was pressed.
    const std::string& Text() const { return text_; }

private:
    void Create() override;
    void Command(int id, int code) override;

    std::string prompt_;
    std::string text_;
};

} // namespace lyricast

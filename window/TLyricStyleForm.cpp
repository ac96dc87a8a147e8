#include "window/TLyricStyleForm.h"

#include "window/LyricStyleText.h"
#include "window/TMainForm.h"

namespace lyricast {

void TLyricStyleForm::FormShow() {
    kind_ = mainForm_.lyricStyle.kind;
    ShowKind(std::to_string(mainForm_.lyricStyle.lineLength));
}

void TLyricStyleForm::asWrittenClick() {
    kind_ = LyricStyle::Kind::AsWritten;
    ShowKind(view_.LineLengthText());
}

void TLyricStyleForm::keyboardClick() {
    kind_ = LyricStyle::Kind::Keyboard;
    ShowKind(view_.LineLengthText());
}

// The longest line counts with Keyboard only; with As written what is typed
// there is not looked at, and the remembered length stays.
void TLyricStyleForm::OkClick() {
    LyricStyle style{kind_, mainForm_.lyricStyle.lineLength};
    if (kind_ == LyricStyle::Kind::Keyboard) {
        const auto length = LineLengthOf(view_.LineLengthText());
        if (!length)
            return view_.ShowError("The longest line is a number from 0 to " +
                                   std::to_string(kLongestLineLimit) + " (0 sets no limit).");
        style.lineLength = *length;
    }
    view_.CloseDialog();
    mainForm_.ChooseLyricStyle(style);
}

void TLyricStyleForm::CancelClick() {
    view_.CloseDialog();
}

void TLyricStyleForm::ShowKind(const std::string& lineLength) {
    view_.ShowStyle(kind_, lineLength, kind_ == LyricStyle::Kind::Keyboard);
}

} // namespace lyricast

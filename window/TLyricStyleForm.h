#pragma once

#include "convert/LyricStyle.h"
#include "window/LyricStyleView.h"

namespace lyricast {

class TMainForm;

// The dialog's captions, each with the letter that chooses it.
inline constexpr const char* kLyricStyleTitle = "Lyric Style";
inline constexpr const char* kAsWrittenCaption = "&As written";
inline constexpr const char* kKeyboardCaption = "&Keyboard";
inline constexpr const char* kLineLengthCaption = "&Longest line:";
inline constexpr const char* kLineLengthNote = "characters (0: no limit)";
inline constexpr const char* kLyricStyleOk = "OK";
inline constexpr const char* kLyricStyleCancel = "Cancel";

// The lyric style dialog: the words written as they are ("As written", the
// conversion the program has always made) or as a keyboard shows them
// ("Keyboard"), with the longest line a keyboard line may have. It shows the
// main window's style when it opens; OK makes the choice the main window's,
// Cancel leaves that as it was.
class TLyricStyleForm {
public:
    TLyricStyleForm(TMainForm& mainForm, LyricStyleView& view) : mainForm_(mainForm), view_(view) {}

    void FormShow();
    void asWrittenClick();
    void keyboardClick();
    void OkClick();
    void CancelClick();

private:
    void ShowKind(const std::string& lineLength);

    TMainForm& mainForm_;
    LyricStyleView& view_;
    LyricStyle::Kind kind_ = LyricStyle::Kind::AsWritten;
};

} // namespace lyricast

#include "ui/win32/LyricsPaneWindow.h"

#include "platform/DisplayText.h"
#include "ui/win32/Controls.h"
#include "ui/win32/WideText.h"

#include <string>

namespace lyricast {
namespace {

// An edit box breaks lines at CR LF only.
std::string BoxLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        if (!text.empty())
            text += "\r\n";
        text += line;
    }
    return text;
}

// The ui font in bold, made once for every pane.
HFONT BoldUiFont() {
    static const HFONT bold = [] {
        LOGFONTW font{};
        GetObjectW(UiFont(), sizeof font, &font);
        font.lfWeight = FW_BOLD;
        return CreateFontIndirectW(&font);
    }();
    return bold;
}

} // namespace

LyricsPaneWindow::LyricsPaneWindow(HWND parent, int firstId, const Box& pane)
    : LyricsPaneWindow(parent, firstId, pane, LayOutLyricsPane(pane, 0)) {}

LyricsPaneWindow::LyricsPaneWindow(HWND parent, int firstId, const Box& pane,
                                   const LyricsPaneLayout& layout)
    : title(CreateChild(parent, "STATIC", "", WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX,
                        layout.title, firstId)),
      codePageCaption(CreateChild(parent, "STATIC", kCodePageCaption, WS_VISIBLE | SS_RIGHT,
                                  layout.codePageCaption, firstId + 1)),
      codePageBox(CreateChild(parent, "COMBOBOX", "",
                              WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                              layout.codePageBox, firstId + 2)),
      lines(CreateChild(parent, "EDIT", "",
                        WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY |
                            ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                        layout.lines, firstId + 3, WS_EX_CLIENTEDGE)),
      warnings(CreateChild(parent, "STATIC", "", WS_VISIBLE | SS_NOPREFIX, layout.warnings,
                           firstId + 4)),
      note(CreateChild(parent, "STATIC", "", WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX,
                       layout.note, firstId + 5)),
      pane_(pane) {
    SendMessageW(title, WM_SETFONT, reinterpret_cast<WPARAM>(BoldUiFont()), FALSE);
    for (const CodePage page : DisplayCodePages())
        SendMessageW(codePageBox, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(Wide(CodePageCaption(page)).c_str()));
}

void LyricsPaneWindow::Place(const Box& pane) {
    pane_ = pane;
    const LyricsPaneLayout layout = Layout();
    lyricast::Place(title, layout.title);
    lyricast::Place(codePageCaption, layout.codePageCaption);
    lyricast::Place(codePageBox, layout.codePageBox);
    lyricast::Place(lines, layout.lines);
    lyricast::Place(warnings, layout.warnings);
    lyricast::Place(note, layout.note);
}

void LyricsPaneWindow::CodePageBoxChange() {
    const auto index = SendMessageW(codePageBox, CB_GETCURSEL, 0, 0);
    if (index >= 0)
        core.CodePageComboChange(static_cast<std::size_t>(index));
}

void LyricsPaneWindow::ShowLyrics(const LyricsPaneText& text) {
    SetText(title, text.title);
    SetText(lines, BoxLines(text.lines));
    std::string shown;
    for (const std::string& warning : text.warnings)
        shown += (shown.empty() ? "" : "\r\n") + warning;
    SetText(warnings, shown);
    SetText(note, text.note);
    if (static_cast<int>(text.warnings.size()) != warningLines_) {
        warningLines_ = static_cast<int>(text.warnings.size());
        Place(pane_);
    }
}

void LyricsPaneWindow::ShowCodePage(std::size_t index) {
    SendMessageW(codePageBox, CB_SETCURSEL, index, 0);
}

} // namespace lyricast

#include "ui/win32/Dialog.h"

#include "ui/win32/Controls.h"

#include <vector>

namespace lyricast {
namespace {

// An empty template in the system's 8-point dialog font; the size and the
// controls come in WM_INITDIALOG, in pixels.
std::vector<WORD> EmptyTemplate() {
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    auto* dialog = reinterpret_cast<DLGTEMPLATE*>(words.data());
    dialog->style = DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    words.insert(words.end(), {0, 0, 0}); // no menu, the standard class, no title
    words.push_back(8);
    for (const char c : std::string("MS Shell Dlg"))
        words.push_back(static_cast<WORD>(c));
    words.push_back(0);
    return words;
}

} // namespace

Dialog::Dialog(std::string title, int clientWidth, int clientHeight)
    : title_(std::move(title)), clientWidth_(clientWidth), clientHeight_(clientHeight) {}

INT_PTR Dialog::Run(HWND owner) {
    modal_ = true;
    const std::vector<WORD> words = EmptyTemplate();
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr),
                                   reinterpret_cast<const DLGTEMPLATE*>(words.data()), owner,
                                   Procedure, reinterpret_cast<LPARAM>(this));
}

HWND Dialog::Open(HWND owner) {
    modal_ = false;
    const std::vector<WORD> words = EmptyTemplate();
    return CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                      reinterpret_cast<const DLGTEMPLATE*>(words.data()), owner,
                                      Procedure, reinterpret_cast<LPARAM>(this));
}

std::optional<INT_PTR> Dialog::Message(UINT, WPARAM, LPARAM) {
    return std::nullopt;
}

void Dialog::End(INT_PTR result) {
    if (modal_) {
        EndDialog(handle_, result);
    } else {
        DestroyWindow(handle_);
    }
}

INT_PTR CALLBACK Dialog::Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        reinterpret_cast<Dialog*>(lParam)->Initialise(dialog);
        return TRUE;
    }
    auto* self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (self == nullptr)
        return FALSE;
    if (message == WM_NCDESTROY) {
        self->handle_ = nullptr;
        return FALSE;
    }
    if (message == WM_COMMAND) {
        self->Command(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    }
    if (const std::optional<INT_PTR> answer = self->Message(message, wParam, lParam)) {
        SetWindowLongPtrW(dialog, DWLP_MSGRESULT, *answer);
        return TRUE;
    }
    return FALSE;
}

void Dialog::Initialise(HWND dialog) {
    handle_ = dialog;
    SetText(dialog, title_);
    RECT outer{0, 0, clientWidth_, clientHeight_};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongW(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(dialog, GWL_EXSTYLE)));
    SetWindowPos(dialog, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    Create();
    CentreOnOwner();
}

// Wherever the owner is, at every showing.
void Dialog::CentreOnOwner() {
    HWND owner = GetWindow(handle_, GW_OWNER);
    RECT area{};
    if (owner != nullptr) {
        GetWindowRect(owner, &area);
    } else {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    }
    RECT own{};
    GetWindowRect(handle_, &own);
    const int width = own.right - own.left, height = own.bottom - own.top;
    SetWindowPos(handle_, nullptr, (area.left + area.right - width) / 2,
                 (area.top + area.bottom - height) / 2, 0, 0,
                 SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
}

} // namespace lyricast

#include "ui/win32/OutPathDialog.h"

#include "ui/win32/Controls.h"
#include "ui/win32/ErrorBox.h"
#include "ui/win32/FolderBrowseDialog.h"
#include "window/ErrorBox.h"

namespace lyricast {
namespace {

constexpr int kExistingLeft = 477; // right of the folder's button

int ExistingId(ExistingChoice choice) {
    switch (choice) {
    case ExistingChoice::Replace:
        return OutPathDialog::kExistingReplace;
    case ExistingChoice::Skip:
        return OutPathDialog::kExistingSkip;
    case ExistingChoice::Ask:
        break;
    }
    return OutPathDialog::kExistingAsk;
}

} // namespace

OutPathDialog::OutPathDialog(TMainForm& mainForm)
    : Dialog("Output Path", 592, 145), form(mainForm, *this) {}

// In tab order: the choice, the folder and its button, the other choice,
// Keep sub-folders, the three choices if a file exists, Close.
void OutPathDialog::Create() {
    HWND dialog = Handle();
    CreateChild(dialog, "STATIC", "Output Path", WS_VISIBLE, {8, 8, 120, 17}, kLabel1);
    CreateChild(dialog, "BUTTON", "Always save to",
                WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, {40, 36, 101, 21},
                kSavePath);
    CreateChild(dialog, "EDIT", shownFolder_,
                WS_VISIBLE | WS_TABSTOP | ES_READONLY | ES_AUTOHSCROLL, {144, 36, 225, 21}, kEdit1,
                WS_EX_CLIENTEDGE);
    CreateChild(dialog, "BUTTON", "...", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, {378, 33, 75, 25},
                kLMDButton1);
    CreateChild(dialog, "BUTTON", "Save to original file's paht",
                WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON, {40, 68, 161, 21}, kSaveOri);
    CreateChild(dialog, "BUTTON", kKeepTreeCaption,
                WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX, {232, 68, 137, 21},
                kKeepTree);
    CreateExistingChoices();
    CreateChild(dialog, "BUTTON", "Close", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON,
                {176, 104, 75, 25}, kLMDButton2);
    CheckDlgButton(dialog, form.savePath ? kSavePath : kSaveOri, BST_CHECKED);
    ShowExisting(form.ifExists);
    ShowKeepTree(form.keepTree, form.savePath);
}

// "If a file exists:" and its three choices, a group of their own.
void OutPathDialog::CreateExistingChoices() {
    HWND dialog = Handle();
    CreateChild(dialog, "STATIC", kIfExistsCaption, WS_VISIBLE, {kExistingLeft, 8, 110, 17},
                kExistingLabel);
    int top = 36;
    for (const ExistingChoice choice :
         {ExistingChoice::Replace, ExistingChoice::Skip, ExistingChoice::Ask}) {
        const DWORD group = choice == ExistingChoice::Replace ? WS_GROUP : 0;
        CreateChild(dialog, "BUTTON", ExistingChoiceCaption(choice),
                    WS_VISIBLE | WS_TABSTOP | group | BS_AUTORADIOBUTTON,
                    {kExistingLeft + 8, top, 90, 21}, ExistingId(choice));
        top += 22;
    }
}

void OutPathDialog::Command(int id, int code) {
    if (code != BN_CLICKED)
        return;
    switch (id) {
    case kSavePath:
        return form.savePathClick();
    case kSaveOri:
        return form.saveOriClick();
    case kKeepTree:
        return form.keepTreeClick();
    case kExistingReplace:
        return form.existingReplaceClick();
    case kExistingSkip:
        return form.existingSkipClick();
    case kExistingAsk:
        return form.existingAskClick();
    case kLMDButton1: {
        DialogErrors errors{Handle()};
        return CallHandler(errors, [this] { form.LMDButton1Click(); });
    }
    case kLMDButton2:
    case IDCANCEL: // the title bar's close box and Escape
        return form.LMDButton2Click();
    default:
        return;
    }
}

std::optional<std::string> OutPathDialog::BrowseForFolder(const std::string& title,
                                                          const std::string& startFolder) {
    FolderBrowseDialog LMDDirDlg1(title, startFolder);
    return LMDDirDlg1.Run(Handle()) == IDOK ? std::optional(LMDDirDlg1.Folder()) : std::nullopt;
}

void OutPathDialog::ShowChoice(bool savePath, const std::string& folder) {
    shownFolder_ = folder;
    CheckDlgButton(Handle(), kSavePath, savePath ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(Handle(), kSaveOri, savePath ? BST_UNCHECKED : BST_CHECKED);
    SetText(GetDlgItem(Handle(), kEdit1), folder);
}

void OutPathDialog::ShowExisting(ExistingChoice choice) {
    CheckRadioButton(Handle(), kExistingReplace, kExistingAsk, ExistingId(choice));
}

void OutPathDialog::ShowKeepTree(bool checked, bool enabled) {
    CheckDlgButton(Handle(), kKeepTree, checked ? BST_CHECKED : BST_UNCHECKED);
    EnableWindow(GetDlgItem(Handle(), kKeepTree), enabled ? TRUE : FALSE);
}

void OutPathDialog::CloseDialog() {
    End(IDCANCEL);
}

} // namespace lyricast

#pragma once

#include "window/TMainForm.h"

#include <windows.h>

namespace lyricast {

// The main window's menu entries, by command id.
enum MenuId {
    kExit1 = 1000,
    kShowOnlyKAR1,
    kSelectDestinationFolder1,
    kSubDir,
    kHelp2,
    kAbout1,
    kOpenFolder,
    kScanAgain,
    kStop
};

using MenuHandler = void (TMainForm::*)();

// File (Open Folder..., Scan Again, Stop, Exit), Options (Show Only  KAR,
// Select Output Folder, Include Sub Dir) and Help (Help, About), each with
// its mnemonic and the key that chooses it from anywhere in the window.
HMENU CreateMainMenu();
// Those keys: F1 Help, F5 Scan Again, Esc Stop, Ctrl+O Open Folder.
HACCEL CreateMainKeys();
// The window's handler of a menu entry; null for any other command (Open
// Folder... asks the view for a folder first).
MenuHandler HandlerOfMenuEntry(int id);
// The check marks follow the options the window keeps.
void ShowMenuOptions(HMENU menu, const TMainForm& form);

} // namespace lyricast

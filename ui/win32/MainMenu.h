#pragma once

#include "window/TMainForm.h"

#include <windows.h>

namespace lyricast {

// The main window's menu entries, by command id.
enum MenuId { kExit1 = 1000, kShowOnlyKAR1, kSelectDestinationFolder1, kSubDir, kHelp2, kAbout1 };

using MenuHandler = void (TMainForm::*)();

// File (Exit), Options (Show Only  KAR, Select Output Folder, Include Sub
// Dir) and Help (Help, About).
HMENU CreateMainMenu();
// The window's handler of a menu entry; null for any other command.
MenuHandler HandlerOfMenuEntry(int id);
// The check marks follow the options the window keeps.
void ShowMenuOptions(HMENU menu, const TMainForm& form);

} // namespace lyricast

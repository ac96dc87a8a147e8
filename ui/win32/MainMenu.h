#pragma once

#include "window/MainMenu.h"
#include "window/TMainForm.h"

#include <windows.h>

namespace lyricast {

// The main window's menu bar and keys on the Win32 API, built from MainMenu.
// Each entry's command id is kFirstMenuId and its place among all entries.
constexpr int kFirstMenuId = 1000;

// Each caption with its mnemonic, and an entry's key after a tab.
HMENU CreateMainMenu();
// The keys that choose entries from anywhere in the window.
HACCEL CreateMainKeys();
// The entry of a command id; null for any other command.
const MenuEntry* MenuEntryOf(int id);
// The check marks follow the options the window keeps.
void ShowMenuChecks(HMENU menu, const TMainForm& form);

} // namespace lyricast

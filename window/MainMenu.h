#pragma once

#include <span>
#include <string>

namespace lyricast {

class TMainForm;

// A key that chooses a menu entry from anywhere in the main window.
struct MenuKey {
    enum class Kind { None, Letter, Function, Escape };
    Kind kind = Kind::None;
    char letter = 0; // Letter: in upper case
    int number = 0;  // Function: 1 for F1
    bool control = false;
};

// The key as a menu spells it beside its entry: "Ctrl+O", "F5", "Esc".
std::string KeyText(const MenuKey& key);

// One entry of a menu: its name in the window, its caption with "&" before
// the letter that chooses it in the open menu, its key, its handler, and for
// an entry with a check mark the option it shows. An entry without a handler
// is a separator.
struct MenuEntry {
    const char* name;
    const char* caption = "";
    MenuKey key = {};
    void (TMainForm::*handler)() = nullptr;
    bool (*checked)(const TMainForm& form) = nullptr;

    bool IsSeparator() const { return handler == nullptr; }
};

struct Menu {
    const char* name;
    const char* caption;
    std::span<const MenuEntry> entries;
};

// The main window's menu bar, the same in every window: File (Open Folder...,
// Scan Again, Stop, Exit), Options (Show Only  KAR, Select Output Folder,
// Include Sub Dir, Lyric Style...) and Help (Help, About).
std::span<const Menu> MainMenu();

} // namespace lyricast

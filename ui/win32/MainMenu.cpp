#include "ui/win32/MainMenu.h"

#include "ui/win32/WideText.h"

#include <string>
#include <vector>

namespace lyricast {
namespace {

// Every entry of the bar, menu after menu, with its menu and command id.
template <typename Visit> void ForEachEntry(Visit&& visit) {
    int id = kFirstMenuId;
    for (const Menu& menu : MainMenu())
        for (const MenuEntry& entry : menu.entries)
            visit(menu, entry, id++);
}

WORD VirtualKey(const MenuKey& key) {
    switch (key.kind) {
    case MenuKey::Kind::Letter:
        return static_cast<WORD>(key.letter);
    case MenuKey::Kind::Function:
        return static_cast<WORD>(VK_F1 + key.number - 1);
    case MenuKey::Kind::Escape:
        return VK_ESCAPE;
    case MenuKey::Kind::None:
        break;
    }
    return 0;
}

} // namespace

HMENU CreateMainMenu() {
    HMENU bar = CreateMenu();
    const Menu* filling = nullptr;
    HMENU popup = nullptr;
    ForEachEntry([&](const Menu& menu, const MenuEntry& entry, int id) {
        if (&menu != filling) {
            filling = &menu;
            popup = CreatePopupMenu();
            AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup),
                        Wide(menu.caption).c_str());
        }
        if (entry.IsSeparator()) {
            AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
            return;
        }
        std::string caption = entry.caption;
        if (entry.key.kind != MenuKey::Kind::None)
            caption += "\t" + KeyText(entry.key);
        AppendMenuW(popup, MF_STRING, static_cast<UINT_PTR>(id), Wide(caption).c_str());
    });
    return bar;
}

HACCEL CreateMainKeys() {
    std::vector<ACCEL> keys;
    ForEachEntry([&keys](const Menu&, const MenuEntry& entry, int id) {
        if (entry.key.kind == MenuKey::Kind::None)
            return;
        const BYTE flags = FVIRTKEY | (entry.key.control ? FCONTROL : 0);
        keys.push_back({flags, VirtualKey(entry.key), static_cast<WORD>(id)});
    });
    return CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size()));
}

const MenuEntry* MenuEntryOf(int id) {
    const MenuEntry* found = nullptr;
    ForEachEntry([&](const Menu&, const MenuEntry& entry, int entryId) {
        if (entryId == id && !entry.IsSeparator())
            found = &entry;
    });
    return found;
}

void ShowMenuChecks(HMENU menu, const TMainForm& form) {
    ForEachEntry([&](const Menu&, const MenuEntry& entry, int id) {
        if (entry.checked != nullptr)
            CheckMenuItem(menu, static_cast<UINT>(id),
                          MF_BYCOMMAND | (entry.checked(form) ? MF_CHECKED : MF_UNCHECKED));
    });
}

} // namespace lyricast

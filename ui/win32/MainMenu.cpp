#include "ui/win32/MainMenu.h"

#include <array>

namespace lyricast {
namespace {

struct MenuEntry {
    int id; // 0 for a separator
    const char* caption;
    MenuHandler handler;
};

struct Menu {
    const char* caption;
    std::array<MenuEntry, 5> entries; // ended by the first empty entry
};

const std::array<Menu, 3> kMenus = {{
    {"&File",
     {{{kOpenFolder, "&Open Folder...\tCtrl+O", nullptr},
       {kScanAgain, "&Scan Again\tF5", &TMainForm::DirectoryListBox1Change},
       {kStop, "S&top\tEsc", &TMainForm::StopClick},
       {0, "", nullptr},
       {kExit1, "E&xit", &TMainForm::Exit1Click}}}},
    {"&Options",
     {{{kShowOnlyKAR1, "Show Only  &KAR", &TMainForm::ShowOnlyKAR1Click},
       {0, "", nullptr},
       {kSelectDestinationFolder1, "Select &Output Folder",
        &TMainForm::SelectDestinationFolder1Click},
       {0, "", nullptr},
       {kSubDir, "Include &Sub Dir", &TMainForm::subDirClick}}}},
    {"&Help",
     {{{kHelp2, "&Help\tF1", &TMainForm::Help2Click},
       {0, "", nullptr},
       {kAbout1, "&About", &TMainForm::About1Click}}}},
}};

HMENU CreatePopup(const Menu& menu) {
    HMENU popup = CreatePopupMenu();
    for (const MenuEntry& entry : menu.entries) {
        if (entry.caption == nullptr)
            break;
        if (entry.id == 0) {
            AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuA(popup, MF_STRING, static_cast<UINT_PTR>(entry.id), entry.caption);
        }
    }
    return popup;
}

} // namespace

HMENU CreateMainMenu() {
    HMENU bar = CreateMenu();
    for (const Menu& menu : kMenus)
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopup(menu)), menu.caption);
    return bar;
}

HACCEL CreateMainKeys() {
    std::array<ACCEL, 4> keys = {{{FVIRTKEY, VK_F1, kHelp2},
                                  {FVIRTKEY, VK_F5, kScanAgain},
                                  {FVIRTKEY, VK_ESCAPE, kStop},
                                  {FVIRTKEY | FCONTROL, 'O', kOpenFolder}}};
    return CreateAcceleratorTableA(keys.data(), static_cast<int>(keys.size()));
}

MenuHandler HandlerOfMenuEntry(int id) {
    for (const Menu& menu : kMenus)
        for (const MenuEntry& entry : menu.entries)
            if (entry.caption != nullptr && entry.id == id && id != 0)
                return entry.handler;
    return nullptr;
}

void ShowMenuOptions(HMENU menu, const TMainForm& form) {
    CheckMenuItem(menu, kShowOnlyKAR1,
                  MF_BYCOMMAND | (form.showOnlyKar ? MF_CHECKED : MF_UNCHECKED));
    CheckMenuItem(menu, kSubDir, MF_BYCOMMAND | (form.subDir ? MF_CHECKED : MF_UNCHECKED));
}

} // namespace lyricast

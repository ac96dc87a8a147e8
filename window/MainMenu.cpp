#include "window/MainMenu.h"

#include "window/TMainForm.h"

namespace lyricast {
namespace {

constexpr MenuKey Ctrl(char letter) {
    return {MenuKey::Kind::Letter, letter, 0, true};
}

constexpr MenuKey Function(int number) {
    return {MenuKey::Kind::Function, 0, number, false};
}

constexpr MenuKey kEscape = {MenuKey::Kind::Escape};

const MenuEntry kFile[] = {
    {"OpenFolder1", "&Open Folder...", Ctrl('O'), &TMainForm::OpenFolder1Click},
    {"ScanAgain1", "&Scan Again", Function(5), &TMainForm::DirectoryListBox1Change},
    {"Stop1", "S&top", kEscape, &TMainForm::Stop1Click},
    {"N4"},
    {"Exit1", "E&xit", {}, &TMainForm::Exit1Click},
};

// The options whose check marks the entries show.
bool OnlyKar(const TMainForm& form) {
    return form.showOnlyKar;
}

bool SubDirs(const TMainForm& form) {
    return form.subDir;
}

const MenuEntry kOptions[] = {
    {"ShowOnlyKAR1", "Show Only  &KAR", {}, &TMainForm::ShowOnlyKAR1Click, OnlyKar},
    {"N2"},
    {"SelectDestinationFolder1",
     "Select &Output Folder",
     {},
     &TMainForm::SelectDestinationFolder1Click},
    {"N3"},
    {"subDir", "Include &Sub Dir", {}, &TMainForm::subDirClick, SubDirs},
    {"LyricStyle1", "&Lyric Style...", {}, &TMainForm::LyricStyle1Click},
};

const MenuEntry kHelp[] = {
    {"Help2", "&Help", Function(1), &TMainForm::Help2Click},
    {"N1"},
    {"About1", "&About", {}, &TMainForm::About1Click},
};

const Menu kMenus[] = {
    {"File1", "&File", kFile},
    {"Options1", "&Options", kOptions},
    {"Help1", "&Help", kHelp},
};

} // namespace

std::string KeyText(const MenuKey& key) {
    std::string text = key.control ? "Ctrl+" : "";
    switch (key.kind) {
    case MenuKey::Kind::Letter:
        return text + key.letter;
    case MenuKey::Kind::Function:
        return text + "F" + std::to_string(key.number);
    case MenuKey::Kind::Escape:
        return text + "Esc";
    case MenuKey::Kind::None:
        break;
    }
    return {};
}

std::span<const Menu> MainMenu() {
    return kMenus;
}

} // namespace lyricast

#include "ui/win32/IniSettings.h"
#include "ui/win32/Win32Program.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int show) {
    lyricast::Win32Program program(lyricast::IniSettings::UserFile(), show);
    return lyricast::RunWindowProgram(program);
}

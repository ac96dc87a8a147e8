#include "ui/win32/Win32Program.h"

#include "platform/WideTextWindows.h"
#include "ui/win32/ErrorBox.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cstdlib>

namespace lyricast {

// The dialog was made after the main window and goes before it.
Win32Program::~Win32Program() {
    outPathForm.reset();
    mainWindow.reset();
}

// The common controls, and the command line.
// The command line as the system keeps it, in UTF-16, so that a name the code
// page cannot spell arrives whole; the window takes it as UTF-8.
std::vector<std::string> Win32Program::NamedOnTheCommandLine() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> named;
    for (int i = 1; arguments != nullptr && i < count; ++i)
        named.push_back(Utf8FromWide(arguments[i]));
    LocalFree(arguments);
    return named;
}

std::vector<std::string> Win32Program::CreateApplication() {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES |
                                            ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    return NamedOnTheCommandLine();
}

void Win32Program::CreateWindows() {
    mainWindow = std::make_unique<MainWindow>();
    outPathForm = std::make_unique<OutPathDialog>(mainWindow->form);
    mainWindow->outPathForm = outPathForm.get();
    mainWindow->form.outPathForm = &outPathForm->form;
    mainWindow->quitOnClose = true;
}

void Win32Program::RestoreSettings() {
    if (settingsFile_.empty())
        return;
    settings_.emplace(settingsFile_);
    mainWindow->settings = &*settings_;
    mainWindow->RestoreSettings();
}

void Win32Program::SaveSettings() {
    mainWindow->SaveSettings();
}

void Win32Program::ShowWindow() {
    mainWindow->Show(show_);
}

int Win32Program::RunEventLoop() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (mainWindow->TranslateKeys(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

void Win32Program::ShowStartError(const std::string& text) {
    ShowErrorBox(nullptr, text);
}

} // namespace lyricast

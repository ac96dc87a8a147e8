#include "platform/WideTextWindows.h"
#include "ui/win32/ErrorBox.h"
#include "ui/win32/IniSettings.h"
#include "ui/win32/MainWindow.h"
#include "ui/win32/OutPathDialog.h"
#include "window/ErrorBox.h"

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

namespace {

// The command line as the system keeps it, in UTF-16, so that a name the code
// page cannot spell arrives whole; the window takes it as UTF-8.
std::vector<std::string> NamedOnTheCommandLine() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> named;
    for (int i = 1; arguments != nullptr && i < count; ++i)
        named.push_back(lyricast::Utf8FromWide(arguments[i]));
    LocalFree(arguments);
    return named;
}

int RunMessageLoop(lyricast::MainWindow& window) {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (window.TranslateKeys(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int show) {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES |
                                            ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    try {
        lyricast::MainWindow mainWindow;
        lyricast::OutPathDialog outPathForm(mainWindow.form);
        mainWindow.outPathForm = &outPathForm;
        mainWindow.form.outPathForm = &outPathForm.form;
        mainWindow.quitOnDestroy = true;
        lyricast::IniSettings settings(lyricast::IniSettings::UserFile());
        if (!settings.File().empty()) {
            mainWindow.settings = &settings;
            mainWindow.RestoreSettings();
        }
        mainWindow.Show(show);
        // A folder named on the command line is scanned; files are listed.
        const std::vector<std::string> named = NamedOnTheCommandLine();
        if (!named.empty())
            lyricast::CallHandler(mainWindow, [&] { mainWindow.form.OpenPaths(named); });
        const int status = RunMessageLoop(mainWindow);
        mainWindow.form.FinishWork();
        return status;
    } catch (const std::exception& error) {
        lyricast::ShowErrorBox(nullptr, lyricast::ErrorBoxText(error.what()));
        return 1;
    }
}

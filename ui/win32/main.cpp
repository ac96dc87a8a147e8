#include "ui/win32/ErrorBox.h"
#include "ui/win32/MainWindow.h"
#include "ui/win32/OutPathDialog.h"
#include "window/ErrorBox.h"

#include <windows.h>

#include <commctrl.h>

#include <exception>

namespace {

int RunMessageLoop() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
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
        mainWindow.Show(show);
        const int status = RunMessageLoop();
        mainWindow.form.FinishWork();
        return status;
    } catch (const std::exception& error) {
        lyricast::ShowErrorBox(nullptr, lyricast::ErrorBoxText(error.what()));
        return 1;
    }
}

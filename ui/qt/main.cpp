#include "ui/qt/ErrorBox.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/OutPathDialog.h"
#include "ui/qt/QtSettingsStore.h"
#include "ui/qt/TApplication.h"
#include "window/ErrorBox.h"

#include <exception>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    lyricast::TApplication application(argc, argv);
    try {
        lyricast::MainWindow mainWindow;
        lyricast::OutPathDialog outPathForm(&mainWindow);
        mainWindow.outPathForm = &outPathForm;
        mainWindow.form.outPathForm = &outPathForm.form;
        lyricast::QtSettingsStore settings;
        mainWindow.RestoreSettings(settings);
        mainWindow.show();
        // `lyricast-convert FOLDER` opens and scans it; `lyricast-convert FILE...` lists
        // them. The arguments are taken as the system's bytes, whatever their encoding.
        std::vector<std::string> paths(argv + 1, argv + argc);
        if (!paths.empty())
            lyricast::CallHandler(
                mainWindow, [&mainWindow, &paths] { mainWindow.form.OpenPaths(std::move(paths)); });
        const int status = application.exec();
        mainWindow.SaveSettings(settings);
        mainWindow.form.FinishWork();
        return status;
    } catch (const std::exception& error) {
        lyricast::ShowErrorBox(QString::fromLocal8Bit(lyricast::ErrorBoxText(error.what())));
        return 1;
    }
}

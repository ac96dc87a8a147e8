#include "ui/qt/ErrorBox.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/OutPathDialog.h"
#include "ui/qt/TApplication.h"
#include "window/ErrorBox.h"

#include <exception>

int main(int argc, char** argv) {
    lyricast::TApplication application(argc, argv);
    try {
        lyricast::MainWindow mainWindow;
        lyricast::OutPathDialog outPathForm(&mainWindow);
        mainWindow.outPathForm = &outPathForm;
        mainWindow.form.outPathForm = &outPathForm.form;
        mainWindow.show();
        const int status = application.exec();
        mainWindow.form.FinishWork();
        return status;
    } catch (const std::exception& error) {
        lyricast::ShowErrorBox(QString::fromLocal8Bit(lyricast::ErrorBoxText(error.what())));
        return 1;
    }
}

#include "ui/qt/QtProgram.h"

#include "ui/qt/ErrorBox.h"

namespace lyricast {

// The windows go before the application object they belong to.
QtProgram::~QtProgram() {
    outPathForm.reset();
    mainWindow.reset();
}

// The arguments are taken as the system's bytes, whatever their encoding,
// once Qt has taken its own options (-platform, -style) out of them.
std::vector<std::string> QtProgram::CreateApplication() {
    application_.emplace(argc_, argv_);
    return {argv_ + 1, argv_ + argc_};
}

void QtProgram::CreateWindows() {
    mainWindow = std::make_unique<MainWindow>();
    outPathForm = std::make_unique<OutPathDialog>(mainWindow.get());
    mainWindow->outPathForm = outPathForm.get();
    mainWindow->form.outPathForm = &outPathForm->form;
}

void QtProgram::RestoreSettings() {
    settings_.emplace();
    mainWindow->RestoreSettings(*settings_);
}

void QtProgram::SaveSettings() {
    mainWindow->SaveSettings(*settings_);
}

void QtProgram::ShowWindow() {
    mainWindow->show();
}

int QtProgram::RunEventLoop() {
    return QApplication::exec();
}

void QtProgram::ShowStartError(const std::string& text) {
    ShowErrorBox(QString::fromLocal8Bit(text));
}

} // namespace lyricast

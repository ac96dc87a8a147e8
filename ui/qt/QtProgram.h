#pragma once

#include "ui/qt/MainWindow.h"
#include "ui/qt/OutPathDialog.h"
#include "ui/qt/QtSettingsStore.h"
#include "ui/qt/TApplication.h"
#include "window/StartUp.h"

#include <memory>
#include <optional>

namespace lyricast {

// The window program's parts in Qt, for RunWindowProgram; `argc` and `argv`
// are main's. Settings are kept in the user's INI file.
class QtProgram : public WindowProgram {
public:
    QtProgram(int& argc, char** argv) : argc_(argc), argv_(argv) {}
    virtual ~QtProgram();

    std::vector<std::string> CreateApplication() override;
    void CreateWindows() override;
    TMainForm& Form() override { return mainWindow->form; }
    MainFormView& View() override { return *mainWindow; }
    void RestoreSettings() override;
    void SaveSettings() override;
    void ShowWindow() override;
    int RunEventLoop() override;
    void ShowStartError(const std::string& text) override;

    std::unique_ptr<MainWindow> mainWindow;
    std::unique_ptr<OutPathDialog> outPathForm;

private:
    int& argc_;
    char** argv_;
    std::optional<TApplication> application_;
    std::optional<QtSettingsStore> settings_;
};

} // namespace lyricast

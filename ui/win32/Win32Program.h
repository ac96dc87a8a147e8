#pragma once

#include "ui/win32/IniSettings.h"
#include "ui/win32/MainWindow.h"
#include "ui/win32/OutPathDialog.h"
#include "window/StartUp.h"

#include <memory>
#include <optional>
#include <string>

namespace lyricast {

// The window program's parts on the Win32 API, for RunWindowProgram. Its
// settings are kept in `settingsFile`; none when it is empty.
class Win32Program : public WindowProgram {
public:
    Win32Program(std::string settingsFile, int show)
        : settingsFile_(std::move(settingsFile)), show_(show) {}
    virtual ~Win32Program();

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
    static std::vector<std::string> NamedOnTheCommandLine();
    std::string settingsFile_;
    int show_;
    std::optional<IniSettings> settings_;
};

} // namespace lyricast

#include "window/StartUp.h"

#include "platform/CurrentDirectory.h"
#include "platform/DriveRelativePath.h"
#include "platform/TemporaryFile.h"
#include "window/ErrorBox.h"
#include "window/TMainForm.h"

#include <exception>

namespace lyricast {
namespace {

// The folder relative paths are read against; empty when the system cannot
// tell (it was removed), and they are then taken as they are.
std::string StartFolder() {
    try {
        return GetCurrentDir();
    } catch (const std::exception&) {
        return {};
    }
}

// What the window lists once it shows: what the command line named, else
// the folder it was in when it was last closed.
void ListAtStart(TMainForm& form, std::vector<std::string>& paths) {
    if (!paths.empty())
        return form.OpenPaths(std::move(paths));
    if (form.FolderRestored())
        form.DirectoryListBox1Change();
}

} // namespace

int RunWindowProgram(WindowProgram& program) {
    RemoveTemporariesOnInterrupt();
    const std::string startFolder = StartFolder();
    std::vector<std::string> paths = program.CreateApplication();
    try {
        // A drive's own folder ("Y:songs") moves when a folder of that drive is opened.
        for (std::string& path : paths)
            path = FromDriveRoot(path);
        program.CreateWindows();
        TMainForm& form = program.Form();
        form.startFolder = startFolder;
        program.RestoreSettings();
        program.ShowWindow();
        CallHandler(program.View(), [&form, &paths] { ListAtStart(form, paths); });
        const int status = program.RunEventLoop();
        program.SaveSettings();
        form.FinishWork();
        return status;
    } catch (const std::exception& error) {
        program.ShowStartError(ErrorBoxText(error.what()));
        return 1;
    }
}

} // namespace lyricast

#pragma once

#include <string>
#include <vector>

namespace lyricast {

class MainFormView;
class TMainForm;

// What a toolkit makes and runs for the window program; RunWindowProgram
// calls each in the order the program starts and ends.
class WindowProgram {
public:
    // The toolkit's application object; returns the command line's paths,
    // after the toolkit has taken any options of its own.
    virtual std::vector<std::string> CreateApplication() = 0;
    // The main window, then the output folder dialog, hidden, linked to it.
    virtual void CreateWindows() = 0;
    virtual TMainForm& Form() = 0;
    virtual MainFormView& View() = 0;
    // What the window remembers: the core's choices and the toolkit's own
    // (the window's place, the splitter, the columns).
    virtual void RestoreSettings() = 0;
    virtual void SaveSettings() = 0;
    virtual void ShowWindow() = 0;
    // Returns the exit status once the main window has closed.
    virtual int RunEventLoop() = 0;
    // The application's error box, for an error that ends the start.
    virtual void ShowStartError(const std::string& text) = 0;

protected:
    ~WindowProgram() = default;
};

// Runs the window program: an interrupt removes the temporary files of a
// batch; the application object is made; the main window and its dialog are
// made and given back what was remembered; the window shows, and a folder
// named on the command line is opened and scanned (files named there are
// listed), or without one the remembered folder is; the event loop runs; what the window remembers
// is saved, and the work still running is waited for. Every path of the command line is read
// against the folder the program was started in, whatever the remembered
// folder does to the current one. An error that escapes is shown in the
// error box and ends the program with status 1.
int RunWindowProgram(WindowProgram& program);

} // namespace lyricast

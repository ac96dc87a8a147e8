#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace lyricast {

// A dialog whose controls are placed in pixels when it is created: a base
// for the program's own dialogs. Shown modally with Run; Open shows it
// without a loop of its own (the tests look at it so).
class Dialog {
public:
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    INT_PTR Run(HWND owner);
    HWND Open(HWND owner);
    HWND Handle() const { return handle_; }

protected:
    Dialog(std::string title, int clientWidth, int clientHeight);
    virtual ~Dialog() = default;

    // Adds the controls, in their tab order.
    virtual void Create() = 0;
    virtual void Command(int id, int code) = 0;
    // Any other message; nothing leaves it to the dialog manager.
    virtual std::optional<INT_PTR> Message(UINT message, WPARAM wParam, LPARAM lParam);
    // Ends a modal showing with `result`, or closes a dialog shown with Open.
    void End(INT_PTR result);

private:
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    void Initialise(HWND dialog);
    void CentreOnOwner();

    std::string title_;
    int clientWidth_;
    int clientHeight_;
    HWND handle_ = nullptr;
    bool modal_ = false;
};

} // namespace lyricast

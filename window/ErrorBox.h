#pragma once

#include "platform/FileError.h"

#include <exception>
#include <string>
#include <utility>

namespace lyricast {

// The message as the error box shows it: a full stop is added when the last
// character sorts after "." (so "Cannot open file a.kar" gains one, while a
// message ending in "!" or "." keeps its own).
std::string ErrorBoxText(const std::string& message);
std::string FileErrorBoxText(const FileError& error);

// Runs one of the window's handlers where the toolkit calls it. An error the
// handler raises ends the handler, is shown in the error box, and the window
// goes on: no error ever unwinds into the toolkit's own code.
// A file error keeps its message as it stands and shows the system's reason
// for it ("No space left on device") on a line below.
template <typename View, typename Handler> void CallHandler(View& view, Handler&& handler) {
    try {
        std::forward<Handler>(handler)();
    } catch (const FileError& error) {
        view.ShowError(FileErrorBoxText(error));
    } catch (const std::exception& error) {
        view.ShowError(ErrorBoxText(error.what()));
    }
}

} // namespace lyricast

#include "window/ErrorBox.h"

namespace lyricast {

std::string ErrorBoxText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        return message + '.';
    return message;
}

std::string FileErrorBoxText(const FileError& error) {
    const std::string text = ErrorBoxText(error.message());
    return error.reason().empty() ? text : text + "\n" + error.reason();
}

} // namespace lyricast

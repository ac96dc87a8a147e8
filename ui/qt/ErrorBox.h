#pragma once

#include <QString>

#include <functional>
#include <string>

class QWidget;

namespace lyricast {

// The application's error box: titled with the application's name, an error
// icon and an OK button; `message` is shown as ErrorBoxText made it.
void ShowErrorBox(const QString& message, QWidget* parent = nullptr);

// Shows a message of the window core (bytes of the system's code page) in the
// error box over the window that holds `widget`: what a widget used on its
// own does with an error of its handlers.
std::function<void(const std::string&)> ErrorBoxOver(QWidget* widget);

} // namespace lyricast

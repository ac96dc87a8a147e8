#pragma once

#include <QString>

class QWidget;

namespace lyricast {

// The application's error box: titled with the application's name, an error
// icon and an OK button; `message` is shown as ErrorBoxText made it.
void ShowErrorBox(const QString& message, QWidget* parent = nullptr);

} // namespace lyricast

#pragma once

#include <QString>

class QWidget;

namespace lyricast {

inline const QString kApplicationTitle = QStringLiteral("Lyricast Convert");

// The message as the error box shows it: a full stop is added when the last
// character sorts after "." (so "Cannot open file a.kar" gains one, while a
// message ending in "!" or "." keeps its own).
QString ErrorBoxText(const QString& message);

// The application's error box: titled with the application's name, an error
// icon and an OK button.
void ShowErrorBox(const QString& message, QWidget* parent = nullptr);

} // namespace lyricast

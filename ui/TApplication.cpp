#include "ui/TApplication.h"

#include "ui/ErrorBox.h"

#include <exception>

namespace lyricast {

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(kApplicationTitle);
    setApplicationVersion(QStringLiteral("2.1"));
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowErrorBox(QString::fromLocal8Bit(error.what()), activeWindow());
    }
    return false;
}

} // namespace lyricast

#include "ui/qt/TApplication.h"

#include "ui/qt/ErrorBox.h"
#include "window/AppInfo.h"
#include "window/ErrorBox.h"

#include <exception>

namespace lyricast {

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QString::fromStdString(kApplicationTitle));
    setApplicationVersion(QString::fromLatin1(kLyricastVersion));
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowErrorBox(QString::fromLocal8Bit(ErrorBoxText(error.what())), activeWindow());
    }
    return false;
}

} // namespace lyricast

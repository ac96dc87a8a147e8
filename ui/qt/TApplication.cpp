#include "ui/qt/TApplication.h"

#include "window/AppInfo.h"

namespace lyricast {

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QString::fromStdString(kApplicationTitle));
    setApplicationVersion(QString::fromLatin1(kLyricastVersion));
}

} // namespace lyricast

#pragma once

#include <QApplication>

namespace lyricast {

// The application object, titled with the application's name and version.
// Errors of the window's handlers never reach it: each handler runs through
// CallHandler where its widget calls it.
class TApplication : public QApplication {
    Q_OBJECT
public:
    TApplication(int& argc, char** argv);
};

} // namespace lyricast

#pragma once

#include <QApplication>

namespace lyricast {

// The application object. Any error that leaves a window's event handler
// ends here, in the one place every event passes through, and is shown in
// the error box; the event loop then goes on.
class TApplication : public QApplication {
    Q_OBJECT
public:
    TApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace lyricast

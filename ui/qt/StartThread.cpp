#include "ui/qt/StartThread.h"

#include <QThread>
#include <system_error>

namespace lyricast {

// A thread that started is running, or has already run to its end.
void StartThread(QThread& thread) {
    thread.start();
    if (!thread.isRunning() && !thread.isFinished())
        throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again),
                                "the system started no thread");
}

} // namespace lyricast

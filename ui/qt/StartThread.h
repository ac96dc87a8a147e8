#pragma once

class QThread;

namespace lyricast {

// Starts `thread`, or raises std::system_error when the system starts no
// thread: QThread::start only prints a warning then, and the work would
// silently never run.
void StartThread(QThread& thread);

} // namespace lyricast

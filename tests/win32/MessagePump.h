#pragma once

// The UI thread's messages handled while a test waits, as a message loop would.

#include <functional>

namespace lyricast::test {

// Handles every message waiting for the UI thread, including the calls other
// threads send it. A quit request is posted again for the outermost loop.
void PumpMessages();

// Keeps handling the UI thread's messages until `done` says so.
void PumpUntil(const std::function<bool()>& done);

} // namespace lyricast::test

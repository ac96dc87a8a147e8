#include "MessagePump.h"

#include <windows.h>

namespace lyricast::test {

void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void PumpUntil(const std::function<bool()>& done) {
    while (!done()) {
        // Wakes for posted and sent messages alike; the timeout covers an end
        // that comes without a message.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        PumpMessages();
    }
}

} // namespace lyricast::test

#include "tests/support/pump.h"

#include <windows.h>

namespace testing_support {

namespace {

// Dispatches everything queued now. Returns false when a quit message came:
// it is put back for the loop that owns it, and pumping has to stop, since
// the queue would never look empty again.
bool DispatchPending() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return true;
}

}  // namespace

bool PumpUntil(const std::function<bool()>& done, unsigned timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        bool quit = !DispatchPending();
        if (done() || quit) {
            return done();
        }
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs) {
            return done();
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - elapsed, QS_ALLINPUT);
    }
}

void PumpUntilQuiet(unsigned quietMs, unsigned timeoutMs) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        if (!DispatchPending()) {
            return;
        }
        if (MsgWaitForMultipleObjects(0, nullptr, FALSE, quietMs, QS_ALLINPUT) == WAIT_TIMEOUT) {
            return;
        }
    }
}

}  // namespace testing_support

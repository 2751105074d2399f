#include "tests/support/pump.h"

#include <windows.h>

namespace testing_support {

namespace {

// Pumps until `stop` says so; `stop` gets whether the last wait timed out. A
// quit message is put back and ends the pump: the queue would never look
// empty again.
void Pump(const std::function<bool(bool)>& stop, unsigned waitMs, unsigned timeoutMs) {
    DWORD start = GetTickCount();
    for (bool quiet = false; !stop(quiet) && GetTickCount() - start < timeoutMs;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                return PostQuitMessage(static_cast<int>(msg.wParam));
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        quiet = MsgWaitForMultipleObjects(0, nullptr, FALSE, waitMs, QS_ALLINPUT) == WAIT_TIMEOUT;
    }
}

}  // namespace

bool PumpUntil(const std::function<bool()>& done, unsigned timeoutMs) {
    Pump([&](bool) { return done(); }, 20, timeoutMs);
    return done();
}

void PumpUntilQuiet(unsigned quietMs, unsigned timeoutMs) {
    Pump([](bool quiet) { return quiet; }, quietMs, timeoutMs);
}

}  // namespace testing_support

#include "framework/application.h"

#include "framework/pointer_tracking.h"
#include "framework/window.h"

Application* application = nullptr;

Application::Application() {
    application = this;
}

Application::~Application() {
    StopPollTimer();
    if (application == this) {
        application = nullptr;
    }
}

int Application::init(const char*, int) {
    return 0;
}

int Application::exit(int code) {
    return code;
}

int Application::run(HINSTANCE, HINSTANCE, const char*, int) {
    if (mainWindow == nullptr) {
        return 0;
    }
    MSG msg;
    for (;;) {
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0)
            break;
        if (got == -1)
            continue;  // a failed retrieval is skipped
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

#include "framework/application.h"

#include <gtest/gtest.h>

#include "framework/pointer_tracking.h"
#include "framework/window.h"

namespace {

TEST(Application, BaseOperationsAndTheProcessWidePointer) {
    HWND savedMain = mainWindow;
    mainWindow = nullptr;
    {
        Application app;
        EXPECT_EQ(application, &app);
        EXPECT_EQ(app.init("", SW_SHOW), 0);
        EXPECT_EQ(app.exit(7), 7);
        EXPECT_EQ(app.run(nullptr, nullptr, "", SW_SHOW), 0);  // no main window: at once

        // With a main window the loop runs until the quit message.
        HWND window = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        SetMainWindow(window);
        PostQuitMessage(3);
        EXPECT_EQ(app.run(nullptr, nullptr, "", SW_SHOW), 0);
        MSG msg;
        EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
        DestroyWindow(window);
        SetMainWindow(nullptr);

        TrackWindow(nullptr);
        ASSERT_NE(pollTimer, 0u);
    }
    EXPECT_EQ(pollTimer, 0u);  // the destructor stopped it
    EXPECT_EQ(application, nullptr);
    mainWindow = savedMain;
}

}  // namespace

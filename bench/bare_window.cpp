// The yardstick of the start-up benchmark: a Win32 program that does nothing
// but open one window and wait for messages.

#include <windows.h>

static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "TapdeckBenchBare";
    RegisterClassA(&windowClass);
    CreateWindowExA(WS_EX_TOOLWINDOW, "TapdeckBenchBare", "Bare", WS_POPUP | WS_BORDER, 0, 0, 400, 400, nullptr,
                    nullptr, instance, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}

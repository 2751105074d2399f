#pragma once
// The one window procedure of every framework window.

#include <windows.h>

// Installed by Window::Create in place of the class procedure, which it then
// calls for the default processing.
LRESULT CALLBACK WindowDispatchProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

#pragma once
// The platform's common file dialog in three modes: choose a folder (0), open
// a file (1) or save a file (2). The platform has no folder mode of its own:
// it is the open dialog with a filter that lists folders only, a hook that
// relabels it and keeps the name box on the folder shown, and a subclass that
// makes OK return that folder instead of opening it.

#include <windows.h>

// Appends the mode's pattern to `path` (chooser_paths.h), then opens the
// dialog on it. `pathSize` is the buffer's size, or 0 when unknown; the
// dialog writes at most 260 bytes and never more than `pathSize`. Returns
// non-zero when a choice was accepted, 0 when cancelled, failed, or for
// another mode (which opens nothing). A cancelled dialog that never reported
// a folder leaves the path as it came, without the pattern.
int ChooseFile(DWORD extraFlags, char* path, int mode, HWND owner, const char* title, const char* filter, int pathSize);

UINT_PTR CALLBACK FolderChooserHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK FolderChooserProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The process entry: the framework's start, then the application object,
// inside whose `init` the whole life of the process runs.

#include <windows.h>

#include <new>

#include "app/launcher_app.h"
#include "framework/frame_window.h"
#include "framework/pointer_tracking.h"
#include "framework/window.h"
#include "util/dll_search.h"

// The program asks for memory only with nothrow and never throws. The
// runtime's own operators would bring its exception machinery along, a good
// part of the executable's size; these take the process heap directly.
void* operator new[](size_t size, const std::nothrow_t&) noexcept {
    return HeapAlloc(GetProcessHeap(), 0, size);
}
void operator delete[](void* block) noexcept {
    if (block != nullptr)
        HeapFree(GetProcessHeap(), 0, block);
}
void operator delete(void* block) noexcept {
    if (block != nullptr)
        HeapFree(GetProcessHeap(), 0, block);
}
void operator delete[](void* block, size_t) noexcept {
    operator delete[](block);
}
void operator delete(void* block, size_t) noexcept {
    operator delete(block);
}

// Constructed before the entry function runs; it registers itself as the
// application object.
static LauncherApp launcherApp;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand) {
    // Before anything loads a DLL on demand: never from the folder the
    // program was started from (a downloads folder, for setup.exe).
    RestrictDllSearchToSystem();
    CoInitialize(nullptr);
    SetInstance(instance);
    ForgetPendingPress();
    RegisterFrameClass();
    FormatPropertyName();
    if (application->init(commandLine, showCommand) == 1) {
        int code = application->exit(launcherApp.exitCode);
        UnregisterFrameClass();
        return code;
    }
    int code = application->exit(application->run(instance, previous, commandLine, showCommand));
    UnregisterFrameClass();
    CoUninitialize();
    return code > 0 ? code : 0;
}

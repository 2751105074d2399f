#include "app/launcher_handles.h"

HICON fallbackIcon = nullptr;
TrimWorkingSetProc trimWorkingSet = nullptr;
UINT taskbarCreatedMessage = 0;

void LoadLauncherHandles() {
    HMODULE kernel = GetModuleHandleA("KERNEL32");
    if (kernel != nullptr) {
        // Through void* : the cast between function pointer types of
        // different signatures is what GetProcAddress obliges anyway.
        trimWorkingSet = reinterpret_cast<TrimWorkingSetProc>(
            reinterpret_cast<void*>(GetProcAddress(kernel, "SetProcessWorkingSetSize")));
    }
    fallbackIcon = LoadIconA(nullptr, IDI_EXCLAMATION);
}

void TrimWorkingSet() {
    if (trimWorkingSet != nullptr)
        trimWorkingSet(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
}

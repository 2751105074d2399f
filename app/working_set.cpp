#include "app/working_set.h"

TrimWorkingSetProc trimWorkingSet = nullptr;

void LookUpWorkingSetTrim() {
    HMODULE kernel = GetModuleHandleA("KERNEL32");
    if (kernel != nullptr) {
        // Through void* : the cast between function pointer types of
        // different signatures is what GetProcAddress obliges anyway.
        trimWorkingSet = reinterpret_cast<TrimWorkingSetProc>(
            reinterpret_cast<void*>(GetProcAddress(kernel, "SetProcessWorkingSetSize")));
    }
}

void TrimWorkingSet() {
    if (trimWorkingSet != nullptr)
        trimWorkingSet(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
}

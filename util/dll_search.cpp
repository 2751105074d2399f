#include "util/dll_search.h"

#include <windows.h>

bool RestrictDllSearchToSystem() {
    // Looked up at run time: systems before Windows 8 without the 2011 loader
    // update lack the call, and the program must still start there.
    using SetDirectories = BOOL(WINAPI*)(DWORD);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    auto set = kernel != nullptr ? reinterpret_cast<SetDirectories>(
                                       reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")))
                                 : nullptr;
    const DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
    return set != nullptr && set(kSearchSystem32) != FALSE;
}

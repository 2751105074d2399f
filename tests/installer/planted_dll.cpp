// A DLL that a downloads folder might hold beside the installer: it must
// never be loaded once the installer has restricted the DLL search.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}

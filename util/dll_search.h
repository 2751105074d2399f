#pragma once

// Makes the process load the DLLs it needs from the system folder only, so
// that a DLL planted beside the program (typically in a downloads folder,
// beside setup.exe) is never loaded in place of a system one. Returns whether
// the system offered the restriction; older systems lack it.
bool RestrictDllSearchToSystem();

#pragma once
// Process-wide launcher values that are system handles, beside the plain
// values of launcher_values.h. Used only on the launcher's one thread.

#include <windows.h>

using TrimWorkingSetProc = BOOL(WINAPI*)(HANDLE process, SIZE_T minimum, SIZE_T maximum);

// Stands in for every icon the shell cannot give; owned by the start-up code,
// never destroyed by the icon functions.
extern HICON fallbackIcon;
// SetProcessWorkingSetSize, looked up at run time; null where it is missing.
extern TrimWorkingSetProc trimWorkingSet;
// The shell's "TaskbarCreated" broadcast, registered by the launcher window.
extern UINT taskbarCreatedMessage;

// Loads the fallback icon and looks up the trimming entry point.
void LoadLauncherHandles();

// Asks the system to trim the process's working set, where it can.
void TrimWorkingSet();

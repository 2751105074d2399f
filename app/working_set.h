#pragma once
// Giving the process's memory back to the system whenever the list hides, so
// that the resident launcher stays small between uses.

#include <windows.h>

using TrimWorkingSetProc = BOOL(WINAPI*)(HANDLE process, SIZE_T minimum, SIZE_T maximum);

// SetProcessWorkingSetSize, looked up at run time; null where it is missing.
extern TrimWorkingSetProc trimWorkingSet;

void LookUpWorkingSetTrim();

// Asks the system to trim the process's working set, where it can.
void TrimWorkingSet();

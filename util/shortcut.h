#pragma once

#include <windows.h>

// One shell link as the program saves it.
struct ShortcutSpec {
    char target[260];
    char workingDirectory[260];  // empty for none
    char iconPath[260];          // empty for none
    int iconIndex;
    char description[256];
    char arguments[256];  // empty for none
    WORD hotkey;          // 0 for none
    int showCommand;      // a ShowWindow command
};

// Fills `spec` from scratch; a null text leaves its field empty. A text that
// does not fit its field is left out (the field stays empty) rather than cut,
// and the result is then false.
bool FillShortcutSpec(ShortcutSpec* spec,
                      const char* description,
                      const char* target,
                      const char* arguments,
                      const char* workingDirectory,
                      WORD hotkey,
                      const char* iconPath,
                      int iconIndex,
                      int showCommand);

// Saves the link at `linkPath` through the shell's link object. COM must be
// initialised on the calling thread. Returns 0 saved, 1 failed.
int SaveShortcut(const char* linkPath, const ShortcutSpec* spec);

// The file-system path of a shell special folder (a CSIDL number) into a
// 256-byte buffer. Returns 0 when the shell located the folder, 1 when not;
// the path is empty on any failure, and also when the folder has no
// file-system path or it does not fit.
int GetSpecialFolderPath(int csidl, char* path);

// A link named `name`.lnk in a special folder, started with SW_SHOW. The
// folder is created when missing. Returns 0 saved, 1 failed (also when the
// folder cannot be located or the link path does not fit 256 bytes).
int CreateFolderShortcut(int csidl, const char* name, const char* target);

// Deletes `name`.lnk from a special folder, if it is there.
void DeleteFolderShortcut(int csidl, const char* name);

#pragma once
// Starting items and opening folders, always through the shell.

// Starts the item at `path` with the shell's default action. A failure shows
// the "Error at execute!" box with the shell's code.
void LaunchItem(const char* path);

// Opens a directory with the shell's "open" verb; failures are silent.
void OpenDirectory(const char* path);

// Opens the shell's special folder `csidl` (a CSIDL_ value); nothing happens
// when the folder does not exist on this system.
void OpenSpecialFolder(int csidl);

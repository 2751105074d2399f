#pragma once

#include <windows.h>

// One value or key below a root key. A null or empty sub-key means the root
// itself. Only keys opened here are closed here, never the root.

// Returns 0 read; 1 the key could not be opened; 2 the value is missing, does
// not fit `size` bytes or could not be read; 3 it has another type than
// `type`. A string type (REG_SZ, REG_EXPAND_SZ) always comes back terminated
// inside the buffer: on any failure the buffer holds the empty string.
int RegReadValue(const char* subKey, HKEY root, DWORD type, const char* name, void* data, DWORD size);

// Returns 0 written; 1 the key could not be created or opened; 2 the value
// could not be set. For strings `size` counts the terminator.
int RegWriteValue(const char* subKey, HKEY root, const char* name, DWORD type, const void* data, DWORD size);

// Deletes one value, or with a null or empty name the sub-key itself (which
// must have no sub-keys of its own). Returns 0 deleted, 1 failed.
int RegDeleteEntry(HKEY root, const char* name, const char* subKey);

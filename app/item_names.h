#pragma once
// What an item's path says about it: its file name, its label and whether it
// is a program. Pure logic.

#include <cstddef>

// The file-name part of a path: the text after its last backslash, or the
// whole path.
const char* FileNamePart(const char* path);

// The label of the item at `path`: its file name (after the last backslash)
// without the part from the name's last '.' on, a name without a dot whole.
// At most size - 1 characters, always terminated (size > 0).
void MakeItemLabel(const char* path, char* label, size_t size);

// Whether the path ends in one of the program extensions .bat, .com, .exe
// and .pif, in any letter case. A program is started with empty parameters
// and directory; everything else (shortcuts, documents) with none.
bool IsProgramPath(const char* path);

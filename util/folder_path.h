#pragma once

// Makes sure every directory of an absolute drive path exists, creating the
// missing ones from the first missing level down.
// Returns 0 done; 1 not a drive path ("X:\..."); 2 the path with its final
// backslash does not fit 256 bytes; 3 a lookup failed for another reason than
// "not found"; 4 a component exists as a file; 5 creating a directory failed.
int CreateFolderPath(const char* path);

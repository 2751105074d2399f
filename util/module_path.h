#pragma once

#include <cstddef>

// Names that begin with '>' live beside the executable: the '>' and one
// backslash right after it are dropped and the rest follows the directory of
// `modulePath` (a full path with at least one backslash). Returns false, with
// `out` left empty, when `name` lacks the '>', `modulePath` has no backslash or
// the result does not fit `size` bytes.
bool ResolveBesideModule(const char* modulePath, const char* name, char* out, size_t size);

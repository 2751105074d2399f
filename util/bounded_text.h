#pragma once
// Copies into the fixed-size character buffers of the data model. A text that
// does not fit is never cut: the call fails and leaves the buffer as it was,
// because a cut path names a different file.

#include <cstddef>

// Copies `src` with its terminator into `dst` (of `size` bytes). Returns false,
// and leaves `dst` untouched, when it does not fit.
bool CopyText(char* dst, size_t size, const char* src);

// Appends `src` to the terminated text in `dst`. Returns false, and leaves
// `dst` untouched, when the result would not fit.
bool AppendText(char* dst, size_t size, const char* src);

// Formats into `dst` (of `size` bytes). Returns false, with `dst` emptied,
// when the text does not fit.
bool FormatText(char* dst, size_t size, const char* format, ...) __attribute__((format(printf, 3, 4)));

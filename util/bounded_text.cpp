#include "util/bounded_text.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#ifdef _WIN32
// The system runtime's formatting, which the C++ headers hide: the runtime's
// standard-conforming one brings 17 KiB of float formatting into the
// executable that the program never uses. This one also ends every text and
// reports the length it wanted.
extern "C" int __cdecl __ms_vsnprintf(char* dst, size_t size, const char* format, va_list args);
static int FormatArguments(char* dst, size_t size, const char* format, va_list args) {
    return __ms_vsnprintf(dst, size, format, args);
}
#else
static int FormatArguments(char* dst, size_t size, const char* format, va_list args) {
    return vsnprintf(dst, size, format, args);
}
#endif

bool CopyText(char* dst, size_t size, const char* src) {
    size_t length = strlen(src);
    if (length >= size) {
        return false;
    }
    memcpy(dst, src, length + 1);
    return true;
}

bool AppendText(char* dst, size_t size, const char* src) {
    size_t used = strnlen(dst, size);
    if (used >= size) {
        return false;  // dst was not terminated within its buffer
    }
    return CopyText(dst + used, size - used, src);
}

bool FormatText(char* dst, size_t size, const char* format, ...) {
    if (size == 0) {
        return false;
    }
    va_list args;
    va_start(args, format);
    int length = FormatArguments(dst, size, format, args);
    va_end(args);
    if (length < 0 || static_cast<size_t>(length) >= size) {
        dst[0] = '\0';
        return false;
    }
    return true;
}

#include "util/bounded_text.h"

#include <cstring>

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

#include "util/module_path.h"

#include <cstring>

bool ResolveBesideModule(const char* modulePath, const char* name, char* out, size_t size) {
    if (size == 0) {
        return false;
    }
    out[0] = '\0';
    if (name[0] != '>') {
        return false;
    }
    const char* rest = name + 1;
    if (*rest == '\\') {
        ++rest;
    }
    const char* lastSlash = strrchr(modulePath, '\\');
    if (lastSlash == nullptr) {
        return false;
    }
    size_t dirLength = static_cast<size_t>(lastSlash - modulePath) + 1;  // keeps the backslash
    size_t restLength = strlen(rest);
    if (dirLength + restLength >= size) {
        return false;
    }
    memcpy(out, modulePath, dirLength);
    memcpy(out + dirLength, rest, restLength + 1);
    return true;
}

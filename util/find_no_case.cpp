#include "util/find_no_case.h"

static bool SameFolded(char a, char b) {
    return (static_cast<unsigned char>(a) | 0x20) == (static_cast<unsigned char>(b) | 0x20);
}

const char* FindNoCase(const char* text, const char* pattern) {
    for (const char* start = text;; ++start) {
        const char* t = start;
        const char* p = pattern;
        while (*p != '\0' && *t != '\0' && SameFolded(*t, *p)) {
            ++t;
            ++p;
        }
        if (*p == '\0') {
            return start;
        }
        // The text ran out before the pattern did: no later start can match.
        if (*t == '\0') {
            return nullptr;
        }
    }
}

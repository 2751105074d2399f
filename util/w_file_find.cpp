#include "util/w_file.h"

#include "util/bounded_text.h"

WFileFind::WFileFind(const char* patternText) {
    // A pattern that does not fit stays empty: the system then finds nothing,
    // where a cut pattern would list some other folder.
    pattern[0] = '\0';
    CopyText(pattern, sizeof pattern, patternText);
}

WFileFind::~WFileFind() {
    Stop();
}

void WFileFind::Stop() {
    if (findHandle != INVALID_HANDLE_VALUE) {
        FindClose(findHandle);
        findHandle = INVALID_HANDLE_VALUE;
    }
}

const char* WFileFind::Next(WIN32_FIND_DATAA* entry) {
    current = entry;
    if (findHandle == INVALID_HANDLE_VALUE) {
        if (pattern[0] == '\0') {
            return nullptr;
        }
        findHandle = FindFirstFileA(pattern, entry);
        if (findHandle == INVALID_HANDLE_VALUE) {
            return nullptr;
        }
    } else if (!FindNextFileA(findHandle, entry)) {
        Stop();
        return nullptr;
    }
    while (entry->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        if (!FindNextFileA(findHandle, entry)) {
            Stop();
            return nullptr;
        }
    }
    return entry->cFileName;
}

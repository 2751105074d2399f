#include "app/launcher_values.h"

#include <cstdio>

char baseDir[kPathSize];
int iconSize = 32;
int rowGap = 6;

void ApplySettingsWord(uint32_t settings) {
    bool big = (settings & kBigIconsBit) != 0;
    iconSize = big ? 32 : 16;
    rowGap = big ? 6 : 8;
}

// snprintf reports the length it wanted: anything at or past the buffer was cut.
static bool Fits(int length) {
    return length >= 0 && length < kPathSize;
}

bool MakeFolderPaths(const char* base, int folder, FolderPaths* paths) {
    return Fits(snprintf(paths->itemFile, kPathSize, "%s\\%i\\tapdeck.dat", base, folder)) &&
           Fits(snprintf(paths->pattern, kPathSize, "%s\\%i\\*.*", base, folder)) &&
           Fits(snprintf(paths->prefix, kPathSize, "%s\\%i\\", base, folder));
}

bool MakeSettingsPath(const char* base, char* path) {
    return Fits(snprintf(path, kPathSize, "%s\\settings.dat", base));
}

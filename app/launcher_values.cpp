#include "app/launcher_values.h"

#include "util/bounded_text.h"

char baseDir[kPathSize];
int iconSize = 32;
int rowGap = 6;

void ApplySettingsWord(uint32_t settings) {
    bool big = (settings & kBigIconsBit) != 0;
    iconSize = big ? 32 : 16;
    rowGap = big ? 6 : 8;
}

bool MakeFolderPaths(const char* base, int folder, FolderPaths* paths) {
    return FormatText(paths->itemFile, kPathSize, "%s\\%i\\tapdeck.dat", base, folder) &&
           FormatText(paths->newItemFile, kPathSize, "%s\\%i\\.tapdeck.new", base, folder) &&
           FormatText(paths->pattern, kPathSize, "%s\\%i\\*.*", base, folder) &&
           FormatText(paths->prefix, kPathSize, "%s\\%i\\", base, folder);
}

bool MakeSettingsPath(const char* base, char* path) {
    return FormatText(path, kPathSize, "%s\\settings.dat", base);
}

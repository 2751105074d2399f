#pragma once
// Process-wide values of the launcher, used only on its one thread.

#include <cstdint>

#include "util/path_limits.h"

constexpr int kFolderCount = 16;

// The executable's directory without a trailing backslash; every folder and
// file path of the launcher is formed from it.
extern char baseDir[kPathSize];
extern int iconSize;  // 32 or 16
extern int rowGap;    // 6 with big icons, 8 with small ones

// Bit 0 of the settings word: big icons. The other bits mean nothing and are
// kept when the word is written back.
constexpr uint32_t kBigIconsBit = 1;
constexpr uint32_t kDefaultSettings = 3;

void ApplySettingsWord(uint32_t settings);

// The paths of numbered folder `folder` below `base`: its item file, the
// file a new item file is written to before it takes the old one's place (a
// dot-file, so that one left by a stop halfway never becomes an item), its
// listing pattern and the prefix (with final backslash) of its files' paths.
// False when any of them would not fit kPathSize bytes.
struct FolderPaths {
    char itemFile[kPathSize];
    char newItemFile[kPathSize];
    char pattern[kPathSize];
    char prefix[kPathSize];
};
bool MakeFolderPaths(const char* base, int folder, FolderPaths* paths);

// `base` + "\settings.dat"; false when it would not fit.
bool MakeSettingsPath(const char* base, char* path);

#pragma once
// The item record: one entry of a folder's item file and of every item array
// in memory. Its layout is the file format, so it is fixed to the byte.

#include <cstddef>
#include <cstdint>

#include "util/path_limits.h"

constexpr int kLabelSize = 64;

struct ItemRecord {
    // In memory the item's icon handles; during a rescan the present mark and
    // a second mark; on disk without meaning. 32 bits, as handles are in the
    // 32-bit program.
    uint32_t icon;
    uint32_t highlightIcon;
    char path[kPathSize];    // full path of the item's file; empty for no item
    char label[kLabelSize];  // computed from path whenever it is shown
};

static_assert(sizeof(ItemRecord) == 328, "the item file stores records of 328 bytes");
static_assert(offsetof(ItemRecord, icon) == 0, "icon word 1");
static_assert(offsetof(ItemRecord, highlightIcon) == 4, "icon word 2");
static_assert(offsetof(ItemRecord, path) == 8, "path");
static_assert(offsetof(ItemRecord, label) == 264, "label");

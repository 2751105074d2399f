// Drags of arbitrary items to arbitrary places: a sequence of (count, source,
// drop) byte triples applied to one array of 17 records (what the launcher
// allocates), the count taken modulo 18, source and drop as signed bytes.
// Whatever the input, the records stay a permutation of themselves, a record
// moves whole, and nothing past `count` changes.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/list_geometry.h"

namespace {

void Check(bool holds, int line) {
    if (!holds) {
        fprintf(stderr, "reorder_fuzz.cpp:%d: check failed\n", line);
        abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    constexpr int kArray = 17;
    ItemRecord items[kArray];
    memset(items, 0, sizeof items);
    for (int i = 0; i < kArray; ++i) {
        items[i].icon = static_cast<uint32_t>(i);
        snprintf(items[i].path, sizeof items[i].path, "%d", i);
    }
    for (size_t at = 0; at + 3 <= size; at += 3) {
        int count = data[at] % 18;
        ItemRecord before[kArray];
        memcpy(before, items, sizeof items);
        bool firstChanged = false;
        bool moved =
            MoveItem(items, count, static_cast<int8_t>(data[at + 1]), static_cast<int8_t>(data[at + 2]), &firstChanged);
        bool seen[kArray] = {};
        for (int i = 0; i < kArray; ++i) {
            int tag = static_cast<int>(items[i].icon);
            Check(tag >= 0 && tag < kArray && !seen[tag] && atoi(items[i].path) == tag, __LINE__);
            seen[tag] = true;
            Check((i < count && moved) || tag == static_cast<int>(before[i].icon), __LINE__);
        }
        Check(moved || !firstChanged, __LINE__);
        Check(firstChanged || items[0].icon == before[0].icon, __LINE__);
    }
    return 0;
}

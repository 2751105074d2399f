// Drags of arbitrary items to arbitrary places in lists of arbitrary length.
// Input: a sequence of (count, source, drop) bytes, applied one after another
// to one list of 17 records (what the launcher allocates), the count taken
// modulo 18 and source and drop as signed bytes. Whatever the input: the
// first `count` records stay a permutation of themselves, every other record
// is untouched, and a reported first-item change is real or possible.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/list_geometry.h"

namespace {

constexpr int kArray = 17;

#define Check(condition) CheckAt(condition, #condition, __LINE__)

void CheckAt(bool holds, const char* condition, int line) {
    if (!holds) {
        fprintf(stderr, "reorder_fuzz.cpp:%d: %s does not hold\n", line, condition);
        abort();
    }
}

int Tag(const ItemRecord& record) {
    return static_cast<int>(record.icon);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ItemRecord items[kArray];
    memset(items, 0, sizeof items);
    for (int i = 0; i < kArray; ++i) {
        items[i].icon = static_cast<uint32_t>(i);
        snprintf(items[i].path, sizeof items[i].path, "item %d", i);
    }
    for (size_t at = 0; at + 3 <= size; at += 3) {
        int count = data[at] % 18;
        int source = static_cast<int8_t>(data[at + 1]);
        int drop = static_cast<int8_t>(data[at + 2]);
        ItemRecord before[kArray];
        memcpy(before, items, sizeof items);
        bool firstChanged = false;
        bool moved = MoveItem(items, count, source, drop, &firstChanged);

        bool seen[kArray] = {};
        for (int i = 0; i < kArray; ++i) {
            int tag = Tag(items[i]);
            Check(tag >= 0 && tag < kArray);
            Check(!seen[tag]);
            seen[tag] = true;
            char expected[32];
            snprintf(expected, sizeof expected, "item %d", tag);
            Check(strcmp(items[i].path, expected) == 0);  // a record moves whole
            if (i >= count || !moved)
                Check(Tag(items[i]) == Tag(before[i]));
        }
        if (moved) {
            Check(source >= 0 && source < count && drop >= 0 && drop <= count);
            int landed = drop > source ? drop - 1 : drop;
            Check(Tag(items[landed]) == Tag(before[source]));
            Check(firstChanged == (Tag(items[0]) != Tag(before[0]) || source == 0 || drop == 0));
        } else {
            Check(!firstChanged);
        }
    }
    return 0;
}

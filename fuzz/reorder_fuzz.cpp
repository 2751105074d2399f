// Drags of arbitrary items to arbitrary places: a sequence of (count, source,
// drop) byte triples applied to one array of 17 records (what the launcher
// allocates), the count taken modulo 18, source and drop as signed bytes.
// Whatever the input, the records stay a permutation of themselves, moved
// whole, nothing past `count` changes, and item 0 changes only when told.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "app/list_geometry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ItemRecord items[17] = {};
    for (int i = 0; i < 17; ++i)
        items[i].path[0] = static_cast<char>('A' + (items[i].icon = i));
    for (size_t at = 0; at + 3 <= size; at += 3) {
        ItemRecord before[17];
        memcpy(before, items, sizeof items);
        int count = data[at] % 18;
        bool firstChanged = false;
        bool moved =
            MoveItem(items, count, static_cast<int8_t>(data[at + 1]), static_cast<int8_t>(data[at + 2]), &firstChanged);
        unsigned seen = 0;
        for (int i = 0; i < 17; ++i) {
            seen |= 1u << (items[i].icon & 31);
            if (items[i].path[0] != 'A' + static_cast<int>(items[i].icon) ||
                ((i >= count || !moved) && items[i].icon != before[i].icon))
                abort();
        }
        if (seen != 0x1FFFF || (firstChanged && !moved) || (!firstChanged && items[0].icon != before[0].icon))
            abort();
    }
    return 0;
}

// Drags of arbitrary items to arbitrary places: a sequence of (count, source,
// drop) byte triples applied to one array of 17 records (what the launcher
// allocates), the count taken modulo 18, source and drop as signed bytes.
// Whatever the input, the records stay a permutation of themselves, each
// moved whole, and nothing past `count` (nothing at all without a move)
// changes.

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
        int count = data[at] % 18, source = static_cast<int8_t>(data[at + 1]), drop = static_cast<int8_t>(data[at + 2]);
        bool firstChanged = false;
        int kept = MoveItem(items, count, source, drop, &firstChanged) ? count : 0;
        unsigned seen = 0;
        for (const ItemRecord& item : items)
            seen |= (item.path[0] == 'A' + static_cast<int>(item.icon) ? 1u : 0u) << (item.icon & 31);
        if (seen != 0x1FFFF || memcmp(items + kept, before + kept, (17 - kept) * sizeof *items) != 0)
            abort();
    }
    return 0;
}

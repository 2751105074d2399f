// Drags of arbitrary items to arbitrary places: a sequence of (count, source,
// drop) byte triples applied to one array of 17 records (what the launcher
// allocates), the count taken modulo 18, source and drop as signed bytes.
// Each drag must do what the model does: take the item out and insert it in
// front of the item that was at `drop`, and only for a source among the first
// `count` items and a drop from 0 to `count` that changes the order. Records
// move whole, nothing else changes, and a move reports whether item 0 changed.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/list_geometry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ItemRecord items[17] = {};
    std::string model;  // the records' tags in order
    for (int i = 0; i < 17; ++i)
        model += items[i].path[0] = static_cast<char>('A' + (items[i].icon = i));
    for (size_t at = 0; at + 3 <= size; at += 3) {
        int count = data[at] % 18, source = static_cast<int8_t>(data[at + 1]), drop = static_cast<int8_t>(data[at + 2]);
        bool moves =
            source >= 0 && source < count && drop >= 0 && drop <= count && drop != source && drop != source + 1;
        if (moves) {
            model.insert(model.begin() + drop, model[source]);  // a copy in front of the item at `drop`
            model.erase(source + (drop < source), 1);           // and the original, moved on by the copy
        }
        bool firstChanged = true;
        bool moved = MoveItem(items, count, source, drop, &firstChanged);
        std::string order;
        for (const ItemRecord& item : items)  // a record moved in parts shows '?'
            order += item.path[0] == 'A' + static_cast<int>(item.icon) ? item.path[0] : '?';
        if (order != model || moved != moves || firstChanged != (moves && (source == 0 || drop == 0)))
            abort();
    }
    return 0;
}

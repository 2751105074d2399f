#pragma once
// The arithmetic of the folder list: rows, the window's size and place, the
// row under the pointer, and where a dragged item would land. Pure logic, so
// that it builds natively.
//
// Rows are numbered from the top; row r shows item count - 1 - r, so item 0
// (the folder's first item) is the bottom row, next to the tray.

#include "app/item_record.h"

struct ListPoint {
    int x;
    int y;
};

struct ListBox {
    int x;
    int y;
    int width;
    int height;
};

inline int RowHeight(int icon, int gap) {
    return icon + gap;
}

// The list's outer rectangle for `count` rows and the widest label, placed so
// that the pointer rests on the bottom row: the right edge 10 pixels right of
// it, the bottom edge 6 below.
ListBox ListOuterBox(ListPoint pointer, int icon, int gap, int labelWidth, int count);

struct ListArea {
    int left;
    int top;
    int right;
    int bottom;
};

// The box moved just enough to lie whole in the work area of the pointer's
// monitor; a box that fits stays where it is. A tray icon sits on the
// taskbar, outside the work area, and the list must keep the pointer, or its
// first poll would hide it: so the area also takes in the pointer's own
// margins (10 pixels across, 6 up and down), though never beyond the monitor.
// A box larger than the area keeps its left or top edge in it.
ListBox KeepListInArea(ListBox box, ListPoint pointer, ListArea work, ListArea monitor);

// The item shown at client y, or -1 where there is none (above the list, on
// the extra pixel row below the last row, or further down).
int ItemAtY(int y, int rowHeight, int count);

// The client band repainted for item `index`'s row: its top and its bottom,
// one pixel lower to cover the separator of the row below.
struct RowBand {
    int top;
    int bottom;
};
RowBand ItemBand(int index, int rowHeight, int count);

// Where an item dropped at client y would be inserted: p means in front of the
// item now at index p (count: after the last one), -1 nowhere. The top two
// pixels of the client area mean after the last item, the bottom two in front
// of item 0; inside a row only its top two pixels and its lowest rowGap + 1
// pixels are boundaries.
int DropIndexAt(int y, int clientBottom, int icon, int rowHeight, int count);

enum class DragCursor { kMove, kNo, kInsert };

// The cursor for a drag of item `source` over insertion position `dropIndex`:
// no position, one that changes nothing (the dragged row's own boundaries), or
// a real insertion point.
DragCursor DragCursorFor(int dropIndex, int source);

// Moves item `source` of `count` items in front of the item now at
// `dropIndex`. Anything out of range, and the two drops that change nothing,
// leave the array alone. Returns whether the order changed; *firstChanged
// tells whether item 0 may now be another item.
bool MoveItem(ItemRecord* items, int count, int source, int dropIndex, bool* firstChanged);

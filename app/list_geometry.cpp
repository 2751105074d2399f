#include "app/list_geometry.h"

#include <cstring>

ListBox ListOuterBox(ListPoint pointer, int icon, int gap, int labelWidth, int count) {
    int total = RowHeight(icon, gap) * count;
    ListBox box;
    box.width = icon + labelWidth + 18;
    box.height = total + 3;
    box.x = pointer.x - (icon + labelWidth + 8);
    box.y = pointer.y - total + 3;
    return box;
}

namespace {

constexpr int kPointerMarginX = 10;
constexpr int kPointerMarginY = 6;

int Smaller(int a, int b) {
    return a < b ? a : b;
}

int Larger(int a, int b) {
    return a > b ? a : b;
}

// The position of an edge of `length` pixels moved into `low` .. `high`,
// the low end first when it does not fit.
int MoveInto(int position, int length, int low, int high) {
    return Larger(Smaller(position, high - length), low);
}

}  // namespace

ListBox KeepListInArea(ListBox box, ListPoint pointer, ListArea work, ListArea monitor) {
    ListArea area = {Larger(Smaller(work.left, pointer.x - kPointerMarginX), monitor.left),
                     Larger(Smaller(work.top, pointer.y - kPointerMarginY), monitor.top),
                     Smaller(Larger(work.right, pointer.x + kPointerMarginX), monitor.right),
                     Smaller(Larger(work.bottom, pointer.y + kPointerMarginY), monitor.bottom)};
    box.x = MoveInto(box.x, box.width, area.left, area.right);
    box.y = MoveInto(box.y, box.height, area.top, area.bottom);
    return box;
}

int ItemAtY(int y, int rowHeight, int count) {
    // Division truncates towards zero: the rows above y = 0 would otherwise
    // fold onto the top row.
    if (y < 0 || rowHeight <= 0)
        return -1;
    int index = count - y / rowHeight - 1;
    return index >= 0 && index < count ? index : -1;
}

RowBand ItemBand(int index, int rowHeight, int count) {
    int top = (count - index - 1) * rowHeight;
    return {top, top + rowHeight + 1};
}

int DropIndexAt(int y, int clientBottom, int icon, int rowHeight, int count) {
    if (y < 2)
        return count;
    if (y > clientBottom - 2)
        return 0;
    if (rowHeight <= 0)
        return -1;
    int row = y / rowHeight;
    int within = y - row * rowHeight;
    int item = count - row - 1;
    // The extra pixel row below the last row belongs to no item: a boundary
    // there would name an item that is not in the list.
    if (item < 0)
        return -1;
    if (within > icon - 2)
        return item;
    if (within < 2)
        return item + 1;
    return -1;
}

DragCursor DragCursorFor(int dropIndex, int source) {
    if (dropIndex < 0)
        return DragCursor::kMove;
    if (dropIndex == source || dropIndex == source + 1)
        return DragCursor::kNo;
    return DragCursor::kInsert;
}

bool MoveItem(ItemRecord* items, int count, int source, int dropIndex, bool* firstChanged) {
    *firstChanged = false;
    if (count < 1 || source < 0 || source >= count || dropIndex < 0 || dropIndex > count)
        return false;
    if (dropIndex == source || dropIndex == source + 1)
        return false;
    ItemRecord moved = items[source];
    if (source < dropIndex) {
        memmove(&items[source], &items[source + 1], (dropIndex - 1 - source) * sizeof(ItemRecord));
        items[dropIndex - 1] = moved;
    } else {
        memmove(&items[dropIndex + 1], &items[dropIndex], (source - dropIndex) * sizeof(ItemRecord));
        items[dropIndex] = moved;
    }
    *firstChanged = source == 0 || dropIndex == 0;
    return true;
}

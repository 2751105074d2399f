#include "app/list_geometry.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "app/item_names.h"

namespace {

// Moving an item is checked against a model in fuzz/reorder_fuzz.cpp, whose
// corpus holds every drag of up to 17 items.

// Three big rows: 38 pixels each, the client area 0..113 and an extra pixel
// row at 114.
TEST(ListGeometry, ItemUnderThePointer) {
    const std::tuple<const char*, int, int, int> rows[] = {
        {"the top row's first pixel", 0, 3, 2},
        {"the middle row", 38, 3, 1},
        {"the bottom row's last pixel", 113, 3, 0},
        {"the extra pixel row", 114, 3, -1},
        {"above the list", -1, 3, -1},
        {"an empty list", 10, 0, -1},
    };
    for (const auto& [name, y, count, item] : rows)
        EXPECT_EQ(ItemAtY(y, 38, count), item) << name;
    EXPECT_EQ(ItemBand(1, 38, 3).top, 38);
    EXPECT_EQ(ItemBand(1, 38, 3).bottom, 77);  // and the separator of the row below
}

// A list of three big rows, 100 pixels wide: the box the pointer opens, kept
// whole on a desktop of 1024 x 768 (or its neighbour) with the taskbar where
// the row says.
TEST(ListGeometry, KeptWholeInTheWorkArea) {
    const ListArea screen = {0, 0, 1024, 768};
    const std::tuple<const char*, ListPoint, ListArea, ListArea, int, int> rows[] = {
        {"tray at the bottom: where it opens", {1014, 758}, {0, 0, 1024, 738}, screen, 924, 647},
        {"top-left corner", {0, 0}, screen, screen, 0, 0},
        {"top-right corner", {1023, 0}, screen, screen, 924, 0},
        {"bottom-left corner", {0, 767}, screen, screen, 0, 651},
        {"bottom-right corner", {1023, 767}, screen, screen, 924, 651},
        {"tray at the top: opens down to the pointer", {1014, 10}, {0, 30, 1024, 768}, screen, 924, 4},
        {"tray at the left: opens right of the pointer", {30, 740}, {60, 0, 1024, 768}, screen, 20, 629},
        {"a monitor left of the first", {-1020, 5}, {-1024, 0, 0, 768}, {-1024, 0, 0, 768}, -1024, 0},
    };
    for (const auto& [name, pointer, work, monitor, x, y] : rows) {
        ListBox box = KeepListInArea(ListOuterBox(pointer, 32, 6, 50, 3), pointer, work, monitor);
        EXPECT_EQ(box.x, x) << name;
        EXPECT_EQ(box.y, y) << name;
        EXPECT_EQ(box.width, 100) << name;
        EXPECT_EQ(box.height, 117) << name;
    }
}

// Within a big row, pixels 0-1 are the boundary above, 31-37 the one below.
TEST(ListGeometry, DropIndexAndCursor) {
    const auto move = DragCursor::kMove, no = DragCursor::kNo, insert = DragCursor::kInsert;
    const std::tuple<const char*, int, int, int, int, int, DragCursor> rows[] = {
        {"above the top row: after the last", 1, 32, 3, 2, 3, no},
        {"the top row's middle", 2, 32, 3, 0, -1, move},
        {"below the bottom row: in front of item 0", 114, 32, 3, 2, 0, insert},
        {"item 0's own boundary", 113, 32, 3, 0, 0, no},
        {"between the top two rows", 39, 32, 3, 0, 2, insert},
        {"just above the middle row's boundary", 68, 32, 3, 0, -1, move},
        {"just below item 0's boundary above", 69, 32, 3, 0, 1, no},
        {"a small row's boundary", 15, 16, 2, 0, 1, no},
    };
    for (const auto& [name, y, icon, count, source, expected, cursor] : rows) {
        int rowHeight = icon == 32 ? 38 : 24;
        int drop = DropIndexAt(y, count * rowHeight + 1, icon, rowHeight, count);
        EXPECT_EQ(drop, expected) << name;
        EXPECT_EQ(DragCursorFor(drop, source), cursor) << name;
    }
}

TEST(ItemNames, LabelsAndProgramKinds) {
    const std::tuple<const char*, std::string, std::string, bool> rows[] = {
        {"a shortcut to a text", "d\\a.txt.lnk", "a.txt", false},
        {"no extension", "d\\README", "README", false},
        {"a program in capitals", "d\\t.EXE", "t", true},
        {"a shortcut to a program", "d\\t.exe.lnk", "t.exe", false},
        {"a batch file", "d\\r.Bat", "r", true},
        {"a command file", "d\\a.com", "a", true},
        {"a pif", "d\\b.pif", "b", true},
        {"a dot only in a folder's name", "C:\\m.exe\\f", "f", false},
        {"a longer extension", "d\\t.exe2", "t", false},
        {"no folder", "n.exe", "n", true},
        {"a label of at most 63 characters", "d\\" + std::string(100, 'n') + ".txt", std::string(63, 'n'), false},
    };
    for (const auto& [name, path, label, program] : rows) {
        char made[64];
        MakeItemLabel(path.c_str(), made, sizeof made);
        EXPECT_EQ(std::string(made), label) << name;
        EXPECT_EQ(IsProgramPath(path.c_str()), program) << name;
    }
}

}  // namespace

#include "app/list_geometry.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>
#include <vector>

#include "app/item_names.h"

namespace {

// Moving an item is checked against a model in fuzz/reorder_fuzz.cpp, whose
// corpus holds every drag of up to 17 items.

// Three items with big icons: rows of 38, the client area 0..113 and the
// extra pixel row at 114; with small icons rows of 24.
TEST(ListGeometry, OuterBoxAndTheItemUnderThePointer) {
    // Icon, gap, widest label, count; then the box when the pointer is at (600, 700).
    const std::array<int, 8> boxes[] = {{32, 6, 50, 3, 510, 589, 100, 117}, {16, 8, 200, 15, 376, 343, 234, 363}};
    for (auto [icon, gap, label, count, x, y, width, height] : boxes) {
        ListBox box = ListOuterBox({600, 700}, icon, gap, label, count);
        EXPECT_EQ(std::vector<int>({box.x, box.y, box.width, box.height}), std::vector<int>({x, y, width, height}))
            << count << " rows of " << icon;
        // The pointer lies on the bottom row of the client area (1-pixel border).
        EXPECT_EQ(ItemAtY(700 - box.y - 1, RowHeight(icon, gap), count), 0) << count << " rows of " << icon;
    }
    const std::array<int, 3> ats[] = {{0, 3, 2},    {37, 3, 2},  {38, 3, 1},   {113, 3, 0},
                                      {114, 3, -1}, {-1, 3, -1}, {-37, 3, -1}, {10, 0, -1}};
    for (auto [y, count, item] : ats)
        EXPECT_EQ(ItemAtY(y, 38, count), item) << "y " << y;
    EXPECT_EQ(ItemBand(1, 38, 3).top, 38);
    EXPECT_EQ(ItemBand(1, 38, 3).bottom, 77);  // and the separator of the row below
}

// A list of three big rows, 100 pixels wide: the box the pointer opens, kept
// whole on a desktop of 1024 x 768 (or its neighbour) with the taskbar where
// the row says.
TEST(ListGeometry, KeptWholeInTheWorkArea) {
    const ListArea screen = {0, 0, 1024, 768};
    const struct {
        const char* name;
        ListPoint pointer;
        ListArea work;
        ListArea monitor;
        int x;
        int y;
    } rows[] = {
        {"tray at the bottom: where it opens", {1014, 758}, {0, 0, 1024, 738}, screen, 924, 647},
        {"top-left corner", {0, 0}, screen, screen, 0, 0},
        {"top-right corner", {1023, 0}, screen, screen, 924, 0},
        {"bottom-left corner", {0, 767}, screen, screen, 0, 651},
        {"bottom-right corner", {1023, 767}, screen, screen, 924, 651},
        {"tray at the top: opens down to the pointer", {1014, 10}, {0, 30, 1024, 768}, screen, 924, 4},
        {"tray at the left: opens right of the pointer", {30, 740}, {60, 0, 1024, 768}, screen, 20, 629},
        {"a monitor left of the first", {-1020, 5}, {-1024, 0, 0, 768}, {-1024, 0, 0, 768}, -1024, 0},
    };
    for (const auto& row : rows) {
        ListBox box = KeepListInArea(ListOuterBox(row.pointer, 32, 6, 50, 3), row.pointer, row.work, row.monitor);
        EXPECT_EQ(box.x, row.x) << row.name;
        EXPECT_EQ(box.y, row.y) << row.name;
        EXPECT_EQ(box.width, 100) << row.name;
        EXPECT_EQ(box.height, 117) << row.name;
    }
}

TEST(ListGeometry, DropIndexAndCursor) {
    // Within a big row, pixels 0-1 are the boundary above, 31-37 the one below.
    const DragCursor move = DragCursor::kMove, no = DragCursor::kNo, insert = DragCursor::kInsert;
    const std::tuple<int, int, int, int, int, DragCursor> rows[] = {
        {1, 32, 3, 2, 3, no},      {2, 32, 3, 0, -1, move},  {114, 32, 3, 2, 0, insert}, {113, 32, 3, 0, 0, no},
        {39, 32, 3, 0, 2, insert}, {40, 32, 3, 0, -1, move}, {68, 32, 3, 0, -1, move},   {69, 32, 3, 0, 1, no},
        {15, 16, 2, 0, 1, no},     {14, 16, 2, 0, -1, move}};
    for (auto [y, icon, count, source, drop, cursor] : rows) {
        int rowHeight = icon == 32 ? 38 : 24;
        EXPECT_EQ(DropIndexAt(y, count * rowHeight + 1, icon, rowHeight, count), drop) << "y " << y << ", " << icon;
        EXPECT_EQ(DragCursorFor(drop, source), cursor) << "y " << y << ", icons " << icon;
    }
}

// Rows of path, label and whether it starts as a program.
TEST(ItemNames, LabelsAndProgramKinds) {
    // clang-format off
    const std::tuple<std::string, std::string, bool> rows[] = {
        {"d\\a.txt.lnk", "a.txt", 0}, {"d\\README", "README", 0}, {"d\\t.EXE", "t", 1}, {"d\\t.exe.lnk", "t.exe", 0}, {"d\\r.Bat", "r", 1},
        {"d\\a.com", "a", 1}, {"d\\b.pif", "b", 1}, {"C:\\m.exe\\f", "f", 0}, {"d\\t.exe2", "t", 0}, {"n.exe", "n", 1},
        {"d\\" + std::string(100, 'n') + ".txt", std::string(63, 'n'), 0}};  // a label of at most 63 characters
    // clang-format on
    for (auto [path, label, program] : rows) {
        char made[64];
        MakeItemLabel(path.c_str(), made, sizeof made);
        EXPECT_EQ(std::string(made), label) << path;
        EXPECT_EQ(IsProgramPath(path.c_str()), program) << path;
    }
}

}  // namespace

#include "app/list_geometry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/item_names.h"

namespace {

// Three items with big icons: rows of 38, the client area 0..113 and the
// extra pixel row at 114; with small icons rows of 24.
TEST(ListGeometry, OuterBoxAndTheItemUnderThePointer) {
    struct Row {
        int icon, gap, labelWidth, count;
        ListBox box;
    } rows[] = {
        {32, 6, 50, 3, {510, 589, 100, 117}},
        {16, 8, 50, 3, {526, 631, 84, 75}},
        {32, 6, 0, 1, {560, 665, 50, 41}},
        {16, 8, 200, 15, {376, 343, 234, 363}},
    };
    for (const Row& row : rows) {
        ListBox box = ListOuterBox({600, 700}, row.icon, row.gap, row.labelWidth, row.count);
        EXPECT_EQ(std::vector<int>({box.x, box.y, box.width, box.height}),
                  std::vector<int>({row.box.x, row.box.y, row.box.width, row.box.height}))
            << row.count << " rows of " << row.icon;
        // The pointer lies on the bottom row of the client area (1-pixel border).
        EXPECT_EQ(ItemAtY(700 - box.y - 1, RowHeight(row.icon, row.gap), row.count), 0) << row.count;
    }
    struct At {
        int y, count, item;
    } ats[] = {{0, 3, 2}, {37, 3, 2}, {38, 3, 1}, {113, 3, 0}, {114, 3, -1}, {-1, 3, -1}, {-37, 3, -1}, {10, 0, -1}};
    for (const At& at : ats)
        EXPECT_EQ(ItemAtY(at.y, 38, at.count), at.item) << "y " << at.y;
    EXPECT_EQ(ItemBand(1, 38, 3).top, 38);
    EXPECT_EQ(ItemBand(1, 38, 3).bottom, 77);  // and the separator of the row below
}

TEST(ListGeometry, DropIndexAndCursor) {
    // Within a big row, pixels 0-1 are the boundary above, 31-37 the one below.
    struct Row {
        int y, icon, count, source, drop;
        DragCursor cursor;
    } rows[] = {
        {0, 32, 3, 0, 3, DragCursor::kInsert},   {1, 32, 3, 2, 3, DragCursor::kNo},
        {114, 32, 3, 2, 0, DragCursor::kInsert}, {113, 32, 3, 0, 0, DragCursor::kNo},
        {90, 32, 3, 1, -1, DragCursor::kMove},   {112, 32, 3, 1, 0, DragCursor::kInsert},
        {39, 32, 3, 0, 2, DragCursor::kInsert},  {40, 32, 3, 0, -1, DragCursor::kMove},
        {68, 32, 3, 0, -1, DragCursor::kMove},   {69, 32, 3, 0, 1, DragCursor::kNo},
        {15, 16, 2, 0, 1, DragCursor::kNo},      {14, 16, 2, 0, -1, DragCursor::kMove},
        {49, 16, 2, 1, 0, DragCursor::kInsert},
    };
    for (const Row& row : rows) {
        int rowHeight = row.icon == 32 ? 38 : 24;
        int drop = DropIndexAt(row.y, row.count * rowHeight + 1, row.icon, rowHeight, row.count);
        EXPECT_EQ(drop, row.drop) << "y " << row.y << ", icons " << row.icon;
        EXPECT_EQ(DragCursorFor(drop, row.source), row.cursor) << "y " << row.y << ", icons " << row.icon;
    }
}

TEST(MoveItem, EveryDragOfOneToFifteenItemsMatchesTheModel) {
    for (int count = 1; count <= 15; ++count) {
        for (int source = 0; source < count; ++source) {
            for (int drop = 0; drop <= count; ++drop) {
                // The model: take the item out and insert it in front of the
                // item that was at `drop`.
                std::vector<int> model;
                for (int i = 0; i < count; ++i)
                    model.push_back(i);
                model.erase(model.begin() + source);
                model.insert(model.begin() + (drop > source ? drop - 1 : drop), source);

                ItemRecord records[16];
                memset(records, 0, sizeof records);
                for (int i = 0; i < count; ++i)
                    snprintf(records[i].path, sizeof records[i].path, "%d", i);
                bool firstChanged = true;
                bool moved = MoveItem(records, count, source, drop, &firstChanged);
                std::vector<int> order;
                for (int i = 0; i < count; ++i)
                    order.push_back(atoi(records[i].path));
                std::string name =
                    std::to_string(count) + " items, " + std::to_string(source) + " to " + std::to_string(drop);
                EXPECT_EQ(order, model) << name;
                EXPECT_EQ(moved, drop != source && drop != source + 1) << name;
                EXPECT_EQ(firstChanged, moved && (source == 0 || drop == 0)) << name;
                EXPECT_EQ(records[count].path[0], '\0') << name << ": wrote past the items";
            }
        }
    }
}

TEST(ItemNames, LabelsAndProgramKinds) {
    std::string hundred(100, 'n');
    struct Row {
        std::string path, label;
        bool program;
    } rows[] = {
        {"C:\\T\\0\\Notes.txt.lnk", "Notes.txt", false},
        {"C:\\T\\0\\README", "README", false},
        {"C:\\T\\0\\tool.EXE", "tool", true},
        {"C:\\T\\0\\tool.exe.lnk", "tool.exe", false},
        {"C:\\T\\0\\run.Bat", "run", true},
        {"C:\\T\\0\\a.com", "a", true},
        {"C:\\T\\0\\b.pif", "b", true},
        {"C:\\T\\my.exe\\file", "file", false},
        {"C:\\T\\0\\tool.exe2", "tool", false},
        {"name.exe", "name", true},
        {"C:\\T\\0\\" + hundred + ".txt", hundred.substr(0, 63), false},
    };
    for (const Row& row : rows) {
        char label[64];
        MakeItemLabel(row.path.c_str(), label, sizeof label);
        EXPECT_EQ(std::string(label), row.label) << row.path;
        EXPECT_EQ(IsProgramPath(row.path.c_str()), row.program) << row.path;
    }
}

}  // namespace

#include "app/list_geometry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/item_names.h"

namespace {

// 3 items with big icons: rows of 38 pixels, client area 0..114 plus the
// extra pixel row at 114; with small icons rows of 24.
constexpr int kBig = 32, kBigGap = 6, kBigRow = 38;
constexpr int kSmall = 16, kSmallGap = 8, kSmallRow = 24;

TEST(ListGeometry, OuterBoxPutsTheBottomRowUnderThePointer) {
    struct Row {
        int icon, gap, labelWidth, count;
        ListBox expected;
        const char* name;
    } rows[] = {
        {kBig, kBigGap, 50, 3, {500 - 90, 700 - 114 + 3, 100, 117}, "three big"},
        {kSmall, kSmallGap, 50, 3, {500 - 74, 700 - 72 + 3, 84, 75}, "three small"},
        {kBig, kBigGap, 0, 1, {500 - 40, 700 - 38 + 3, 50, 41}, "one, empty labels"},
        {kSmall, kSmallGap, 200, 15, {500 - 224, 700 - 360 + 3, 234, 363}, "fifteen small"},
    };
    for (const Row& row : rows) {
        ListBox box = ListOuterBox({500, 700}, row.icon, row.gap, row.labelWidth, row.count);
        EXPECT_EQ(box.x, row.expected.x) << row.name;
        EXPECT_EQ(box.y, row.expected.y) << row.name;
        EXPECT_EQ(box.width, row.expected.width) << row.name;
        EXPECT_EQ(box.height, row.expected.height) << row.name;
        // The pointer lies inside the client area's bottom row (1-pixel border).
        int clientY = 700 - (box.y + 1);
        EXPECT_EQ(ItemAtY(clientY, RowHeight(row.icon, row.gap), row.count), 0) << row.name;
    }
}

TEST(ListGeometry, ItemAtYAndItsBand) {
    struct Row {
        int y, rowHeight, count, item;
        const char* name;
    } rows[] = {
        {0, kBigRow, 3, 2, "top pixel: the last item"},
        {37, kBigRow, 3, 2, "end of the top row"},
        {38, kBigRow, 3, 1, "middle row"},
        {113, kBigRow, 3, 0, "last pixel of the bottom row"},
        {114, kBigRow, 3, -1, "the extra pixel row"},
        {500, kBigRow, 3, -1, "far below"},
        {-1, kBigRow, 3, -1, "above the list"},
        {-37, kBigRow, 3, -1, "a row's height above"},
        {10, kSmallRow, 1, 0, "one small row"},
        {10, kSmallRow, 0, -1, "no items"},
        {10, 0, 3, -1, "no row height"},
    };
    for (const Row& row : rows) {
        int item = ItemAtY(row.y, row.rowHeight, row.count);
        EXPECT_EQ(item, row.item) << row.name;
        if (item >= 0) {
            RowBand band = ItemBand(item, row.rowHeight, row.count);
            EXPECT_LE(band.top, row.y) << row.name;
            EXPECT_GT(band.bottom - 1, row.y) << row.name;
            EXPECT_EQ(band.bottom - band.top, row.rowHeight + 1) << row.name;
        }
    }
}

TEST(ListGeometry, DropIndexAndCursor) {
    // Big icons, 3 items: client bottom 115 (three rows and the extra pixel).
    // Within a row, pixels 0-1 are the boundary above, 31-37 the one below.
    struct Row {
        int y, icon, rowHeight, count, source, drop;
        DragCursor cursor;
        const char* name;
    } rows[] = {
        {0, kBig, kBigRow, 3, 0, 3, DragCursor::kInsert, "above the top row: after the last item"},
        {1, kBig, kBigRow, 3, 2, 3, DragCursor::kNo, "the top item above itself"},
        {114, kBig, kBigRow, 3, 2, 0, DragCursor::kInsert, "the extra pixel row: in front of item 0"},
        {113, kBig, kBigRow, 3, 0, 0, DragCursor::kNo, "bottom edge, dragging item 0"},
        {112, kBig, kBigRow, 3, 1, 0, DragCursor::kInsert, "low part of the bottom row"},
        {90, kBig, kBigRow, 3, 1, -1, DragCursor::kMove, "middle of the bottom row"},
        {50, kBig, kBigRow, 3, 0, -1, DragCursor::kMove, "middle of the middle row"},
        {38, kBig, kBigRow, 3, 0, 2, DragCursor::kInsert, "top pixel of the middle row"},
        {39, kBig, kBigRow, 3, 0, 2, DragCursor::kInsert, "second pixel of the middle row"},
        {40, kBig, kBigRow, 3, 0, -1, DragCursor::kMove, "third pixel of the middle row"},
        {68, kBig, kBigRow, 3, 0, -1, DragCursor::kMove, "above the middle row's low boundary"},
        {69, kBig, kBigRow, 3, 0, 1, DragCursor::kNo, "low boundary of the middle row, source 0"},
        {75, kBig, kBigRow, 3, 2, 1, DragCursor::kInsert, "last pixel of the middle row"},
        {37, kBig, kBigRow, 3, 1, 2, DragCursor::kNo, "below the top row, source 1"},
        {15, kSmall, kSmallRow, 2, 0, 1, DragCursor::kNo, "small icons: low boundary of the top row"},
        {14, kSmall, kSmallRow, 2, 0, -1, DragCursor::kMove, "small icons: above it"},
        {49, kSmall, kSmallRow, 2, 1, 0, DragCursor::kInsert, "small icons: the extra pixel row"},
    };
    for (const Row& row : rows) {
        int clientBottom = row.count * row.rowHeight + 1;
        int drop = DropIndexAt(row.y, clientBottom, row.icon, row.rowHeight, row.count);
        EXPECT_EQ(drop, row.drop) << row.name;
        EXPECT_EQ(DragCursorFor(drop, row.source), row.cursor) << row.name;
    }
}

using Order = std::vector<int>;

std::vector<ItemRecord> Records(int count) {
    std::vector<ItemRecord> records(count + 1);
    memset(records.data(), 0, records.size() * sizeof(ItemRecord));
    for (int i = 0; i < count; ++i) {
        snprintf(records[i].path, sizeof records[i].path, "%d", i);
        records[i].icon = static_cast<uint32_t>(i);
    }
    return records;
}

Order OrderOf(const std::vector<ItemRecord>& records, int count) {
    Order order;
    for (int i = 0; i < count; ++i) {
        order.push_back(atoi(records[i].path));
        EXPECT_EQ(records[i].icon, static_cast<uint32_t>(order.back())) << "record " << i << " torn";
    }
    return order;
}

TEST(MoveItem, EveryDragOfOneToFifteenItemsMatchesTheModel) {
    for (int count = 1; count <= 15; ++count) {
        for (int source = 0; source < count; ++source) {
            for (int drop = 0; drop <= count; ++drop) {
                Order model;
                for (int i = 0; i < count; ++i)
                    model.push_back(i);
                // The model: take the item out, insert it in front of the item
                // that was at `drop` (after the last one for drop == count).
                int target = drop > source ? drop - 1 : drop;
                model.erase(model.begin() + source);
                model.insert(model.begin() + target, source);

                std::vector<ItemRecord> records = Records(count);
                ItemRecord spare = records[count];
                bool firstChanged = true;
                bool moved = MoveItem(records.data(), count, source, drop, &firstChanged);
                std::string name =
                    std::to_string(count) + " items, " + std::to_string(source) + " to " + std::to_string(drop);
                EXPECT_EQ(OrderOf(records, count), model) << name;
                EXPECT_EQ(moved, drop != source && drop != source + 1) << name;
                EXPECT_EQ(firstChanged, moved && (source == 0 || drop == 0)) << name;
                EXPECT_EQ(memcmp(&records[count], &spare, sizeof spare), 0) << name << ": wrote past the items";
            }
        }
    }
}

TEST(MoveItem, EdgeCasesOfThreeItemsAndBadArguments) {
    struct Row {
        int count, source, drop;
        Order order;
        bool firstChanged;
        const char* name;
    } rows[] = {
        {3, 0, 3, {1, 2, 0}, true, "item 0 above the top row"},
        {3, 2, 0, {2, 0, 1}, true, "item 2 below the bottom row"},
        {3, 1, 3, {0, 2, 1}, false, "a middle item to the top"},
        {3, -1, 1, {0, 1, 2}, false, "source -1 (the extra pixel row)"},
        {3, 3, 0, {0, 1, 2}, false, "source past the items"},
        {3, 0, 4, {0, 1, 2}, false, "drop past the end"},
        {3, 1, -1, {0, 1, 2}, false, "no drop position"},
    };
    for (const Row& row : rows) {
        std::vector<ItemRecord> records = Records(row.count);
        bool firstChanged = false;
        MoveItem(records.data(), row.count, row.source, row.drop, &firstChanged);
        EXPECT_EQ(OrderOf(records, row.count), row.order) << row.name;
        EXPECT_EQ(firstChanged, row.firstChanged) << row.name;
    }
}

TEST(ItemNames, LabelsAndProgramKinds) {
    std::string hundred(100, 'n');
    struct Row {
        std::string path;
        std::string label;
        bool program;
        const char* name;
    } rows[] = {
        {"C:\\T\\0\\Notes.txt.lnk", "Notes.txt", false, "shortcut of a document"},
        {"C:\\T\\0\\README", "README", false, "no extension"},
        {"C:\\T\\0\\tool.EXE", "tool", true, "upper-case program"},
        {"C:\\T\\0\\tool.exe.lnk", "tool.exe", false, "shortcut to a program"},
        {"C:\\T\\0\\run.Bat", "run", true, "batch file"},
        {"C:\\T\\0\\old.com", "old", true, "com file"},
        {"C:\\T\\0\\dos.pif", "dos", true, "pif file"},
        {"C:\\T\\my.exe\\file", "file", false, "a dot only in a directory"},
        {"C:\\T\\0\\.exe", "", true, "nothing before the dot"},
        {"C:\\T\\0\\tool.exe2", "tool", false, "a longer extension"},
        {"C:\\T\\0\\tool.ex", "tool", false, "a shorter extension"},
        {"name.exe", "name", true, "no backslash"},
        {"C:\\T\\0\\" + hundred + ".txt", hundred.substr(0, 63), false, "a 100-character name"},
    };
    for (const Row& row : rows) {
        char label[64];
        memset(label, 'x', sizeof label);
        MakeItemLabel(row.path.c_str(), label, sizeof label);
        EXPECT_EQ(std::string(label), row.label) << row.name;
        EXPECT_EQ(IsProgramPath(row.path.c_str()), row.program) << row.name;
    }
    char small[4];
    MakeItemLabel("C:\\a\\abcdef.txt", small, sizeof small);
    EXPECT_STREQ(small, "abc");
}

}  // namespace

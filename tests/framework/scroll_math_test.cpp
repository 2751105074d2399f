#include "framework/scroll_math.h"

#include <gtest/gtest.h>

namespace {

TEST(ScrollMath, Table) {
    auto clamp = [](int position, int content, int client) {  // the position, and whether it changed
        bool changed = false;
        int clamped = ClampScrollPosition(position, content, client, &changed);
        return clamped * 10 + changed;
    };
    const int rows[][2] = {{BackwardScroll(8, 3), 3},
                           {BackwardScroll(8, 20), 8},
                           {BackwardScroll(-8, 20), 0},
                           {ForwardScroll(100, 1000, 300, 650), 50},
                           {ForwardScroll(100, 1000, 300, 700), 0},
                           {ForwardScroll(100, 0, 300, 0), 0},
                           {ForwardScroll(10, 0x7FFFFFFF, -0x7FFFFFFF, 5), 10},  // no overflow
                           {clamp(700, 1000, 400), 6001},
                           {clamp(5, 0, 300), 1},
                           {clamp(-4, 100, 300), 1},
                           {clamp(10, 1000, 300), 100},
                           {PageAmount(30, 300), 30},
                           {PageAmount(0, 300), 300},
                           {PageAmount(-8, 300), 292},
                           {PageAmount(-8, 5), 1}};
    for (const auto& row : rows)
        EXPECT_EQ(row[0], row[1]) << "row " << &row - rows;
}

}  // namespace

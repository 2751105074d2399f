#include "framework/scroll_math.h"

#include <gtest/gtest.h>

namespace {

TEST(ScrollMath, AmountsAndClamps) {
    EXPECT_EQ(BackwardScroll(8, 3), 3);
    EXPECT_EQ(BackwardScroll(8, 20), 8);
    EXPECT_EQ(BackwardScroll(-8, 20), 0);
    EXPECT_EQ(ForwardScroll(100, 1000, 300, 650), 50);
    EXPECT_EQ(ForwardScroll(100, 1000, 300, 700), 0);
    EXPECT_EQ(ForwardScroll(100, 0, 300, 0), 0);
    EXPECT_EQ(ForwardScroll(10, 0x7FFFFFFF, -0x7FFFFFFF, 5), 10);  // no overflow
    bool changed = false;
    EXPECT_EQ(ClampScrollPosition(700, 1000, 400, &changed), 600);
    EXPECT_TRUE(changed);
    changed = false;
    EXPECT_EQ(ClampScrollPosition(5, 0, 300, &changed), 0);  // no content size: nothing to scroll
    EXPECT_TRUE(changed);
    changed = false;
    EXPECT_EQ(ClampScrollPosition(-4, 100, 300, &changed), 0);
    EXPECT_TRUE(changed);
    changed = false;
    EXPECT_EQ(ClampScrollPosition(10, 1000, 300, &changed), 10);
    EXPECT_FALSE(changed);
    EXPECT_EQ(PageAmount(30, 300), 30);
    EXPECT_EQ(PageAmount(0, 300), 300);
    EXPECT_EQ(PageAmount(-8, 300), 292);
    EXPECT_EQ(PageAmount(-8, 5), 1);
}

}  // namespace

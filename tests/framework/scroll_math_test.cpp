#include "framework/scroll_math.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

TEST(ScrollMath, HowFarAScrollGoes) {
    const std::tuple<const char*, int, int> rows[] = {
        {"back by 8 from 3: to the start", BackwardScroll(8, 3), 3},
        {"back by 8 from 20", BackwardScroll(8, 20), 8},
        {"back by a negative amount", BackwardScroll(-8, 20), 0},
        {"forward by 100 with 50 left", ForwardScroll(100, 1000, 300, 650), 50},
        {"forward at the end", ForwardScroll(100, 1000, 300, 700), 0},
        {"forward without content", ForwardScroll(100, 0, 300, 0), 0},
        {"forward without overflow", ForwardScroll(10, 0x7FFFFFFF, -0x7FFFFFFF, 5), 10},
        {"a page of its own", PageAmount(30, 300), 30},
        {"a page of the client", PageAmount(0, 300), 300},
        {"pages that overlap", PageAmount(-8, 300), 292},
        {"an overlap larger than the client", PageAmount(-8, 5), 1},
    };
    for (const auto& [name, got, expected] : rows)
        EXPECT_EQ(got, expected) << name;
}

TEST(ScrollMath, PositionKeptInsideTheContent) {
    const std::tuple<const char*, int, int, int, int, bool> rows[] = {
        {"past the end", 700, 1000, 400, 600, true},
        {"no content", 5, 0, 300, 0, true},
        {"before the start", -4, 100, 300, 0, true},
        {"inside", 10, 1000, 300, 10, false},
    };
    for (const auto& [name, position, content, client, clamped, moved] : rows) {
        bool changed = false;
        EXPECT_EQ(ClampScrollPosition(position, content, client, &changed), clamped) << name;
        EXPECT_EQ(changed, moved) << name;
    }
}

}  // namespace

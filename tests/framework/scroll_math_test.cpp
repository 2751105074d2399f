#include "framework/scroll_math.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

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

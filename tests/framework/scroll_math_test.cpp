#include "framework/scroll_math.h"

#include <gtest/gtest.h>

namespace {

TEST(ScrollMath, Table) {
    bool changed = false;
    auto clamp = [&](int position, int content, int client) {
        changed = false;
        int clamped = ClampScrollPosition(position, content, client, &changed);
        return clamped * 10 + changed;
    };
    const struct {
        int got, expected;
        const char* what;
    } rows[] = {
        {BackwardScroll(8, 3), 3, "back to the start"},
        {BackwardScroll(8, 20), 8, "back by the amount"},
        {BackwardScroll(-8, 20), 0, "a negative amount"},
        {ForwardScroll(100, 1000, 300, 650), 50, "forward to the end"},
        {ForwardScroll(100, 1000, 300, 700), 0, "at the end"},
        {ForwardScroll(100, 0, 300, 0), 0, "no content"},
        {ForwardScroll(10, 0x7FFFFFFF, -0x7FFFFFFF, 5), 10, "no overflow"},
        {clamp(700, 1000, 400), 6001, "beyond the end"},
        {clamp(5, 0, 300), 1, "no content: nothing to scroll"},
        {clamp(-4, 100, 300), 1, "before the start"},
        {clamp(10, 1000, 300), 100, "inside"},
        {PageAmount(30, 300), 30, "a page step"},
        {PageAmount(0, 300), 300, "the client"},
        {PageAmount(-8, 300), 292, "the client less an overlap"},
        {PageAmount(-8, 5), 1, "at least one"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.got, row.expected) << row.what;
}

}  // namespace

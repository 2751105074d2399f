#include "util/bounded_text.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(BoundedText, CopyFitsExactlyOrLeavesTheBufferAlone) {
    char buffer[6] = "old";
    EXPECT_TRUE(CopyText(buffer, sizeof buffer, "12345"));  // five characters and the terminator
    EXPECT_STREQ(buffer, "12345");
    EXPECT_FALSE(CopyText(buffer, sizeof buffer, "123456"));
    EXPECT_STREQ(buffer, "12345");
    EXPECT_FALSE(CopyText(buffer, 0, ""));
}

TEST(BoundedText, AppendNeverCutsAndNeverRunsPastAnUnterminatedBuffer) {
    char buffer[8] = "abc";
    EXPECT_TRUE(AppendText(buffer, sizeof buffer, "defg"));
    EXPECT_STREQ(buffer, "abcdefg");
    EXPECT_FALSE(AppendText(buffer, sizeof buffer, "h"));
    EXPECT_STREQ(buffer, "abcdefg");

    char full[4];
    memset(full, 'x', sizeof full);  // no terminator inside
    EXPECT_FALSE(AppendText(full, sizeof full, ""));
}

}  // namespace

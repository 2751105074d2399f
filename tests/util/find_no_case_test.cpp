#include "util/find_no_case.h"

#include <gtest/gtest.h>

namespace {

TEST(FindNoCase, Table) {
    // clang-format off
    const struct { const char* text; const char* pattern; int at; } rows[] = {  // at: -1 for no match; '|' and '\\' differ only in bit 0x20
        {"tapdeck.exe /U 2", "/u", 12}, {"TAPDECK.EXE", "", 0}, {"", "", 0}, {"", "a", -1}, {"c:|dir|setup.exe", "\\setup.exe", 6},
        {"a{b", "[", 1}, {"abc", "abcd", -1}, {"aab", "ab", 1}, {"abcABC", "cA", 2}, {"setup", "setuq", -1}};
    // clang-format on
    for (const auto& row : rows) {
        const char* found = FindNoCase(row.text, row.pattern);
        EXPECT_EQ(found == nullptr ? -1 : found - row.text, row.at) << row.text << " / " << row.pattern;
    }
    for (int a = 1, b = 1; a < 256;
         b = b % 255 + 1, a += b == 1) {  // every byte pair that differs in bit 0x20 alone folds
        char text[2] = {static_cast<char>(a), 0}, pattern[2] = {static_cast<char>(b), 0};
        ASSERT_EQ(FindNoCase(text, pattern) != nullptr, (a | 0x20) == (b | 0x20)) << a << " " << b;
    }
}

}  // namespace

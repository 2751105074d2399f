#include "util/find_no_case.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* text;
    const char* pattern;
    int at;  // offset of the match, -1 for none
};

TEST(FindNoCase, Table) {
    const Case cases[] = {
        {"tapdeck.exe /U 2", "/u", 12},  // the uninstall switch in any case
        {"TAPDECK.EXE", "", 0},          // empty pattern matches at the start
        {"", "", 0},
        {"", "a", -1},
        {"c:|dir|setup.exe", "\\setup.exe", 6},  // '|' and '\' differ only in bit 0x20
        {"a{b", "[", 1},
        {"abc", "abcd", -1},  // text ends inside the pattern
        {"aab", "ab", 1},     // a failed partial match restarts one byte on
        {"abcABC", "cA", 2},
        {"x/u", "/U", 1},
        {"setup", "setuq", -1},
    };
    for (const Case& c : cases) {
        const char* found = FindNoCase(c.text, c.pattern);
        int at = found == nullptr ? -1 : static_cast<int>(found - c.text);
        EXPECT_EQ(at, c.at) << "text \"" << c.text << "\" pattern \"" << c.pattern << "\"";
    }
}

TEST(FindNoCase, FoldsEveryBytePairThatDiffersInBit0x20) {
    for (int a = 1; a < 256; ++a) {
        for (int b = 1; b < 256; ++b) {
            char text[2] = {static_cast<char>(a), 0};
            char pattern[2] = {static_cast<char>(b), 0};
            bool expected = (a | 0x20) == (b | 0x20);
            ASSERT_EQ(FindNoCase(text, pattern) != nullptr, expected) << a << " " << b;
        }
    }
}

}  // namespace

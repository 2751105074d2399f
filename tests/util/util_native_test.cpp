#include <gtest/gtest.h>

#include <tuple>

#include "util/file_mode.h"
#include "util/find_no_case.h"

namespace {

using namespace file_mode;

TEST(DeriveOpenArguments, ModeWordsBecomeTheOpenCallsArguments) {
    const uint32_t rw = kGenericRead | kGenericWrite;
    const std::tuple<const char*, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t> rows[] = {
        {"read an existing file", 1, 1 | kMustExist, kGenericRead, 0, kOpenExisting, 0},
        {"write a new or emptied file", 2, 2 | kCreate, kGenericWrite, 0, kCreateAlways, 0},
        {"read and write, created when missing", 3, 3, rw, 0, kOpenAlways, 0},
        {"appending keeps the file", 2 | kAppend, 2 | kAppend, kGenericWrite, 0, kOpenAlways, 0},
        {"buffered asks nothing of the system", 1 | kBuffered, 1 | kBuffered | kMustExist, kGenericRead, 0,
         kOpenExisting, 0},
    };
    for (const auto& [name, given, mode, access, share, disposition, flags] : rows) {
        OpenArguments args = DeriveOpenArguments(given);
        EXPECT_EQ(args.mode, mode) << name;
        EXPECT_EQ(args.access, access) << name;
        EXPECT_EQ(args.shareMode, share) << name;
        EXPECT_EQ(args.disposition, disposition) << name;
        EXPECT_EQ(args.flags, flags) << name;
    }
}

TEST(FindNoCase, FindsThePatternWithoutCase) {
    const std::tuple<const char*, const char*, int> rows[] = {
        {"tapdeck.exe /U 2", "/u", 12},
        {"", "", 0},
        {"", "a", -1},
        {"c:|dir|setup.exe", "\\setup.exe", 6},  // '|' and '\\' differ only in bit 0x20
        {"abc", "abcd", -1},
    };
    for (const auto& [text, pattern, at] : rows) {
        const char* found = FindNoCase(text, pattern);
        EXPECT_EQ(found == nullptr ? -1 : found - text, at) << text << " / " << pattern;
    }
}

}  // namespace

#include <gtest/gtest.h>

#include "util/file_mode.h"
#include "util/find_no_case.h"

namespace {

using namespace file_mode;

TEST(DeriveOpenArguments, Table) {
    const uint32_t rw = kGenericRead | kGenericWrite;
    // clang-format off
    const uint32_t rows[][6] = {  // given: mode, access, share, disposition, flags; first the program's own three words
        {1, 1 | kMustExist, kGenericRead, 0, kOpenExisting, 0}, {2, 2 | kCreate, kGenericWrite, 0, kCreateAlways, 0}, {3, 3, rw, 0, kOpenAlways, 0},
        {2 | kAppend, 2 | kAppend, kGenericWrite, 0, kOpenAlways, 0}, {1 | kCreate, 1 | kCreate | kMustExist, kGenericRead, 0, kTruncateExisting, 0},  // appending keeps the file
        {1 | kShareRead | kShareWrite, 1 | kShareRead | kShareWrite | kMustExist, kGenericRead, kFileShareRead | kFileShareWrite, kOpenExisting, 0},
        {3 | kDeleteOnClose | kWriteThrough, 3 | kDeleteOnClose | kWriteThrough, rw, 0, kOpenAlways, kFlagWriteThrough | kFlagDeleteOnClose},
        {1 | kBuffered, 1 | kBuffered | kMustExist, kGenericRead, 0, kOpenExisting, 0}};  // no system argument
    // clang-format on
    for (const auto& row : rows) {
        OpenArguments args = DeriveOpenArguments(row[0]);
        const uint32_t got[] = {row[0], args.mode, args.access, args.shareMode, args.disposition, args.flags};
        EXPECT_TRUE(std::equal(got, got + 6, row)) << std::hex << row[0];
    }
}

TEST(FindNoCase, Table) {
    // clang-format off
    const struct { const char* text; const char* pattern; int at; } rows[] = {  // at: -1 for no match; '|' and '\\' differ only in bit 0x20
        {"tapdeck.exe /U 2", "/u", 12}, {"", "", 0}, {"", "a", -1}, {"c:|dir|setup.exe", "\\setup.exe", 6},
        {"abc", "abcd", -1}, {"aab", "ab", 1}, {"setup", "setuq", -1}};
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

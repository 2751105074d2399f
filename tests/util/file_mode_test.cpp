#include "util/file_mode.h"

#include <gtest/gtest.h>

namespace {

using namespace file_mode;

TEST(DeriveOpenArguments, Table) {
    const uint32_t rw = kGenericRead | kGenericWrite;
    // clang-format off
    const uint32_t rows[][6] = {  // given: mode, access, share, disposition, flags; first the program's own three words
        {1, 1 | kMustExist, kGenericRead, 0, kOpenExisting, 0}, {2, 2 | kCreate, kGenericWrite, 0, kCreateAlways, 0}, {3, 3, rw, 0, kOpenAlways, 0},
        {2 | kAppend, 2 | kAppend, kGenericWrite, 0, kOpenAlways, 0}, {1 | kCreate, 1 | kCreate | kMustExist, kGenericRead, 0, kTruncateExisting, 0},  // appending keeps the file
        {3 | kMustExist, 3 | kMustExist, rw, 0, kOpenExisting, 0}, {3 | kCreate, 3 | kCreate, rw, 0, kCreateAlways, 0}, {0, 0, 0, 0, kOpenAlways, 0},
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

}  // namespace

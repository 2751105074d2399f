#include "util/file_mode.h"

#include <gtest/gtest.h>

namespace {

using namespace file_mode;

struct Row {
    uint32_t given;
    uint32_t mode;
    uint32_t access;
    uint32_t share;
    uint32_t disposition;
    uint32_t flags;
};

TEST(DeriveOpenArguments, Table) {
    const Row rows[] = {
        // The program's own three words: read existing, write fresh, read-write.
        {1, 1 | kMustExist, kGenericRead, 0, kOpenExisting, 0},
        {2, 2 | kCreate, kGenericWrite, 0, kCreateAlways, 0},
        {3, 3, kGenericRead | kGenericWrite, 0, kOpenAlways, 0},
        // An appending writer keeps the file.
        {2 | kAppend, 2 | kAppend, kGenericWrite, 0, kOpenAlways, 0},
        // Explicit bits combine with the derived ones.
        {1 | kCreate, 1 | kCreate | kMustExist, kGenericRead, 0, kTruncateExisting, 0},
        {3 | kMustExist, 3 | kMustExist, kGenericRead | kGenericWrite, 0, kOpenExisting, 0},
        {3 | kCreate, 3 | kCreate, kGenericRead | kGenericWrite, 0, kCreateAlways, 0},
        {0, 0, 0, 0, kOpenAlways, 0},
        {1 | kShareRead | kShareWrite, 1 | kShareRead | kShareWrite | kMustExist, kGenericRead,
         kFileShareRead | kFileShareWrite, kOpenExisting, 0},
        {3 | kWriteThrough, 3 | kWriteThrough, kGenericRead | kGenericWrite, 0, kOpenAlways, kFlagWriteThrough},
        {3 | kDeleteOnClose | kWriteThrough, 3 | kDeleteOnClose | kWriteThrough, kGenericRead | kGenericWrite, 0,
         kOpenAlways, kFlagWriteThrough | kFlagDeleteOnClose},
        // The buffer bit reaches no system argument.
        {1 | kBuffered, 1 | kBuffered | kMustExist, kGenericRead, 0, kOpenExisting, 0},
    };
    for (const Row& row : rows) {
        OpenArguments args = DeriveOpenArguments(row.given);
        EXPECT_EQ(args.mode, row.mode) << std::hex << row.given;
        EXPECT_EQ(args.access, row.access) << std::hex << row.given;
        EXPECT_EQ(args.shareMode, row.share) << std::hex << row.given;
        EXPECT_EQ(args.disposition, row.disposition) << std::hex << row.given;
        EXPECT_EQ(args.flags, row.flags) << std::hex << row.given;
    }
}

}  // namespace

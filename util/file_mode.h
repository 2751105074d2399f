#pragma once
// How one mode word of WFile::Open becomes the arguments of the system's open
// call. Kept apart from the file object so the table can be checked without a
// file system; the values equal the Win32 ones (checked where windows.h is seen).

#include <cstdint>

namespace file_mode {
constexpr uint32_t kRead = 0x001;
constexpr uint32_t kWrite = 0x002;
constexpr uint32_t kShareRead = 0x004;
constexpr uint32_t kShareWrite = 0x008;
constexpr uint32_t kCreate = 0x010;
constexpr uint32_t kMustExist = 0x020;
constexpr uint32_t kBuffered = 0x040;
constexpr uint32_t kWriteThrough = 0x100;
constexpr uint32_t kDeleteOnClose = 0x200;
constexpr uint32_t kAppend = 0x400;

constexpr uint32_t kGenericRead = 0x80000000u;
constexpr uint32_t kGenericWrite = 0x40000000u;
constexpr uint32_t kFileShareRead = 0x1;
constexpr uint32_t kFileShareWrite = 0x2;
constexpr uint32_t kCreateAlways = 2;
constexpr uint32_t kOpenExisting = 3;
constexpr uint32_t kOpenAlways = 4;
constexpr uint32_t kTruncateExisting = 5;
constexpr uint32_t kFlagWriteThrough = 0x80000000u;
constexpr uint32_t kFlagDeleteOnClose = 0x04000000u;
}  // namespace file_mode

struct OpenArguments {
    uint32_t mode;  // the given word with the derived create / must-exist bits
    uint32_t access;
    uint32_t shareMode;
    uint32_t disposition;
    uint32_t flags;
};

OpenArguments DeriveOpenArguments(uint32_t mode);

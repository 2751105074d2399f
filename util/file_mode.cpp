#include "util/file_mode.h"

using namespace file_mode;

OpenArguments DeriveOpenArguments(uint32_t mode) {
    switch (mode & (kRead | kWrite)) {
        case kRead:
            mode |= kMustExist;
            break;
        case kWrite:
            // An appending writer wants the old contents kept.
            if ((mode & kAppend) == 0) {
                mode |= kCreate;
            }
            break;
        default:
            break;
    }

    OpenArguments args{};
    args.mode = mode;
    args.access = ((mode & kRead) ? kGenericRead : 0) | ((mode & kWrite) ? kGenericWrite : 0);
    args.shareMode = ((mode & kShareRead) ? kFileShareRead : 0) | ((mode & kShareWrite) ? kFileShareWrite : 0);
    bool create = (mode & kCreate) != 0;
    bool mustExist = (mode & kMustExist) != 0;
    if (create) {
        args.disposition = mustExist ? kTruncateExisting : kCreateAlways;
    } else {
        args.disposition = mustExist ? kOpenExisting : kOpenAlways;
    }
    args.flags = ((mode & kWriteThrough) ? kFlagWriteThrough : 0) | ((mode & kDeleteOnClose) ? kFlagDeleteOnClose : 0);
    return args;
}

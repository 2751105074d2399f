#include "util/special_folder.h"

#include "util/bounded_text.h"
#include "util/path_limits.h"

SpecialFolderItems::SpecialFolderItems(int csidl) {
    // The allocator first: the list is the shell's, and only it frees it.
    if (SHGetMalloc(allocator_.Receive()) != S_OK)
        return;
    if (SHGetSpecialFolderLocation(GetForegroundWindow(), csidl, &items_) != S_OK)
        items_ = nullptr;
}

SpecialFolderItems::~SpecialFolderItems() {
    if (items_ != nullptr)
        allocator_->Free(items_);
}

bool SpecialFolderItems::Path(char* path) const {
    path[0] = '\0';
    // The shell writes up to MAX_PATH bytes; the program's paths are shorter.
    char full[MAX_PATH];
    return Found() && SHGetPathFromIDListA(items_, full) && CopyText(path, kPathSize, full);
}

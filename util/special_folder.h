#pragma once
// The one place that asks the shell for a special folder.

#include <windows.h>
#include <shlobj.h>

#include "util/owners.h"

// A shell special folder located by its CSIDL number: its item list, freed
// through the shell's allocator when the object goes.
class SpecialFolderItems {
public:
    explicit SpecialFolderItems(int csidl);
    ~SpecialFolderItems();
    SpecialFolderItems(const SpecialFolderItems&) = delete;
    SpecialFolderItems& operator=(const SpecialFolderItems&) = delete;

    // Whether the shell located the folder, which it does only for folders
    // that exist on this system.
    bool Found() const { return items_ != nullptr; }
    LPITEMIDLIST Items() const { return items_; }
    // The folder's file-system path into `path` (256 bytes); false, with the
    // path empty, when it has none or the path does not fit.
    bool Path(char* path) const;

private:
    ComPtr<IMalloc> allocator_;
    LPITEMIDLIST items_ = nullptr;
};

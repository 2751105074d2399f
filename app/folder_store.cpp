#include "app/folder_store.h"

#include <windows.h>

#include <cstring>

#include "app/item_file.h"
#include "app/launcher_values.h"
#include "util/little_endian.h"
#include "util/w_file.h"

namespace {

constexpr uint32_t kReadWrite = 3;  // read and write, created when missing, nothing shared
constexpr uint32_t kReadExisting = 1;
constexpr uint32_t kWriteFresh = 2;
constexpr uint32_t kWriteThrough = 0x100;

// An item file held for one operation: for reading and writing, without
// sharing, so that another copy of the program waits its turn; or, where the
// file may be read but not written (read-only, on read-only media), for
// reading only, so that its folder still shows. A file that cannot be read at
// all (no folder, a folder in its place, a file held by another program)
// makes the folder absent.
bool OpenItemFile(const FolderPaths& paths, WFile* file, bool* writable) {
    *writable = file->Open(paths.itemFile, kReadWrite) == 0;
    return *writable || file->Open(paths.itemFile, kReadExisting) == 0;
}

// Puts `size` bytes in the place of the held item file and closes it. The
// bytes go to a file of their own first and replace the old one only when
// all of them are on the disk: a full disk, or a stop halfway, leaves the old
// order readable as it was. Returns whether the item file now holds them.
bool ReplaceItemFile(const FolderPaths& paths, WFile* held, const unsigned char* bytes, size_t size) {
    WFile fresh;
    bool written = fresh.Open(paths.newItemFile, kWriteFresh | kWriteThrough) == 0 &&
                   fresh.Write(bytes, static_cast<DWORD>(size)) == static_cast<int>(size) && fresh.lastError == 0;
    written = fresh.Close() == 0 && written;
    held->Close();  // the system replaces no file that is open without sharing
    if (written && MoveFileExA(paths.newItemFile, paths.itemFile, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileA(paths.newItemFile);
    return false;
}

// The system's own upper-casing of the ANSI code page, one byte at a time:
// the file system finds "ÉTÉ.lnk" under the name "été.lnk" as well, so the
// merge must take them for one file.
const unsigned char* CodePageUpperCase() {
    static unsigned char table[256];
    static bool made = false;
    if (!made) {
        for (int c = 0; c < 256; ++c) {
            char one = static_cast<char>(c);
            CharUpperBuffA(&one, 1);
            table[c] = static_cast<unsigned char>(one);
        }
        made = true;
    }
    return table;
}

}  // namespace

int RescanFolder(int folder, ItemRecord* out) {
    FolderPaths paths;
    WFile file;
    bool writable = false;
    if (!MakeFolderPaths(baseDir, folder, &paths) || !OpenItemFile(paths, &file, &writable)) {
        return 0;
    }
    // Everything lives on the stack: the warning box below runs a message
    // loop in which another rescan may start.
    uint64_t fileSize = file.GetSize();
    unsigned char stored[item_file::kReadSize];
    int got = file.Read(stored, sizeof stored);
    size_t size = got > 0 ? static_cast<size_t>(got) : 0;
    ItemRecord records[item_file::kMaxStoredRead];
    int storedCount = DecodeStoredRecords(stored, size, records);

    ItemMerge merge;
    BeginMerge(&merge, records, storedCount, CodePageUpperCase());
    WFileFind find(paths.pattern);
    WIN32_FIND_DATAA entry;
    while (const char* name = find.Next(&entry)) {
        if (!MergeListedName(&merge, paths.prefix, name)) {
            break;
        }
    }
    ItemRecord present[item_file::kMaxItems];
    int count = FinishMerge(&merge, present);

    // A rescan that changes nothing writes nothing.
    unsigned char merged[item_file::kMaxFileSize];
    size_t mergedSize = EncodeItemFile(present, count, merged);
    bool unchanged = fileSize == mergedSize && size == mergedSize && memcmp(stored, merged, size) == 0;
    bool replaced = false;
    if (unchanged || !writable) {
        file.Close();
    } else {
        replaced = ReplaceItemFile(paths, &file, merged, mergedSize);
    }
    // Only with the file closed: while the box's loop runs, a tray press or
    // the taskbar's return may rescan this very folder.
    if (replaced && fileSize > 0 && !HasItemMagic(stored, size)) {
        MessageBoxA(nullptr, "Invalid .dat file, new file created", "Warning", MB_ICONWARNING);
    }
    if (out != nullptr) {
        memcpy(out, present, count * sizeof(ItemRecord));
    }
    return count;
}

bool SaveFolderItems(int folder, const ItemRecord* items, int count) {
    FolderPaths paths;
    WFile file;
    if (!MakeFolderPaths(baseDir, folder, &paths) || file.Open(paths.itemFile, kReadWrite) != 0) {
        return false;
    }
    unsigned char bytes[item_file::kMaxFileSize];
    return ReplaceItemFile(paths, &file, bytes, EncodeItemFile(items, count, bytes));
}

int ReadFirstItem(int folder, ItemRecord* out) {
    FolderPaths paths;
    WFile file;
    bool writable = false;
    if (!MakeFolderPaths(baseDir, folder, &paths) || !OpenItemFile(paths, &file, &writable)) {
        return 0;
    }
    uint64_t fileSize = file.GetSize();
    unsigned char bytes[item_file::kHeaderSize + item_file::kRecordSize];
    int got = file.Read(bytes, sizeof bytes);
    file.Close();
    return DecodeFirstItem(bytes, got > 0 ? static_cast<size_t>(got) : 0, fileSize, out);
}

uint32_t ReadSettings() {
    char path[kPathSize];
    WFile file;
    if (!MakeSettingsPath(baseDir, path) || file.Open(path, kReadExisting) != 0) {
        return kDefaultSettings;
    }
    unsigned char bytes[4];
    int got = file.Read(bytes, sizeof bytes);
    file.Close();
    if (got != 4) {
        return kDefaultSettings;
    }
    return LoadLittle32(bytes);
}

void WriteSettings(uint32_t settings) {
    char path[kPathSize];
    WFile file;
    if (!MakeSettingsPath(baseDir, path) || file.Open(path, kWriteFresh) != 0) {
        return;
    }
    unsigned char bytes[4];
    StoreLittle32(bytes, settings);
    file.Write(bytes, sizeof bytes);
    file.Close();
}

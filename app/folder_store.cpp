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

// Empties the file and writes `count` records as a whole new item file.
void WriteItemFile(WFile& file, const ItemRecord* records, int count) {
    unsigned char bytes[item_file::kMaxFileSize];
    size_t size = EncodeItemFile(records, count, bytes);
    file.SetLength(0);
    file.Write(bytes, static_cast<DWORD>(size));
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
    if (!MakeFolderPaths(baseDir, folder, &paths)) {
        return 0;
    }
    WFile file;
    if (file.Open(paths.itemFile, kReadWrite) != 0) {
        return 0;
    }
    // Everything lives on the stack: the warning box below runs a message
    // loop in which another rescan may start.
    uint64_t sizeBefore = file.GetSize();
    unsigned char bytes[item_file::kReadSize];
    int got = file.Read(bytes, sizeof bytes);
    size_t size = got > 0 ? static_cast<size_t>(got) : 0;

    ItemRecord stored[item_file::kMaxStoredRead];
    int storedCount = 0;
    if (HasItemMagic(bytes, size)) {
        storedCount = DecodeStoredRecords(bytes, size, stored);
    } else {
        file.SetLength(0);
        if (sizeBefore > 0) {
            MessageBoxA(nullptr, "Invalid .dat file, new file created", "Warning", MB_ICONWARNING);
        }
    }

    ItemMerge merge;
    BeginMerge(&merge, stored, storedCount, CodePageUpperCase());
    WFileFind find(paths.pattern);
    WIN32_FIND_DATAA entry;
    while (const char* name = find.Next(&entry)) {
        if (!MergeListedName(&merge, paths.prefix, name)) {
            break;
        }
    }

    ItemRecord present[item_file::kMaxItems];
    int count = FinishMerge(&merge, present);
    WriteItemFile(file, present, count);
    file.Close();
    if (out != nullptr) {
        memcpy(out, present, count * sizeof(ItemRecord));
    }
    return count;
}

void SaveFolderItems(int folder, const ItemRecord* items, int count) {
    FolderPaths paths;
    WFile file;
    if (!MakeFolderPaths(baseDir, folder, &paths) || file.Open(paths.itemFile, kReadWrite) != 0) {
        return;
    }
    WriteItemFile(file, items, count);
    file.Close();
}

int ReadFirstItem(int folder, ItemRecord* out) {
    FolderPaths paths;
    WFile file;
    if (!MakeFolderPaths(baseDir, folder, &paths) || file.Open(paths.itemFile, kReadWrite) != 0) {
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

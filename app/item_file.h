#pragma once
// The item file tapdeck.dat of one numbered folder, and its merge with the
// folder's listing. Pure logic: the file access stays in folder_store.cpp.
//
// Layout (little-endian): "ZTD1", int32 record count n, n records of 328 bytes.

#include <cstddef>
#include <cstdint>

#include "app/item_record.h"

namespace item_file {
constexpr char kMagic[4] = {'Z', 'T', 'D', '1'};
constexpr size_t kHeaderSize = 8;
constexpr size_t kRecordSize = sizeof(ItemRecord);
constexpr int kMaxItems = 15;         // a folder never records more
constexpr int kMaxStoredRead = 16;    // records read back from a file
constexpr int kWorkingCapacity = 32;  // stored plus newly listed, during a rescan
// Enough bytes for the header and every record a rescan reads.
constexpr size_t kReadSize = kHeaderSize + kMaxStoredRead * kRecordSize;
constexpr size_t kMaxFileSize = kHeaderSize + kMaxItems * kRecordSize;
}  // namespace item_file

constexpr char kEmptyFolderLabel[] = "ERROR, Empty folder!";

// Whether the bytes begin with the item file's magic.
bool HasItemMagic(const unsigned char* bytes, size_t size);

// The records of an item file whose first `size` bytes are given, at most
// kMaxStoredRead of them, into `records`. Only whole records that are really
// there count, whatever the stored count says; a negative count is 0. Every
// path and label comes back terminated within its field.
int DecodeStoredRecords(const unsigned char* bytes, size_t size, ItemRecord* records);

// What a folder's first item is, from the first bytes of its item file and
// the file's full size. A file without a valid header or without a whole
// first record holds no item: `out` becomes the "ERROR, Empty folder!"
// record with an empty path and the result is 1. Otherwise `out` is the first
// record and the result the number of records the file really holds (at
// most the stored count).
int DecodeFirstItem(const unsigned char* bytes, size_t size, uint64_t fileSize, ItemRecord* out);

// Writes the item file for `count` records (0 to kMaxItems; outside that
// range the count is clamped) into `bytes`, which has room for kMaxFileSize
// bytes. Returns the number of bytes.
size_t EncodeItemFile(const ItemRecord* records, int count, unsigned char* bytes);

// A rescan's working array: the stored records, marked present as the
// listing names their files, followed by the new files.
struct ItemMerge {
    ItemRecord records[item_file::kWorkingCapacity];
    int count;
    const unsigned char* upperCase;
};

// `upperCase`, when given, maps each byte of the code page to its upper-case
// form (256 entries) and decides which names are the same file; without it
// only the letters A to Z fold.
void BeginMerge(ItemMerge* merge, const ItemRecord* stored, int storedCount, const unsigned char* upperCase = nullptr);

// Takes one name of the folder listing. `folderPrefix` is the folder's path
// with its final backslash. Returns false once the array is full: the listing
// then stops.
bool MergeListedName(ItemMerge* merge, const char* folderPrefix, const char* name);

// The present records in order, at most kMaxItems, with both icon words 0
// and an empty label, into `out`. Returns their number.
int FinishMerge(const ItemMerge* merge, ItemRecord* out);

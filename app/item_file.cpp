#include "app/item_file.h"

#include <cstring>

#include "app/item_names.h"

#include "util/bounded_text.h"
#include "util/little_endian.h"

using namespace item_file;

namespace {

// File names compare without case, as the file system compares them. The
// caller may hand a table of the code page's upper-case letters; without one
// only A to Z fold.
unsigned char FoldCase(unsigned char c, const unsigned char* upper) {
    if (upper != nullptr)
        return upper[c];
    return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - ('a' - 'A')) : c;
}

bool SameNameNoCase(const char* a, const char* b, const unsigned char* upper) {
    for (;; ++a, ++b) {
        unsigned char ca = static_cast<unsigned char>(*a);
        unsigned char cb = static_cast<unsigned char>(*b);
        if (ca == '\0' || cb == '\0')
            return ca == cb;
        if (FoldCase(ca, upper) != FoldCase(cb, upper))
            return false;
    }
}

// A record from disk: its strings end within their fields at the latest.
void CopyStoredRecord(const unsigned char* bytes, ItemRecord* record) {
    memcpy(record, bytes, kRecordSize);
    record->path[kPathSize - 1] = '\0';
    record->label[kLabelSize - 1] = '\0';
}

// The number of records a file really holds: the stored count, but never
// more than the whole records present nor more than `limit`.
int UsableCount(int32_t stored, uint64_t bytesAvailable, int limit) {
    if (stored <= 0 || bytesAvailable < kHeaderSize)
        return 0;
    uint64_t whole = (bytesAvailable - kHeaderSize) / kRecordSize;
    uint64_t usable = static_cast<uint64_t>(stored);
    if (usable > whole)
        usable = whole;
    if (usable > static_cast<uint64_t>(limit))
        usable = static_cast<uint64_t>(limit);
    return static_cast<int>(usable);
}

}  // namespace

bool HasItemMagic(const unsigned char* bytes, size_t size) {
    return size >= sizeof kMagic && memcmp(bytes, kMagic, sizeof kMagic) == 0;
}

int DecodeStoredRecords(const unsigned char* bytes, size_t size, ItemRecord* records) {
    if (!HasItemMagic(bytes, size) || size < kHeaderSize)
        return 0;
    int count = UsableCount(static_cast<int32_t>(LoadLittle32(bytes + 4)), size, kMaxStoredRead);
    for (int i = 0; i < count; ++i) {
        CopyStoredRecord(bytes + kHeaderSize + i * kRecordSize, &records[i]);
    }
    return count;
}

int DecodeFirstItem(const unsigned char* bytes, size_t size, uint64_t fileSize, ItemRecord* out) {
    int count = 0;
    if (HasItemMagic(bytes, size) && size >= kHeaderSize + kRecordSize) {
        // The whole-record bound comes from the file's real size; INT32_MAX
        // keeps a large stored count as the file really backs it.
        count = UsableCount(static_cast<int32_t>(LoadLittle32(bytes + 4)), fileSize, INT32_MAX);
    }
    if (count == 0) {
        memset(out, 0, sizeof *out);
        CopyText(out->label, sizeof out->label, kEmptyFolderLabel);
        return 1;
    }
    CopyStoredRecord(bytes + kHeaderSize, out);
    return count;
}

size_t EncodeItemFile(const ItemRecord* records, int count, unsigned char* bytes) {
    if (count < 0)
        count = 0;
    if (count > kMaxItems)
        count = kMaxItems;
    memcpy(bytes, kMagic, sizeof kMagic);
    StoreLittle32(bytes + 4, static_cast<uint32_t>(count));
    if (count > 0) {
        memcpy(bytes + kHeaderSize, records, count * kRecordSize);
    }
    return kHeaderSize + count * kRecordSize;
}

void BeginMerge(ItemMerge* merge, const ItemRecord* stored, int storedCount, const unsigned char* upperCase) {
    merge->upperCase = upperCase;
    if (storedCount < 0)
        storedCount = 0;
    if (storedCount > kMaxStoredRead)
        storedCount = kMaxStoredRead;
    if (storedCount > 0) {
        memcpy(merge->records, stored, storedCount * kRecordSize);
    }
    for (int i = 0; i < storedCount; ++i) {
        merge->records[i].icon = 0;  // the present mark
    }
    merge->count = storedCount;
}

bool MergeListedName(ItemMerge* merge, const char* folderPrefix, const char* name) {
    // The item file itself, exactly so spelled, and dot-files are no items.
    if (strcmp(name, "tapdeck.dat") == 0 || name[0] == '.') {
        return merge->count < kWorkingCapacity;
    }
    bool matched = false;
    for (int i = 0; i < merge->count; ++i) {
        ItemRecord& record = merge->records[i];
        if (SameNameNoCase(FileNamePart(record.path), name, merge->upperCase)) {
            // Every match is marked, duplicates too; the stored path stays as
            // it was, even when the name now differs in case.
            record.icon = 1;
            record.label[0] = '\0';
            matched = true;
        }
    }
    if (!matched && merge->count < kWorkingCapacity) {
        ItemRecord& added = merge->records[merge->count];
        memset(&added, 0, sizeof added);
        // A path that does not fit would name another file: such a file is
        // left unrecorded.
        if (CopyText(added.path, sizeof added.path, folderPrefix) && AppendText(added.path, sizeof added.path, name)) {
            added.icon = 1;
            ++merge->count;
        }
    }
    return merge->count < kWorkingCapacity;
}

int FinishMerge(const ItemMerge* merge, ItemRecord* out) {
    int written = 0;
    for (int i = 0; i < merge->count && written < kMaxItems; ++i) {
        if (merge->records[i].icon == 0)
            continue;  // its file has vanished
        out[written] = merge->records[i];
        out[written].icon = 0;
        out[written].highlightIcon = 0;
        ++written;
    }
    return written;
}

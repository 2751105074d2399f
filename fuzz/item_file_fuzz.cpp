// Arbitrary bytes as an item file, merged with an arbitrary folder listing.
// Input: a 16-bit little-endian length L, L bytes of item file, then the
// listing: the first line is the folder prefix, every further line a name.
// Whatever the input: the output is a valid item file of at most 15 records
// with every path terminated, and rescanning it with the same listing changes
// nothing.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/item_file.h"

namespace {

using Bytes = std::vector<unsigned char>;

#define Check(condition) CheckAt(condition, #condition, __LINE__)

void CheckAt(bool holds, const char* condition, int line) {
    if (!holds) {
        fprintf(stderr, "item_file_fuzz.cpp:%d: %s does not hold\n", line, condition);
        abort();
    }
}

bool Terminated(const char* field, size_t size) {
    return memchr(field, '\0', size) != nullptr;
}

Bytes Rescan(const Bytes& stored, const std::string& prefix, const std::vector<std::string>& listing) {
    ItemRecord records[item_file::kMaxStoredRead];
    int count = DecodeStoredRecords(stored.data(), stored.size(), records);
    Check(count >= 0 && count <= item_file::kMaxStoredRead);
    for (int i = 0; i < count; ++i) {
        Check(Terminated(records[i].path, sizeof records[i].path));
        Check(Terminated(records[i].label, sizeof records[i].label));
    }
    static ItemMerge merge;
    BeginMerge(&merge, records, count);
    for (const std::string& name : listing) {
        if (!MergeListedName(&merge, prefix.c_str(), name.c_str()))
            break;
    }
    Check(merge.count <= item_file::kWorkingCapacity);
    ItemRecord present[item_file::kMaxItems];
    int written = FinishMerge(&merge, present);
    Check(written >= 0 && written <= item_file::kMaxItems);
    Bytes out(item_file::kMaxFileSize);
    out.resize(EncodeItemFile(present, written, out.data()));
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    size_t fileLength = static_cast<size_t>(data[0] | data[1] << 8);
    if (fileLength > size - 2)
        fileLength = size - 2;
    Bytes stored(data + 2, data + 2 + fileLength);

    std::string prefix;
    std::vector<std::string> listing;
    std::string text(reinterpret_cast<const char*>(data + 2 + fileLength), size - 2 - fileLength);
    size_t start = 0;
    bool first = true;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start).c_str();  // a name ends at its first NUL
        if (first) {
            prefix = line + "\\";  // a folder's path with its final backslash, as the rescan forms it
            first = false;
        } else if (!line.empty() && line.find('\\') == std::string::npos) {
            // A file name never holds a backslash: the system lists none such.
            listing.push_back(line);
        }
        start = end + 1;
    }

    ItemRecord firstItem;
    int firstCount = DecodeFirstItem(stored.data(), stored.size(), stored.size(), &firstItem);
    Check(firstCount >= 1);
    Check(Terminated(firstItem.path, sizeof firstItem.path));
    Check(Terminated(firstItem.label, sizeof firstItem.label));

    Bytes once = Rescan(stored, prefix, listing);
    Check(HasItemMagic(once.data(), once.size()));
    ItemRecord back[item_file::kMaxStoredRead];
    int count = DecodeStoredRecords(once.data(), once.size(), back);
    Check(once.size() == item_file::kHeaderSize + count * item_file::kRecordSize);
    Check(count <= item_file::kMaxItems);
    for (int i = 0; i < count; ++i) {
        Check(back[i].icon == 0 && back[i].highlightIcon == 0);
        Check(strlen(back[i].path) > 0);
    }

    Bytes twice = Rescan(once, prefix, listing);
    Check(twice == once);
    return 0;
}

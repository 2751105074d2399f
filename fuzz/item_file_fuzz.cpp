// Arbitrary bytes as an item file, merged with an arbitrary folder listing.
// Input: a 16-bit little-endian length L, L bytes of item file, then the
// listing: the first line is the folder prefix, every further line a name.
// Whatever the input: the output is a valid item file of at most 15 records
// with every path terminated, and rescanning it with the same listing changes
// nothing.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "app/item_file.h"

#define Check(c) ((c) ? void() : (fprintf(stderr, "item_file_fuzz.cpp:%d: %s\n", __LINE__, #c), abort()))

namespace {

using Bytes = std::vector<unsigned char>;

bool Terminated(const ItemRecord& record) {
    return memchr(record.path, '\0', sizeof record.path) && memchr(record.label, '\0', sizeof record.label);
}

Bytes Rescan(const Bytes& stored, const std::string& prefix, const std::vector<std::string>& listing) {
    ItemRecord records[item_file::kMaxStoredRead], present[item_file::kMaxItems];
    int count = DecodeStoredRecords(stored.data(), stored.size(), records);
    Check(count >= 0 && count <= item_file::kMaxStoredRead && std::all_of(records, records + count, Terminated));
    static ItemMerge merge;
    BeginMerge(&merge, records, count);
    for (size_t i = 0; i < listing.size() && MergeListedName(&merge, prefix.c_str(), listing[i].c_str()); ++i) {
    }
    int written = FinishMerge(&merge, present);
    Check(merge.count <= item_file::kWorkingCapacity && written >= 0 && written <= item_file::kMaxItems);
    Bytes out(item_file::kMaxFileSize);
    out.resize(EncodeItemFile(present, written, out.data()));
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    size_t fileLength = std::min(static_cast<size_t>(data[0] | data[1] << 8), size - 2);
    Bytes stored(data + 2, data + 2 + fileLength);
    std::istringstream lines(std::string(reinterpret_cast<const char*>(data + 2 + fileLength), size - 2 - fileLength));
    std::string line, prefix;
    std::getline(lines, line);
    prefix = line.c_str() + std::string("\\");  // a folder's path as the rescan forms it; a name ends at its NUL
    std::vector<std::string> listing;
    while (std::getline(lines, line)) {
        line = line.c_str();
        if (!line.empty() && line.find('\\') == std::string::npos)  // the system lists no name with a backslash
            listing.push_back(line);
    }

    ItemRecord firstItem;
    Check(DecodeFirstItem(stored.data(), stored.size(), stored.size(), &firstItem) >= 1 && Terminated(firstItem));
    Bytes once = Rescan(stored, prefix, listing);
    ItemRecord back[item_file::kMaxStoredRead];
    int count = DecodeStoredRecords(once.data(), once.size(), back);
    Check(HasItemMagic(once.data(), once.size()) && count <= item_file::kMaxItems &&
          once.size() == item_file::kHeaderSize + count * item_file::kRecordSize);
    for (int i = 0; i < count; ++i)
        Check(back[i].path[0] != '\0');  // no record without a path
    Check(Rescan(once, prefix, listing) == once);
    return 0;
}

#include "app/item_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "app/launcher_values.h"

namespace {

using Bytes = std::vector<unsigned char>;
const std::string kPrefix = "C:\\Apps\\Tapdeck\\3\\";

// Words of `names` as paths: a name without a backslash lies in kPrefix.
Bytes Encode(const std::string& names) {
    std::vector<ItemRecord> records;
    std::istringstream words(names);
    for (std::string word; words >> word;) {
        records.emplace_back();  // all zero
        word = word.find('\\') == std::string::npos ? kPrefix + word : word;
        strncpy(records.back().path, word.c_str(), sizeof records.back().path - 1);
    }
    Bytes bytes(item_file::kMaxFileSize);
    bytes.resize(EncodeItemFile(records.data(), static_cast<int>(records.size()), bytes.data()));
    return bytes;
}

// One rescan as the launcher runs it, from the stored file to the rewritten one.
Bytes Rescan(const std::string& stored, const std::string& listing, const unsigned char* upperCase = nullptr) {
    Bytes bytes = Encode(stored);
    ItemRecord records[item_file::kMaxStoredRead], present[item_file::kMaxItems];
    static ItemMerge merge;
    BeginMerge(&merge, records, DecodeStoredRecords(bytes.data(), bytes.size(), records), upperCase);
    std::istringstream words(listing);
    for (std::string name; words >> name && MergeListedName(&merge, kPrefix.c_str(), name.c_str());)
        continue;
    int written = FinishMerge(&merge, present);
    bytes.resize(item_file::kMaxFileSize);
    bytes.resize(EncodeItemFile(present, written, bytes.data()));
    return bytes;
}

std::string Names(const char* stem, int from, int to) {
    std::string names;
    for (int i = from; i < to; ++i)
        names += " " + (stem + std::to_string(i));
    return names;
}

TEST(ItemMerge, Table) {
    std::string fits(255 - kPrefix.size(), 'n');  // a full path of 255 characters
    // The code page's own upper-casing, when handed in, folds what A to Z
    // alone does not: \xE9 and \xC9 are one letter in Latin-1.
    unsigned char latin1[256];
    for (int c = 0; c < 256; ++c)
        latin1[c] =
            static_cast<unsigned char>((c >= 'a' && c <= 'z') || (c >= 0xE0 && c != 0xF7 && c != 0xFF) ? c - 0x20 : c);
    // clang-format off
    const struct { std::string stored, listing, expected, why; const unsigned char* upperCase = nullptr; } rows[] = {
        {"\xE9t\xE9 b", "b \xC9T\xC9", "\xE9t\xE9 b", "the code page's fold", latin1}, {"\xE9t\xE9 b", "b \xC9T\xC9", "b \xC9T\xC9", "A to Z alone"},
        {"c gone a", "a z c b", "c a z b", "order kept, vanished dropped, new ones appended as listed"}, {"c a", "", "", "all vanished"},
        {"", Names("f", 0, 16), Names("f", 0, 15), "fifteen at most"}, {Names("f", 0, 15), Names("f", 0, 16), Names("f", 0, 15), "the sixteenth waits"},
        {Names("f", 0, 15), Names("f", 1, 16), Names("f", 1, 16), "until a place is free"}, {"a[1]", "a{1}", "a{1}", "only letters fold"},
        {"Appz b", "b APPZ", "Appz b", "names match without case, the stored spelling stays"}, {"", "n N", "n", "none added twice"},
        {"D:\\Old\\3\\x", "new x", "D:\\Old\\3\\x new", "a moved folder keeps the old paths"}, {"bare", "BARE", "bare", "a stored path without a backslash is all name"},
        {"a E:\\else\\A b", "a", "a E:\\else\\A", "duplicates are all kept"}, {"", "tapdeck.dat .hidden TAPDECK.DAT", "TAPDECK.DAT", "the item file, so spelled, and dot-files"},
        {"", fits + "x " + fits, fits, "a path that would not fit is not recorded"}, {Names("old", 0, 16), Names("new", 0, 40), Names("new", 0, 15), "the listing stops when the work is full"}};
    // clang-format on
    for (const auto& row : rows)
        EXPECT_EQ(Rescan(row.stored, row.listing, row.upperCase), Encode(row.expected)) << row.why;
}

Bytes File(int32_t count, int records, size_t extra = 0, char magic = '1') {
    Bytes bytes = {'Z', 'T', 'D', static_cast<unsigned char>(magic)};
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<unsigned char>(static_cast<uint32_t>(count) >> (8 * i)));
    bytes.resize(bytes.size() + records * item_file::kRecordSize + extra, 'p');  // no terminator anywhere
    return bytes;
}

TEST(ItemFileCodec, Table) {
    Bytes one = Encode("C:\\x");  // the path 8 bytes into the record, after the icon handles
    EXPECT_EQ(std::to_string(one.size()) + (reinterpret_cast<const char*>(one.data()) + 16), "336C:\\x");
    EXPECT_TRUE(Bytes(one.begin(), one.begin() + 8) == File(1, 0) && Encode("") == File(0, 0));
    // Only whole records count, whatever the stored count; DecodeFirstItem
    // gives their count, or 1 with the empty-folder record.
    // clang-format off
    const struct { Bytes bytes; int records, first; } rows[] = {{File(2, 2), 2, 2}, {File(INT32_MIN, 1), 0, 1}, {File(100, 3), 3, 3}, {File(3, 2, 327), 2, 2},
        {File(17, 17), 16, 17}, {File(0, 2), 0, 1}, {File(1, 1, 0, '2'), 0, 1}, {Bytes{'Z', 'T', 'D'}, 0, 1}, {File(1, 0, 327), 0, 1}};
    // clang-format on
    for (const auto& row : rows) {
        ItemRecord records[item_file::kMaxStoredRead], first;
        memset(&first, 'z', sizeof first);
        ASSERT_EQ(DecodeStoredRecords(row.bytes.data(), row.bytes.size(), records), row.records) << &row - rows;
        size_t read = std::min<size_t>(row.bytes.size(), 336);
        EXPECT_EQ(DecodeFirstItem(row.bytes.data(), read, row.bytes.size(), &first), row.first) << &row - rows;
        EXPECT_EQ(row.records == 0 ? first.label : std::to_string(strlen(first.path)),
                  row.records == 0 ? "ERROR, Empty folder!" : "255");
    }
}

TEST(LauncherValues, FolderPathsOfAProgramInADriveRoot) {
    FolderPaths paths;
    ASSERT_TRUE(MakeFolderPaths("C:", 0, &paths));
    EXPECT_STREQ(paths.itemFile, "C:\\0\\tapdeck.dat");
    EXPECT_STREQ(paths.newItemFile, "C:\\0\\.tapdeck.new");
    EXPECT_STREQ(paths.pattern, "C:\\0\\*.*");
    EXPECT_STREQ(paths.prefix, "C:\\0\\");
}

TEST(LauncherValues, FolderPathsFitOrAreRefused) {
    std::string longest(kPathSize - sizeof "\\15\\.tapdeck.new", 'b');  // the longest path, 255 characters
    FolderPaths paths;
    char settings[kPathSize];
    EXPECT_TRUE(MakeFolderPaths(longest.c_str(), 15, &paths));
    EXPECT_TRUE(MakeSettingsPath(longest.c_str(), settings));
    EXPECT_FALSE(MakeFolderPaths((longest + "b").c_str(), 15, &paths));
}

}  // namespace

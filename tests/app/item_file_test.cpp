#include "app/item_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "app/item_names.h"
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

// The paths an item file holds, those in kPrefix by their names alone.
std::string Decode(const Bytes& bytes) {
    ItemRecord records[item_file::kMaxStoredRead];
    std::string names;
    for (int i = 0, count = DecodeStoredRecords(bytes.data(), bytes.size(), records); i < count; ++i) {
        std::string path = records[i].path;
        names += (names.empty() ? "" : " ") + (path.rfind(kPrefix, 0) == 0 ? path.substr(kPrefix.size()) : path);
    }
    return names;
}

// One rescan as the launcher runs it, from the stored file to the one it
// writes, given the listing's names in order.
std::string Rescan(const std::string& stored, const std::string& listing, const unsigned char* upperCase) {
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
    return Decode(bytes);
}

std::string Names(const char* stem, int from, int to) {
    std::string names;
    for (int i = from; i < to; ++i)
        names += (names.empty() ? "" : " ") + (stem + std::to_string(i));
    return names;
}

TEST(ItemMerge, StoredOrderMergedWithTheListing) {
    std::string fits(255 - kPrefix.size(), 'n');  // a full path of 255 characters
    // The code page's own upper-casing, when handed in, folds what A to Z
    // alone does not: \xE9 and \xC9 are one letter in Latin-1.
    unsigned char latin1[256];
    for (int c = 0; c < 256; ++c)
        latin1[c] =
            static_cast<unsigned char>((c >= 'a' && c <= 'z') || (c >= 0xE0 && c != 0xF7 && c != 0xFF) ? c - 0x20 : c);
    const std::tuple<const char*, std::string, std::string, std::string, const unsigned char*> rows[] = {
        {"order kept, vanished dropped, new ones appended", "c gone a", "a z c b", "c a z b", nullptr},
        {"fifteen at most", "", Names("f", 0, 16), Names("f", 0, 15), nullptr},
        {"the sixteenth waits", Names("f", 0, 15), Names("f", 0, 16), Names("f", 0, 15), nullptr},
        {"until a place is free", Names("f", 0, 15), Names("f", 1, 16), Names("f", 1, 16), nullptr},
        {"the stored spelling stays", "Appz b", "b APPZ", "Appz b", nullptr},
        {"the code page's fold", "\xE9t\xE9 b", "b \xC9T\xC9", "\xE9t\xE9 b", latin1},
        {"A to Z alone", "\xE9t\xE9 b", "b \xC9T\xC9", "b \xC9T\xC9", nullptr},
        {"a moved folder keeps the old paths", "D:\\Old\\3\\x", "new x", "D:\\Old\\3\\x new", nullptr},
        {"duplicates are all kept", "a E:\\else\\A b", "a", "a E:\\else\\A", nullptr},
        {"the item file, so spelled, and dot-files", "", "tapdeck.dat .hidden TAPDECK.DAT", "TAPDECK.DAT", nullptr},
        {"a path that would not fit", "", fits + "x " + fits, fits, nullptr},
        {"the listing stops when the work is full", Names("old", 0, 16), Names("new", 0, 40), Names("new", 0, 15),
         nullptr},
    };
    for (const auto& [name, stored, listing, expected, upperCase] : rows)
        EXPECT_EQ(Rescan(stored, listing, upperCase), expected) << name;
}

Bytes File(int32_t count, int records, size_t extra = 0, char magic = '1') {
    Bytes bytes = {'Z', 'T', 'D', static_cast<unsigned char>(magic)};
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<unsigned char>(static_cast<uint32_t>(count) >> (8 * i)));
    bytes.resize(bytes.size() + records * item_file::kRecordSize + extra, 'p');  // no terminator anywhere
    return bytes;
}

// Only whole records count, whatever the stored count; the first item is
// the empty-folder record when there is none.
TEST(ItemFileCodec, OnlyWholeRecordsCount) {
    const std::tuple<const char*, Bytes, int, int> rows[] = {
        {"two of two", File(2, 2), 2, 2},
        {"a negative count", File(INT32_MIN, 1), 0, 1},
        {"more counted than there are", File(100, 3), 3, 3},
        {"more than a rescan reads", File(17, 17), 16, 17},
        {"another magic", File(1, 1, 0, '2'), 0, 1},
        {"no whole header", Bytes{'Z', 'T', 'D'}, 0, 1},
        {"no whole first record", File(1, 0, 327), 0, 1},
    };
    for (const auto& [name, bytes, wholeRecords, firstResult] : rows) {
        ItemRecord records[item_file::kMaxStoredRead], first;
        memset(&first, 'z', sizeof first);
        ASSERT_EQ(DecodeStoredRecords(bytes.data(), bytes.size(), records), wholeRecords) << name;
        size_t read = std::min<size_t>(bytes.size(), 336);
        EXPECT_EQ(DecodeFirstItem(bytes.data(), read, bytes.size(), &first), firstResult) << name;
        if (wholeRecords == 0)
            EXPECT_STREQ(first.label, "ERROR, Empty folder!") << name;
        else
            EXPECT_EQ(strlen(first.path), 255u) << name;  // ended within its field
    }
}

TEST(LauncherValues, FolderPaths) {
    FolderPaths paths;
    ASSERT_TRUE(MakeFolderPaths("C:", 0, &paths));  // a program in a drive's root
    EXPECT_STREQ(paths.itemFile, "C:\\0\\tapdeck.dat");
    EXPECT_STREQ(paths.newItemFile, "C:\\0\\.tapdeck.new");
    EXPECT_STREQ(paths.pattern, "C:\\0\\*.*");
    EXPECT_STREQ(paths.prefix, "C:\\0\\");
    std::string longest(kPathSize - sizeof "\\15\\.tapdeck.new", 'b');  // the longest path, 255 characters
    char settings[kPathSize];
    EXPECT_TRUE(MakeFolderPaths(longest.c_str(), 15, &paths));
    EXPECT_TRUE(MakeSettingsPath(longest.c_str(), settings));
    EXPECT_FALSE(MakeFolderPaths((longest + "b").c_str(), 15, &paths));
}

TEST(LauncherValues, SettingsWordChoosesTheIconSize) {
    const std::tuple<const char*, uint32_t, int, int> rows[] = {
        {"no settings file", kDefaultSettings, 32, 6},
        {"bit 0 clear", 2, 16, 8},
    };
    for (const auto& [name, settings, icon, gap] : rows) {
        ApplySettingsWord(settings);
        EXPECT_EQ(iconSize, icon) << name;
        EXPECT_EQ(rowGap, gap) << name;
    }
}

}  // namespace

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

// Paths as the rows write them: a name without a backslash lies in kPrefix.
std::vector<std::string> Split(const std::string& names) {
    std::vector<std::string> paths;
    std::istringstream words(names);
    for (std::string word; words >> word;)
        paths.push_back(word.find('\\') == std::string::npos ? kPrefix + word : word);
    return paths;
}

Bytes Encode(const std::vector<std::string>& paths) {
    std::vector<ItemRecord> records(paths.size());
    for (size_t i = 0; i < paths.size(); ++i) {
        memset(&records[i], 0, sizeof records[i]);
        strncpy(records[i].path, paths[i].c_str(), sizeof records[i].path - 1);
    }
    Bytes bytes(item_file::kMaxFileSize);
    bytes.resize(EncodeItemFile(records.data(), static_cast<int>(records.size()), bytes.data()));
    return bytes;
}

std::string Decode(const Bytes& bytes) {
    ItemRecord records[item_file::kMaxStoredRead];
    int count = DecodeStoredRecords(bytes.data(), bytes.size(), records);
    std::string paths;
    for (int i = 0; i < count; ++i)
        paths += (i > 0 ? " " : "") + std::string(records[i].path);
    return paths;
}

// One rescan as the launcher runs it, from the stored file to the rewritten one.
std::string Rescan(const std::vector<std::string>& stored, const std::vector<std::string>& listing) {
    Bytes bytes = Encode(stored);
    ItemRecord records[item_file::kMaxStoredRead];
    static ItemMerge merge;
    BeginMerge(&merge, records, DecodeStoredRecords(bytes.data(), bytes.size(), records));
    for (const std::string& name : listing) {
        if (!MergeListedName(&merge, kPrefix.c_str(), name.c_str()))
            break;
    }
    ItemRecord present[item_file::kMaxItems];
    int written = FinishMerge(&merge, present);
    for (int i = 0; i < written; ++i)
        EXPECT_TRUE(present[i].icon == 0 && present[i].highlightIcon == 0 && present[i].label[0] == '\0');
    bytes.resize(item_file::kMaxFileSize);
    bytes.resize(EncodeItemFile(present, written, bytes.data()));
    return Decode(bytes);
}

std::string Names(const char* stem, int from, int to) {
    std::string names;
    for (int i = from; i < to; ++i)
        names += std::string(" ") + stem + std::to_string(i);
    return names;
}

TEST(ItemMerge, Table) {
    std::string fits(255 - kPrefix.size(), 'n');  // a full path of 255 characters
    const struct {
        std::string stored, listing, expected, why;
    } rows[] = {
        {"c gone a", "a z c b", "c a z b", "order kept, vanished dropped, new ones appended as listed"},
        {"", "", "", "empty"},
        {"c a", "", "", "all vanished"},
        {"", Names("f", 0, 16), Names("f", 0, 15), "fifteen at most"},
        {Names("f", 0, 15), Names("f", 0, 16), Names("f", 0, 15), "the sixteenth still waits"},
        {Names("f", 0, 15), Names("f", 1, 16), Names("f", 1, 16), "and moves up when a place is free"},
        {"App b", "b APP", "App b", "names match without case, the stored spelling stays"},
        {"a[1]", "a{1}", "a{1}", "only letters fold"},
        {"D:\\Old\\3\\x", "new x", "D:\\Old\\3\\x new", "a moved folder keeps the old paths"},
        {"bare", "BARE", "bare", "a stored path without a backslash is all name"},
        {"a E:\\else\\A b", "a", "a E:\\else\\A", "duplicates are all kept"},
        {"", "n N", "n", "nothing is added twice"},
        {"", "tapdeck.dat .hidden TAPDECK.DAT", "TAPDECK.DAT", "the item file, so spelled, and dot-files"},
        {"", fits + "x " + fits, fits, "a path that would not fit is not recorded"},
        {Names("old", 0, 16), Names("new", 0, 40), Names("new", 0, 15), "the listing stops when the work is full"},
    };
    for (const auto& row : rows) {
        std::vector<std::string> listing;
        std::istringstream words(row.listing);
        for (std::string word; words >> word;)
            listing.push_back(word);
        EXPECT_EQ(Rescan(Split(row.stored), listing), Decode(Encode(Split(row.expected)))) << row.why;
    }
}

Bytes File(int32_t count, int records, size_t extra = 0, char magic = '1') {
    Bytes bytes = {'Z', 'T', 'D', static_cast<unsigned char>(magic)};
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<unsigned char>(static_cast<uint32_t>(count) >> (8 * i)));
    bytes.resize(bytes.size() + records * item_file::kRecordSize + extra, 'p');  // no terminator anywhere
    return bytes;
}

TEST(ItemFileCodec, Table) {
    Bytes one = Encode({"C:\\x"});
    ASSERT_EQ(one.size(), 8u + 328u);
    EXPECT_EQ(Bytes(one.begin(), one.begin() + 8), File(1, 0));
    EXPECT_STREQ(reinterpret_cast<const char*>(one.data()) + 16, "C:\\x");
    EXPECT_EQ(Encode({}), File(0, 0));

    Bytes cutHeader = File(1, 0);
    cutHeader.pop_back();
    const struct {
        Bytes bytes;
        int records;  // only whole records really read count, whatever the stored count
        int first;    // DecodeFirstItem: the items counted, or 1 with the empty-folder record
    } rows[] = {
        {File(2, 2), 2, 2},         {File(-1, 2), 0, 1},          {File(INT32_MIN, 1), 0, 1}, {File(100, 3), 3, 3},
        {File(3, 2, 327), 2, 2},    {File(17, 17), 16, 17},       {File(1, 0), 0, 1},         {File(0, 2), 0, 1},
        {File(1, 1, 0, '2'), 0, 1}, {Bytes{'Z', 'T', 'D'}, 0, 1}, {cutHeader, 0, 1},          {File(1, 0, 327), 0, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.bytes.size());
        ItemRecord records[item_file::kMaxStoredRead];
        ASSERT_EQ(DecodeStoredRecords(row.bytes.data(), row.bytes.size(), records), row.records);
        for (int i = 0; i < row.records; ++i)  // strings end within their fields
            EXPECT_TRUE(strlen(records[i].path) == 255 && strlen(records[i].label) == 63);
        ItemRecord first;
        memset(&first, 'z', sizeof first);
        EXPECT_EQ(DecodeFirstItem(row.bytes.data(), std::min<size_t>(row.bytes.size(), 336), row.bytes.size(), &first),
                  row.first);
        EXPECT_EQ(first.path[0] == '\0' ? std::string(first.label) : std::to_string(strlen(first.path)),
                  row.records == 0 ? "ERROR, Empty folder!" : "255");
    }
}

TEST(LauncherValues, FolderPathsAndSettings) {
    FolderPaths paths;
    ASSERT_TRUE(MakeFolderPaths("C:", 0, &paths));  // a program in a drive's root
    EXPECT_EQ(std::string(paths.itemFile) + " " + paths.pattern + " " + paths.prefix,
              "C:\\0\\tapdeck.dat C:\\0\\*.* C:\\0\\");
    std::string base(256 - sizeof "\\15\\tapdeck.dat", 'b');  // just fits
    EXPECT_TRUE(MakeFolderPaths(base.c_str(), 15, &paths));
    EXPECT_STREQ(paths.itemFile, (base + "\\15\\tapdeck.dat").c_str());
    EXPECT_FALSE(MakeFolderPaths((base + "b").c_str(), 15, &paths));
    char settings[kPathSize];
    EXPECT_TRUE(MakeSettingsPath(base.c_str(), settings));
    ApplySettingsWord(2);
    EXPECT_EQ(iconSize * 100 + rowGap, 1608);
    ApplySettingsWord(kDefaultSettings);
    EXPECT_EQ(iconSize * 100 + rowGap, 3206);
}

}  // namespace

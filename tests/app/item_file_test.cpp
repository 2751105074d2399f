#include "app/item_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/launcher_values.h"

namespace {

using Paths = std::vector<std::string>;
using Bytes = std::vector<unsigned char>;

const char kPrefix[] = "C:\\Apps\\Tapdeck\\3\\";

ItemRecord Record(const std::string& path) {
    ItemRecord record;
    memset(&record, 0, sizeof record);
    strncpy(record.path, path.c_str(), sizeof record.path - 1);
    return record;
}

Bytes Encode(const Paths& paths) {
    std::vector<ItemRecord> records;
    for (const std::string& p : paths)
        records.push_back(Record(p));
    Bytes bytes(item_file::kMaxFileSize);
    bytes.resize(EncodeItemFile(records.data(), static_cast<int>(records.size()), bytes.data()));
    return bytes;
}

Paths Decode(const Bytes& bytes) {
    ItemRecord records[item_file::kMaxStoredRead];
    int count = DecodeStoredRecords(bytes.data(), bytes.size(), records);
    Paths paths;
    for (int i = 0; i < count; ++i)
        paths.push_back(records[i].path);
    return paths;
}

// One rescan as the launcher runs it, from the stored file to the rewritten one.
Bytes Rescan(const Bytes& stored, const Paths& listing, const char* prefix = kPrefix) {
    ItemRecord records[item_file::kMaxStoredRead];
    int count = DecodeStoredRecords(stored.data(), stored.size(), records);
    static ItemMerge merge;
    BeginMerge(&merge, records, count);
    for (const std::string& name : listing) {
        if (!MergeListedName(&merge, prefix, name.c_str()))
            break;
    }
    ItemRecord present[item_file::kMaxItems];
    int written = FinishMerge(&merge, present);
    for (int i = 0; i < written; ++i) {
        EXPECT_EQ(present[i].icon, 0u);
        EXPECT_EQ(present[i].highlightIcon, 0u);
        EXPECT_EQ(present[i].label[0], '\0');
    }
    Bytes bytes(item_file::kMaxFileSize);
    bytes.resize(EncodeItemFile(present, written, bytes.data()));
    return bytes;
}

Paths RescanPaths(const Paths& stored, const Paths& listing) {
    return Decode(Rescan(Encode(stored), listing));
}

std::string In(const std::string& name) {
    return kPrefix + name;
}

TEST(ItemMerge, KeepsTheOrderDropsVanishedFilesAndAppendsNewOnesInListingOrder) {
    Paths stored = {In("c.lnk"), In("gone.lnk"), In("a.lnk")};
    Paths listing = {"a.lnk", "z.txt", "c.lnk", "b.doc"};
    EXPECT_EQ(RescanPaths(stored, listing), (Paths{In("c.lnk"), In("a.lnk"), In("z.txt"), In("b.doc")}));
    EXPECT_EQ(RescanPaths({}, {}), Paths{});
    EXPECT_EQ(RescanPaths(stored, {}), Paths{});
}

TEST(ItemMerge, FifteenItemsAtMostAndTheSixteenthWaitsForAFreePlace) {
    Paths listing;
    for (int i = 0; i < 16; ++i)
        listing.push_back("f" + std::to_string(i) + ".lnk");
    Paths first = RescanPaths({}, listing);
    ASSERT_EQ(first.size(), 15u);
    EXPECT_EQ(first.back(), In("f14.lnk"));
    EXPECT_EQ(RescanPaths(first, listing), first);  // still never recorded

    listing.erase(listing.begin() + 3);  // f3 deleted
    Paths after = RescanPaths(first, listing);
    ASSERT_EQ(after.size(), 15u);
    EXPECT_EQ(after[3], In("f4.lnk"));
    EXPECT_EQ(after.back(), In("f15.lnk"));
}

TEST(ItemMerge, MatchesFileNamesWithoutCaseAndKeepsTheStoredPath) {
    // A case-only rename keeps the item's place and its former spelling.
    Paths stored = {In("App.lnk"), In("b.lnk")};
    EXPECT_EQ(RescanPaths(stored, {"b.lnk", "APP.LNK"}), stored);
    // Only ASCII letters fold: brackets and braces stay distinct names.
    EXPECT_EQ(RescanPaths({In("a[1].txt")}, {"a{1}.txt"}), (Paths{In("a{1}.txt")}));
}

TEST(ItemMerge, AMovedProgramFolderKeepsOldPathsAndGivesNewFilesTheNewOne) {
    Paths stored = {"D:\\Old\\3\\x.lnk"};
    EXPECT_EQ(RescanPaths(stored, {"new.lnk", "x.lnk"}), (Paths{"D:\\Old\\3\\x.lnk", In("new.lnk")}));
    // A stored path without any backslash is all file name.
    EXPECT_EQ(RescanPaths({"bare.lnk"}, {"BARE.lnk"}), (Paths{"bare.lnk"}));
}

TEST(ItemMerge, DuplicatesAreAllKeptAndNothingIsAddedTwice) {
    Paths stored = {In("a.lnk"), "E:\\elsewhere\\A.LNK", In("b.lnk")};
    EXPECT_EQ(RescanPaths(stored, {"a.lnk"}), (Paths{In("a.lnk"), "E:\\elsewhere\\A.LNK"}));
    // Two spellings in one listing: the second matches the record the first added.
    EXPECT_EQ(RescanPaths({}, {"n.lnk", "N.LNK"}), (Paths{In("n.lnk")}));
}

TEST(ItemMerge, TheItemFileAndDotFilesAreNoItems) {
    EXPECT_EQ(RescanPaths({}, {"tapdeck.dat", ".hidden", ".", "TAPDECK.DAT"}), (Paths{In("TAPDECK.DAT")}));
    EXPECT_EQ(RescanPaths({}, {"Tapdeck.dat"}), (Paths{In("Tapdeck.dat")}));
}

TEST(ItemMerge, AFileWhosePathWouldNotFitIsNotRecorded) {
    std::string prefix = kPrefix;
    std::string fits(255 - prefix.size(), 'n');  // the full path takes 255 characters
    Paths result = RescanPaths({}, {fits + "x", fits});
    EXPECT_EQ(result, (Paths{In(fits)}));
}

TEST(ItemMerge, ListingStopsWhenTheWorkingArrayIsFull) {
    // 16 stored records whose files are gone leave room for 16 new files.
    Paths stored;
    for (int i = 0; i < 16; ++i)
        stored.push_back(In("old" + std::to_string(i)));
    ItemRecord records[16];
    for (int i = 0; i < 16; ++i)
        records[i] = Record(stored[i]);
    static ItemMerge merge;
    BeginMerge(&merge, records, 16);
    int taken = 0;
    for (int i = 0; i < 40; ++i, ++taken) {
        if (!MergeListedName(&merge, kPrefix, ("new" + std::to_string(i)).c_str())) {
            ++taken;
            break;
        }
    }
    EXPECT_EQ(taken, 16);
    EXPECT_EQ(merge.count, item_file::kWorkingCapacity);
}

Bytes Header(int32_t count) {
    Bytes bytes = {'Z', 'T', 'D', '1', 0, 0, 0, 0};
    uint32_t bits = static_cast<uint32_t>(count);
    for (int i = 0; i < 4; ++i)
        bytes[4 + i] = static_cast<unsigned char>(bits >> (8 * i));
    return bytes;
}

Bytes WithRecords(Bytes bytes, int records, char fill = 'p') {
    for (int r = 0; r < records; ++r) {
        Bytes record(item_file::kRecordSize, static_cast<unsigned char>(fill));  // no terminator anywhere
        bytes.insert(bytes.end(), record.begin(), record.end());
    }
    return bytes;
}

TEST(ItemFileCodec, LayoutIsMagicCountAndRecords) {
    Bytes bytes = Encode({"C:\\x"});
    ASSERT_EQ(bytes.size(), 8u + 328u);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 8), Header(1));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data()) + 16), "C:\\x");
    EXPECT_EQ(Encode({}), Header(0));
}

TEST(ItemFileCodec, OnlyWholeRecordsReallyReadCountWhateverTheStoredCount) {
    const struct {
        int32_t stored;
        int present;  // whole records in the file
        size_t extraBytes;
        int expected;
    } rows[] = {
        {2, 2, 0, 2},    {-1, 2, 0, 0},   {INT32_MIN, 1, 0, 0}, {100, 3, 0, 3}, {3, 2, 327, 2},
        {17, 17, 0, 16}, {16, 16, 0, 16}, {1, 0, 0, 0},         {0, 2, 0, 0},
    };
    for (const auto& row : rows) {
        Bytes bytes = WithRecords(Header(row.stored), row.present);
        bytes.resize(bytes.size() + row.extraBytes, 'q');
        EXPECT_EQ(Decode(bytes).size(), static_cast<size_t>(row.expected)) << row.stored << "/" << row.present;
    }
    EXPECT_TRUE(Decode(Bytes{'Z', 'T', 'D'}).empty());
    EXPECT_TRUE(Decode(Bytes{'Z', 'T', 'D', '1', 5}).empty());  // the count itself is cut
    EXPECT_TRUE(Decode(WithRecords({'Z', 'T', 'D', '2', 1, 0, 0, 0}, 1)).empty());
}

TEST(ItemFileCodec, StringsEndWithinTheirFields) {
    Bytes bytes = WithRecords(Header(1), 1);
    ItemRecord records[item_file::kMaxStoredRead];
    ASSERT_EQ(DecodeStoredRecords(bytes.data(), bytes.size(), records), 1);
    EXPECT_EQ(strlen(records[0].path), 255u);
    EXPECT_EQ(strlen(records[0].label), 63u);
}

TEST(FirstItem, TheFirstWholeRecordOrTheEmptyFolderRecord) {
    auto first = [](const Bytes& bytes, uint64_t fileSize, ItemRecord* out) {
        return DecodeFirstItem(bytes.data(), bytes.size(), fileSize, out);
    };
    ItemRecord out;
    Bytes two = Encode({"C:\\one", "C:\\two"});
    EXPECT_EQ(first(Bytes(two.begin(), two.begin() + 336), two.size(), &out), 2);
    EXPECT_STREQ(out.path, "C:\\one");

    Bytes cutHeader = Header(1);
    cutHeader.pop_back();
    Bytes cutRecord = WithRecords(Header(1), 1);
    cutRecord.pop_back();
    const Bytes noItem[] = {Header(0),
                            Header(3),
                            cutHeader,
                            cutRecord,
                            WithRecords(Header(0), 1),
                            WithRecords(Header(-4), 1),
                            WithRecords(Bytes(8, 'x'), 1)};
    for (const Bytes& bytes : noItem) {
        memset(&out, 'z', sizeof out);
        EXPECT_EQ(first(bytes, bytes.size(), &out), 1);
        EXPECT_STREQ(out.path, "");
        EXPECT_STREQ(out.label, "ERROR, Empty folder!");
    }

    // A count beyond the file's records is cut to them; the strings are bounded.
    Bytes bytes = WithRecords(Header(9), 1);
    EXPECT_EQ(first(bytes, bytes.size() + 328 + 100, &out), 2);
    EXPECT_EQ(strlen(out.path), 255u);
}

TEST(LauncherValues, FolderPathsAndSettings) {
    FolderPaths paths;
    ASSERT_TRUE(MakeFolderPaths("C:", 0, &paths));  // a program in a drive's root
    EXPECT_STREQ(paths.itemFile, "C:\\0\\tapdeck.dat");
    EXPECT_STREQ(paths.pattern, "C:\\0\\*.*");
    EXPECT_STREQ(paths.prefix, "C:\\0\\");
    ASSERT_TRUE(MakeFolderPaths("D:\\Tapdeck", 15, &paths));
    EXPECT_STREQ(paths.itemFile, "D:\\Tapdeck\\15\\tapdeck.dat");

    std::string base(256 - sizeof "\\15\\tapdeck.dat", 'b');  // just fits
    EXPECT_TRUE(MakeFolderPaths(base.c_str(), 15, &paths));
    EXPECT_FALSE(MakeFolderPaths((base + "b").c_str(), 15, &paths));
    char settings[kPathSize];
    EXPECT_TRUE(MakeSettingsPath(base.c_str(), settings));

    ApplySettingsWord(2);
    EXPECT_EQ(iconSize, 16);
    EXPECT_EQ(rowGap, 8);
    ApplySettingsWord(kDefaultSettings);
    EXPECT_EQ(iconSize, 32);
    EXPECT_EQ(rowGap, 6);
}

}  // namespace

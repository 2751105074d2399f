#include "app/folder_store.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "app/launcher_values.h"
#include "tests/support/message_boxes.h"
#include "tests/support/scratch_folder.h"
#include "util/bounded_text.h"

namespace {

using testing_support::MessageBoxRecorder;
using testing_support::ReadWholeFile;
using testing_support::ScratchFolder;

// A scratch program folder: baseDir points at it for the test.
class FolderStoreTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(CopyText(baseDir, sizeof baseDir, scratch_.Path().c_str())); }

    std::string Folder(int k) const { return scratch_ / std::to_string(k); }
    std::string ItemFile(int k) const { return Folder(k) + "\\tapdeck.dat"; }
    void Touch(int k, const std::string& name) const { scratch_.WriteFile(std::to_string(k) + "\\" + name, "x"); }

    std::vector<std::string> Rescan(int k) {
        ItemRecord out[15];
        memset(out, 'z', sizeof out);
        int count = RescanFolder(k, out);
        std::vector<std::string> names;
        for (int i = 0; i < count; ++i) {
            EXPECT_EQ(out[i].icon, 0u);
            EXPECT_EQ(out[i].highlightIcon, 0u);
            names.push_back(std::string(out[i].path).substr(Folder(k).size() + 1));
        }
        return names;
    }

    ScratchFolder scratch_;
    MessageBoxRecorder boxes_;
};

using Names = std::vector<std::string>;

TEST_F(FolderStoreTest, RescanRecordsFilesInOrderAndRewritesTheItemFile) {
    scratch_.MakeFolder("0");
    Touch(0, "b.lnk");
    Touch(0, "a.txt");
    scratch_.MakeFolder("0\\sub");  // folders are never items
    Touch(0, ".hidden");
    Names first = Rescan(0);
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(ReadWholeFile(ItemFile(0)).size(), 8u + 2 * 328u);

    // The recorded order survives; a new file goes to the end, a deleted one goes.
    Touch(0, "0-first-in-listing.lnk");
    DeleteFileA((Folder(0) + "\\" + first[0]).c_str());
    EXPECT_EQ(Rescan(0), (Names{first[1], "0-first-in-listing.lnk"}));
    EXPECT_EQ(RescanFolder(0, nullptr), 2);
    EXPECT_TRUE(boxes_.Boxes().empty());
}

TEST_F(FolderStoreTest, AnEmptyFolderGetsAnEightByteFileAndTheEmptyFolderRecord) {
    scratch_.MakeFolder("0");
    EXPECT_EQ(RescanFolder(0, nullptr), 0);
    EXPECT_EQ(ReadWholeFile(ItemFile(0)), std::string("ZTD1\0\0\0\0", 8));
    ItemRecord first;
    EXPECT_EQ(ReadFirstItem(0, &first), 1);
    EXPECT_STREQ(first.path, "");
    EXPECT_STREQ(first.label, "ERROR, Empty folder!");
    EXPECT_TRUE(boxes_.Boxes().empty());  // a new, empty item file is no foreign file
}

TEST_F(FolderStoreTest, MissingOrHeldFoldersCountAsAbsent) {
    ItemRecord first;
    memset(&first, 'u', sizeof first);
    EXPECT_EQ(RescanFolder(4, nullptr), 0);
    EXPECT_EQ(ReadFirstItem(4, &first), 0);
    EXPECT_EQ(first.path[0], 'u');  // untouched
    EXPECT_FALSE(testing_support::FolderExists(Folder(4)));

    scratch_.MakeFolder("1");
    Touch(1, "app.lnk");
    ASSERT_EQ(RescanFolder(1, nullptr), 1);
    std::string before = ReadWholeFile(ItemFile(1));
    HANDLE other = CreateFileA(ItemFile(1).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    Touch(1, "new.lnk");
    EXPECT_EQ(RescanFolder(1, nullptr), 0);
    EXPECT_EQ(ReadFirstItem(1, &first), 0);
    CloseHandle(other);
    EXPECT_EQ(ReadWholeFile(ItemFile(1)), before);
    EXPECT_EQ(RescanFolder(1, nullptr), 2);
}

TEST_F(FolderStoreTest, AnItemFileInOtherLetterCaseIsItselfAnItem) {
    scratch_.MakeFolder("2");
    scratch_.WriteFile("2\\TAPDECK.DAT", "");
    Touch(2, "x.lnk");
    Names names = Rescan(2);
    EXPECT_EQ(names.size(), 2u);
    EXPECT_NE(std::find(names.begin(), names.end(), "TAPDECK.DAT"), names.end());
    EXPECT_TRUE(boxes_.Boxes().empty());
}

TEST_F(FolderStoreTest, AForeignFileIsRebuiltWithOneWarning) {
    scratch_.MakeFolder("3");
    Touch(3, "doc.txt");
    scratch_.WriteFile("3\\tapdeck.dat", "not an item file at all");
    EXPECT_EQ(Rescan(3), (Names{"doc.txt"}));
    ASSERT_EQ(boxes_.Boxes().size(), 1u);
    EXPECT_EQ(boxes_.Boxes()[0].text, "Invalid .dat file, new file created");
    EXPECT_EQ(boxes_.Boxes()[0].caption, "Warning");
    EXPECT_EQ(boxes_.Boxes()[0].style, static_cast<UINT>(MB_OK | MB_ICONWARNING));
    EXPECT_EQ(ReadWholeFile(ItemFile(3)).substr(0, 8), std::string("ZTD1\1\0\0\0", 8));

    EXPECT_EQ(Rescan(3), (Names{"doc.txt"}));
    EXPECT_EQ(boxes_.Boxes().size(), 1u);
}

TEST_F(FolderStoreTest, BadCountsAndCutRecordsNeverReachBeyondTheFile) {
    scratch_.MakeFolder("5");
    Touch(5, "kept.lnk");
    ASSERT_EQ(RescanFolder(5, nullptr), 1);
    std::string valid = ReadWholeFile(ItemFile(5));

    // A count of 1000 over one real record: only that record counts.
    std::string inflated = valid;
    inflated[4] = static_cast<char>(0xE8);
    inflated[5] = 0x03;
    scratch_.WriteFile("5\\tapdeck.dat", inflated);
    ItemRecord first;
    EXPECT_EQ(ReadFirstItem(5, &first), 1);
    EXPECT_EQ(std::string(first.path), Folder(5) + "\\kept.lnk");
    EXPECT_EQ(Rescan(5), (Names{"kept.lnk"}));

    // A record cut short is no record: nothing half-read is ever started.
    scratch_.WriteFile("5\\tapdeck.dat", valid.substr(0, valid.size() - 1));
    EXPECT_EQ(ReadFirstItem(5, &first), 1);
    EXPECT_STREQ(first.path, "");
    EXPECT_STREQ(first.label, "ERROR, Empty folder!");
    EXPECT_TRUE(boxes_.Boxes().empty());
}

TEST_F(FolderStoreTest, SavedItemsAreWrittenAsTheyAreAndReadBackFirst) {
    scratch_.MakeFolder("6");
    ItemRecord items[2];
    memset(items, 0, sizeof items);
    strcpy(items[0].path, "C:\\second-made-first.lnk");
    strcpy(items[0].label, "second-made-first");
    items[0].icon = 0x1234;
    strcpy(items[1].path, "C:\\other.lnk");
    SaveFolderItems(6, items, 2);
    std::string bytes = ReadWholeFile(ItemFile(6));
    ASSERT_EQ(bytes.size(), 8u + 2 * 328u);
    EXPECT_EQ(bytes.substr(0, 8), std::string("ZTD1\2\0\0\0", 8));
    EXPECT_EQ(memcmp(bytes.data() + 8, &items[0], sizeof items), 0);

    ItemRecord first;
    EXPECT_EQ(ReadFirstItem(6, &first), 2);
    EXPECT_STREQ(first.path, "C:\\second-made-first.lnk");

    SaveFolderItems(7, items, 2);  // no folder: nothing written, nothing created
    EXPECT_FALSE(testing_support::FolderExists(Folder(7)));
}

TEST_F(FolderStoreTest, SettingsWordKeepsItsOtherBits) {
    std::string path = scratch_ / "settings.dat";
    EXPECT_EQ(ReadSettings(), 3u);  // missing: big icons
    WriteSettings(0xA5A5A5A4);
    EXPECT_EQ(ReadWholeFile(path), std::string("\xA4\xA5\xA5\xA5", 4));
    EXPECT_EQ(ReadSettings(), 0xA5A5A5A4u);
    WriteSettings(2);
    EXPECT_EQ(ReadSettings(), 2u);
    EXPECT_EQ(ReadWholeFile(path).size(), 4u);
    scratch_.WriteFile("settings.dat", std::string("\x02\x00\x00", 3));
    EXPECT_EQ(ReadSettings(), 3u);  // too short to hold a word
}

}  // namespace

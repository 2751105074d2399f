// The folder store on the prefix's real folders: the rescan as the file
// system lists a folder, and the item file kept whole through a file in use,
// a foreign file and a full disk. The merge's rules have their tables in
// item_file_test.cpp; the journeys keep the settings word over a restart.

#include "app/folder_store.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/launcher_values.h"
#include "tests/support/message_boxes.h"
#include "tests/support/scratch_folder.h"
#include "util/bounded_text.h"

namespace {

using namespace testing_support;
using Names = std::vector<std::string>;

const std::string kEmptyItemFile("ZTD1\0\0\0\0", 8);

// Folder 0 of a base folder, with a record of the boxes shown.
class FolderStoreTest : public ::testing::Test {
protected:
    void Use(const std::string& base) {
        ASSERT_TRUE(CopyText(baseDir, sizeof baseDir, base.c_str()));
        folder_ = base + "\\0";
        CreateDirectoryA(folder_.c_str(), nullptr);
        dat_ = folder_ + "\\tapdeck.dat";
    }
    void SetUp() override { Use(scratch_.Path()); }
    void Add(const std::string& name) {
        CloseHandle(CreateFileA((folder_ + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    // The file names of the items of a rescan of folder 0, in order.
    Names Rescan() {
        ItemRecord out[15];
        Names names;
        for (int i = 0, count = RescanFolder(0, out); i < count; ++i)
            names.push_back(out[i].path + folder_.size() + 1);
        return names;
    }

    ScratchFolder scratch_;
    MessageBoxRecorder boxes_;
    std::string folder_;
    std::string dat_;
};

// The merge's rules have their table; here the listing and the code page's
// own letters. An empty folder gets an empty item file.
TEST_F(FolderStoreTest, RescanRecordsTheFolderInItsOrder) {
    EXPECT_EQ(Rescan(), Names{});
    EXPECT_EQ(ReadWholeFile(dat_), kEmptyItemFile);
    scratch_.MakeFolder("0\\sub");  // folders are no items
    // Renamed in another case of a letter outside ASCII, an item keeps its
    // place. Deleted and made anew, so that the listing names it only in the
    // new spelling (a rename in case alone did not change the listing under Wine).
    Add("\xE9t\xE9.lnk");
    Names before = Rescan();
    DeleteFileA((folder_ + "\\\xE9t\xE9.lnk").c_str());
    Add("\xC9T\xC9.lnk");
    Add("new.lnk");
    before.push_back("new.lnk");
    EXPECT_EQ(Rescan(), before);
}

TEST_F(FolderStoreTest, RescanThatChangesNothingWritesNothing) {
    Add("a.lnk");
    Rescan();
    const FILETIME old = {0x12345678, 0x01D00000};
    HANDLE file = CreateFileA(dat_.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFileTime(file, nullptr, nullptr, &old);
    CloseHandle(file);
    Rescan();
    WIN32_FILE_ATTRIBUTE_DATA now{};
    GetFileAttributesExA(dat_.c_str(), GetFileExInfoStandard, &now);
    EXPECT_EQ(CompareFileTime(&old, &now.ftLastWriteTime), 0);
}

TEST_F(FolderStoreTest, ItemFileInUseMakesTheFolderAbsent) {
    Add("a.lnk");
    Rescan();
    std::string before = ReadWholeFile(dat_);
    DeleteFileA((folder_ + "\\a.lnk").c_str());
    HANDLE other = CreateFileA(dat_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ItemRecord first;
    EXPECT_EQ(RescanFolder(0, nullptr), 0);
    EXPECT_EQ(ReadFirstItem(0, &first), 0);
    CloseHandle(other);
    EXPECT_EQ(ReadWholeFile(dat_), before);
}

TEST_F(FolderStoreTest, ForeignItemFileIsRebuiltWithOneWarningShownOnceItIsClosed) {
    Add("a.lnk");
    scratch_.WriteFile("0\\tapdeck.dat", "not an item file at all");
    // The box's loop lets a tray press rescan the same folder meanwhile.
    int inside = -1;
    boxes_.insideNextBox = [&] { inside = RescanFolder(0, nullptr); };
    EXPECT_EQ(RescanFolder(0, nullptr), 1);
    EXPECT_EQ(inside, 1);
    EXPECT_EQ(RescanFolder(0, nullptr), 1);
    ASSERT_EQ(boxes_.Boxes().size(), 1u);
    EXPECT_EQ(boxes_.Boxes()[0].text, "Invalid .dat file, new file created");
    EXPECT_EQ(boxes_.Boxes()[0].caption, "Warning");
}

// T: is a 64 KiB file system (tools/fault_drive.sh). A merge of fourteen
// items needs two pages of it where the stored file of two held one.
TEST_F(FolderStoreTest, FullDiskKeepsTheStoredOrderWhole) {
    RemoveTree("T:\\0");
    Use("T:");
    Add("b.lnk");
    Add("a.lnk");
    EXPECT_EQ(Rescan().size(), 2u);
    for (char c = 'c'; c < 'o'; ++c)
        Add(std::string(1, c) + ".lnk");
    std::string before = ReadWholeFile(dat_);
    std::string filler = FillDisk("T:");
    EXPECT_EQ(Rescan().size(), 14u);  // the list still shows them all
    ItemRecord items[2] = {};
    EXPECT_FALSE(SaveFolderItems(0, items, 2));
    DeleteFileA(filler.c_str());
    EXPECT_EQ(ReadWholeFile(dat_), before);
    EXPECT_FALSE(FileExists(folder_ + "\\.tapdeck.new"));
    RemoveTree("T:\\0");
}

}  // namespace

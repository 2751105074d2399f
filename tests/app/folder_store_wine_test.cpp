#include "app/folder_store.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/launcher_values.h"
#include "tests/support/message_boxes.h"
#include "tests/support/scratch_folder.h"
#include "util/bounded_text.h"

namespace {

using namespace testing_support;

TEST(FolderStore, RescanSaveAndSettingsWalk) {
    ScratchFolder scratch;
    MessageBoxRecorder boxes;
    ASSERT_TRUE(CopyText(baseDir, sizeof baseDir, scratch.Path().c_str()));
    std::string dat = scratch.MakeFolder("0") + "\\tapdeck.dat";
    // The names of the items a rescan of folder 0 returns, in order.
    auto rescan = [&] {
        ItemRecord out[15];
        std::string names;
        for (int i = 0, count = RescanFolder(0, out); i < count; ++i)
            names += " " + std::string(out[i].path).substr(scratch.Path().size() + 3);
        return names;
    };
    ItemRecord first;
    EXPECT_EQ(rescan(), "");
    EXPECT_EQ(ReadWholeFile(dat), std::string("ZTD1\0\0\0\0", 8));
    for (const char* name : {"0\\b.lnk", "0\\a.txt", "0\\.hidden"})
        scratch.WriteFile(name, "x");
    scratch.MakeFolder("0\\sub");                                    // folders are never items
    EXPECT_EQ(rescan().size(), std::string(" a.txt b.lnk").size());  // in the order listed
    EXPECT_EQ(ReadWholeFile(dat).size(), 8u + 2 * 328u);
    // Renamed in another case of a letter outside ASCII, an item keeps its
    // place. Deleted and made anew, so that the listing names it only in the
    // new spelling (a rename in case alone did not change the listing under Wine).
    scratch.WriteFile("0\\\xE9t\xE9.lnk", "x");
    std::string accented = rescan();
    DeleteFileA((scratch / "0\\\xE9t\xE9.lnk").c_str());
    scratch.WriteFile("0\\\xC9T\xC9.lnk", "x");
    scratch.WriteFile("0\\new.lnk", "x");
    EXPECT_EQ(rescan(), accented + " new.lnk");

    // Held by another: absent, and the file is left as it was.
    std::string before = ReadWholeFile(dat);
    HANDLE other = CreateFileA(dat.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    DeleteFileA((scratch / "0\\new.lnk").c_str());
    EXPECT_EQ(RescanFolder(0, nullptr) + ReadFirstItem(0, &first), 0);
    CloseHandle(other);
    EXPECT_EQ(ReadWholeFile(dat), before);

    scratch.WriteFile("0\\tapdeck.dat", "not an item file at all");
    EXPECT_EQ(RescanFolder(0, nullptr) * 10 + RescanFolder(0, nullptr), 33);  // rebuilt, with one warning
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text + "|" + boxes.Boxes()[0].caption, "Invalid .dat file, new file created|Warning");

    ItemRecord items[2] = {};
    CopyText(items[0].path, sizeof items[0].path, "C:\\made-second.lnk");
    items[0].icon = 0x1234;
    SaveFolderItems(0, items, 2);  // written as they are
    EXPECT_EQ(ReadWholeFile(dat), std::string("ZTD1\2\0\0\0", 8) + std::string(reinterpret_cast<char*>(items), 656));
    EXPECT_EQ(std::to_string(ReadFirstItem(0, &first)) + first.path, "2C:\\made-second.lnk");

    WriteSettings(0xA5A5A5A4);  // the other bits are kept
    EXPECT_EQ(ReadWholeFile(scratch / "settings.dat") + std::to_string(ReadSettings()),
              "\xA4\xA5\xA5\xA5" + std::to_string(0xA5A5A5A4u));
    scratch.WriteFile("settings.dat", std::string("\x02\x00\x00", 3));
    EXPECT_EQ(ReadSettings(), 3u);  // too short to hold a word
}

}  // namespace

#include "util/w_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/scratch_folder.h"

namespace {

using testing_support::ScratchFolder;

// Names until the first null, at most `limit` of them.
std::vector<std::string> Drain(WFileFind& find, size_t limit = 100) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    while (names.size() < limit) {
        const char* name = find.Next(&entry);
        if (name == nullptr)
            break;
        EXPECT_EQ(name, entry.cFileName);
        EXPECT_EQ(find.current, &entry);
        names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(WFileFind, ListsFilesOnlyAndStartsAgainAfterTheEnd) {
    ScratchFolder scratch;
    scratch.WriteFile("b.txt", "");
    scratch.WriteFile(".hidden", "");
    scratch.MakeFolder("sub");
    scratch.WriteFile("sub\\inner.txt", "");
    scratch.WriteFile("a.lnk", "");
    std::string pattern = scratch / "*.*";
    WFileFind find(pattern.c_str());

    const std::vector<std::string> files = {".hidden", "a.lnk", "b.txt"};
    EXPECT_EQ(Drain(find), files);
    EXPECT_EQ(find.findHandle, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Drain(find), files);  // a fresh enumeration from the first file

    // Stopping early keeps the handle, which the destructor releases.
    WIN32_FIND_DATAA entry;
    ASSERT_NE(find.Next(&entry), nullptr);
    EXPECT_NE(find.findHandle, INVALID_HANDLE_VALUE);
}

TEST(WFileFind, FoldersOnlyOrNoFolderGiveNothing) {
    ScratchFolder scratch;
    scratch.MakeFolder("one");
    scratch.MakeFolder("two");
    std::string onlyFolders = scratch / "*.*";
    WFileFind folders(onlyFolders.c_str());
    EXPECT_TRUE(Drain(folders).empty());
    EXPECT_EQ(folders.findHandle, INVALID_HANDLE_VALUE);

    std::string missing = scratch / "absent\\*.*";
    WFileFind absent(missing.c_str());
    WIN32_FIND_DATAA entry;
    EXPECT_EQ(absent.Next(&entry), nullptr);
    EXPECT_EQ(absent.findHandle, INVALID_HANDLE_VALUE);

    // A pattern too long for its buffer finds nothing rather than a cut pattern's files.
    std::string tooLong = scratch.Path() + "\\" + std::string(300, 'x') + "\\*.*";
    WFileFind longFind(tooLong.c_str());
    EXPECT_EQ(longFind.Next(&entry), nullptr);
}

}  // namespace

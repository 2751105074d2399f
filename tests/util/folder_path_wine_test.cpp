#include "util/folder_path.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/support/scratch_folder.h"

namespace {

using testing_support::FolderExists;
using testing_support::ScratchFolder;

TEST(CreateFolderPath, CreatesTheMissingLevelsBelowAnExistingOne) {
    ScratchFolder scratch;
    scratch.MakeFolder("one");
    std::string deep = scratch / "one\\two\\three";
    EXPECT_EQ(CreateFolderPath(deep.c_str()), 0);
    EXPECT_TRUE(FolderExists(scratch / "one\\two"));
    EXPECT_TRUE(FolderExists(deep));

    // Again, complete and with a trailing backslash: nothing to do.
    EXPECT_EQ(CreateFolderPath((deep + "\\").c_str()), 0);
    EXPECT_TRUE(FolderExists(deep));
}

TEST(CreateFolderPath, RefusesWhatIsNoDrivePathOrGoesThroughAFile) {
    ScratchFolder scratch;
    EXPECT_EQ(CreateFolderPath("relative\\path"), 1);
    EXPECT_EQ(CreateFolderPath("\\rooted\\path"), 1);
    EXPECT_EQ(CreateFolderPath("C:relative"), 1);
    EXPECT_EQ(CreateFolderPath(""), 1);
    EXPECT_FALSE(FolderExists("relative"));

    scratch.WriteFile("file", "");
    EXPECT_EQ(CreateFolderPath((scratch / "file\\below").c_str()), 4);
    EXPECT_FALSE(FolderExists(scratch / "file\\below"));
}

TEST(CreateFolderPath, APathThatCannotTakeItsSeparatorIsRefusedWhole) {
    ScratchFolder scratch;
    std::string base = scratch.Path() + "\\";
    std::string fits = base + std::string(254 - base.size(), 'd');  // 254 + '\' + terminator
    std::string tooLong = fits + "e";
    EXPECT_EQ(CreateFolderPath(tooLong.c_str()), 2);
    EXPECT_FALSE(FolderExists(tooLong.substr(0, 254)));
    EXPECT_EQ(CreateFolderPath(fits.c_str()), 0);
    EXPECT_TRUE(FolderExists(fits));
    // Already ending in a backslash, 255 characters fit as they are.
    EXPECT_EQ(CreateFolderPath((fits + "\\").c_str()), 0);
}

TEST(CreateFolderPath, MissingDriveFailsTheCreation) {
    // Wine maps only a few drive letters; Q: is not one of them in a test prefix.
    if (GetDriveTypeA("Q:\\") != DRIVE_NO_ROOT_DIR) {
        GTEST_SKIP() << "drive Q: exists here";
    }
    EXPECT_EQ(CreateFolderPath("Q:\\tapdeck\\x"), 5);
}

}  // namespace

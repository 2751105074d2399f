#include "util/folder_path.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/support/scratch_folder.h"

namespace {

using namespace testing_support;

TEST(CreateFolderPath, Table) {
    ScratchFolder scratch;
    scratch.MakeFolder("one");
    scratch.WriteFile("file", "");
    std::string base = scratch.Path() + "\\";
    std::string fits = base + std::string(254 - base.size(), 'd');  // room for its '\' and the terminator
    // clang-format off
    const struct { std::string path; int result; bool made; } rows[] = {  // made, then already there; too long: refused whole, not cut
        {scratch / "one\\two\\three", 0, true}, {scratch / "one\\two\\three\\", 0, true}, {"relative\\path", 1, false}, {"\\rooted\\path", 1, false},
        {"C:relative", 1, false}, {"", 1, false}, {scratch / "file\\below", 4, false}, {fits + "e", 2, false}, {fits, 0, true}, {fits + "\\", 0, true}};
    // clang-format on
    for (const auto& row : rows) {
        EXPECT_EQ(CreateFolderPath(row.path.c_str()), row.result) << row.path;
        EXPECT_EQ(!row.path.empty() && FolderExists(row.path), row.made) << row.path;
    }
    // Wine maps only a few drive letters; Q: is none of them in a test prefix.
    EXPECT_EQ(GetDriveTypeA("Q:\\") == DRIVE_NO_ROOT_DIR ? CreateFolderPath("Q:\\tapdeck\\x") : 5, 5);
}

}  // namespace

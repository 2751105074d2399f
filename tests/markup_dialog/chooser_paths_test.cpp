#include "markup_dialog/chooser_paths.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <tuple>

namespace {

using chooser::FolderVerdict;
using chooser::PathStatus;

// What the fuzz target cannot know: the right pattern, marker and name; it
// checks that nothing is written beyond the limit.
TEST(ChooserPaths, PatternAppendedOrLeftOff) {
    const std::string x10(10, 'x'), x8 = std::string(8, 'x') + "\\";
    const std::tuple<const char*, std::string, int, size_t, std::string> rows[] = {
        {"a folder: the folder marker", "C:\\Data\\", 0, 260, "C:\\Data\\*.(.)"},
        {"open: every file", "C:\\Data\\", 1, 260, "C:\\Data\\*.*"},
        {"save", "C:\\Data", 2, 260, "C:\\Data"},
        {"mode 3 opens nothing", "C:\\Data\\", 3, 260, "C:\\Data\\*.*"},
        {"a marker that just fits", x10, 0, 17, x10 + "\\*.(.)"},
        {"a marker left off, not cut", x10, 0, 16, x10},
        {"a pattern left off, not cut", x8, 1, 12, x8},
    };
    for (const auto& [name, path, mode, limit, expected] : rows) {
        char buffer[300];
        snprintf(buffer, sizeof buffer, "%s", path.c_str());
        EXPECT_EQ(chooser::AppendChooserPattern(buffer, limit, mode), path.size()) << name;
        EXPECT_EQ(buffer, expected) << name;
    }
}

TEST(ChooserPaths, FolderMarker) {
    const std::tuple<const char*, const char*> strips[] = {
        {"C:\\Data(.)", "C:\\Data"},
        {"ab(.)", "ab(.)"},  // a marker needs a name in front of it
        {"abc(.)", "abc"},
    };
    for (const auto& [given, stripped] : strips) {
        char path[32];
        snprintf(path, sizeof path, "%s", given);
        chooser::StripFolderMarker(path);
        EXPECT_STREQ(path, stripped) << given;
    }
    char small[8] = "abcd";
    EXPECT_TRUE(chooser::AppendFolderMarker(small, sizeof small));
    EXPECT_FALSE(chooser::AppendFolderMarker(small, sizeof small));  // no room for a second
    EXPECT_STREQ(small, "abcd(.)");
}

// A name typed into the chooser, taken in the folder it shows.
TEST(ChooserPaths, NameResolvedInTheFolderShown) {
    const std::tuple<const char*, const char*, const char*, const char*> rows[] = {
        {"a name", "C:\\Data", "sub", "C:\\Data\\sub"},
        {"nothing typed", "C:\\Data", "", "C:\\Data"},
        {"a whole path", "C:\\Data", "D:\\Other\\x(.)", "D:\\Other\\x(.)"},
        {"a network path", "C:\\Data", "\\\\host\\share", "\\\\host\\share"},
        {"from the root of the folder's drive", "C:\\Data", "\\Root", "C:\\Root"},
        {"too long", "C:\\Data", "longer", nullptr},
    };
    for (const auto& [name, folder, typed, expected] : rows) {
        char out[chooser::kMaxPath] = "keep";
        size_t size = expected != nullptr ? sizeof out : 8;
        EXPECT_EQ(chooser::ResolveChooserName(folder, typed, out, size), expected != nullptr) << name;
        EXPECT_STREQ(out, expected != nullptr ? expected : "keep") << name;
    }
}

TEST(ChooserPaths, PathLimitWithinTheSystemsBuffers) {
    EXPECT_EQ(chooser::PathLimit(0), 260u);
    EXPECT_EQ(chooser::PathLimit(1000), 260u);
    EXPECT_EQ(chooser::PathLimit(256), 256u);
}

// A folder chosen: a file shows its folder, a folder not made yet is accepted.
TEST(ChooserPaths, FolderChoiceJudged) {
    const auto kFolder = PathStatus::kFolder, kFile = PathStatus::kFile, kMissing = PathStatus::kMissing;
    const auto accept = FolderVerdict::kAccept, show = FolderVerdict::kShowFolder, refuse = FolderVerdict::kRefuse;
    const std::tuple<const char*, const char*, PathStatus, unsigned long, uint32_t, FolderVerdict, const char*> rows[] =
        {
            {"a folder", "C:\\Data", kFolder, 0, chooser::kPathMustExist, accept, "C:\\Data"},
            {"a file", "C:\\Data\\a.txt", kFile, 0, 0, show, "C:\\Data"},
            {"a file in a root", "C:\\a.txt", kFile, 0, 0, show, "C:\\"},
            {"a file without a folder", "a.txt", kFile, 0, 0, show, "a.txt"},
            {"made by the caller", "C:\\No\\New", kMissing, chooser::kPathNotFound, 0, accept, "C:\\No\\New"},
            {"must exist", "C:\\New", kMissing, chooser::kFileNotFound, chooser::kPathMustExist, refuse, "C:\\New"},
            {"not made yet", "C:\\New", kMissing, chooser::kFileNotFound, 0, accept, "C:\\New"},
            {"access denied", "C:\\x", kMissing, 5, 0, refuse, "C:\\x"},
        };
    for (const auto& [name, given, status, error, flags, verdict, after] : rows) {
        char path[64];
        snprintf(path, sizeof path, "%s", given);
        EXPECT_EQ(chooser::JudgeFolderChoice(path, status, error, flags), verdict) << name;
        EXPECT_STREQ(path, after) << name;
    }
}

}  // namespace

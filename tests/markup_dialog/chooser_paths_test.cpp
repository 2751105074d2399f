#include "markup_dialog/chooser_paths.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

using chooser::FolderVerdict;
using chooser::PathStatus;

// What the fuzz target cannot know: the right pattern, marker and name; it
// checks that nothing is written beyond the limit.
TEST(ChooserPaths, PatternMarkerNamesAndFolderChoice) {
    std::string x10(10, 'x'), x8 = std::string(8, 'x') + "\\";
    // clang-format off
    const struct { std::string path; int mode; size_t limit; std::string expected; } rows[] = {
        {"C:\\Data\\", 0, 260, "C:\\Data\\*.(.)"}, {"C:\\Data", 0, 260, "C:\\Data\\*.(.)"}, {"C:\\Data\\", 1, 260, "C:\\Data\\*.*"},
        {"C:\\Data\\x.txt", 1, 260, "C:\\Data\\x.txt"}, {"C:\\Data", 2, 260, "C:\\Data"}, {"C:\\Data\\", 3, 260, "C:\\Data\\*.*"},  // mode 3 opens nothing
        {x10, 0, 17, x10 + "\\*.(.)"}, {x10, 0, 16, x10}, {x8, 1, 13, x8 + "*.*"}, {x8, 1, 12, x8}};  // left off, never cut
    const struct { const char *path, *stripped; } markers[] = {{"C:\\Data(.)", "C:\\Data"}, {"ab(.)", "ab(.)"}, {"abc(.)", "abc"}, {"C:\\(.)x", "C:\\(.)x"}};
    const struct { const char *folder, *name, *expected; } names[] = {  // "\Root": from the root of the folder's drive
        {"C:\\Data", "sub", "C:\\Data\\sub"}, {"C:\\", "sub", "C:\\sub"}, {"C:\\Data", "", "C:\\Data"}, {"C:\\Data", "D:\\Other\\x(.)", "D:\\Other\\x(.)"},
        {"C:\\Data", "\\\\host\\share", "\\\\host\\share"}, {"C:\\Data", "\\Root", "C:\\Root"}, {"C:\\Data", "longer", nullptr}};  // too long: kept
    // clang-format on
    for (const auto& row : rows) {
        char buffer[300];
        snprintf(buffer, sizeof buffer, "%s", row.path.c_str());
        size_t length = chooser::AppendChooserPattern(buffer, row.limit, row.mode);
        EXPECT_EQ(buffer + (" " + std::to_string(length)), row.expected + " " + std::to_string(row.path.size()));
    }
    for (const auto& row : markers) {
        char path[32];
        snprintf(path, sizeof path, "%s", row.path);
        chooser::StripFolderMarker(path);
        EXPECT_STREQ(path, row.stripped);
    }
    for (const auto& row : names) {
        char out[chooser::kMaxPath] = "keep";
        EXPECT_EQ(chooser::ResolveChooserName(row.folder, row.name, out, row.expected ? sizeof out : 8),
                  row.expected != nullptr)
            << row.name;
        EXPECT_STREQ(out, row.expected ? row.expected : "keep");
    }
    char small[8] = "abcd";
    EXPECT_TRUE(chooser::AppendFolderMarker(small, sizeof small) && !chooser::AppendFolderMarker(small, sizeof small));
    EXPECT_STREQ(small, "abcd(.)");
    EXPECT_EQ(chooser::PathLimit(0) + chooser::PathLimit(-5) + chooser::PathLimit(1000) + chooser::PathLimit(256),
              1036u);
    // A folder chosen: a file shows its folder, a folder not made yet is accepted.
    const auto kFolder = PathStatus::kFolder, kFile = PathStatus::kFile, kMissing = PathStatus::kMissing;
    const auto accept = FolderVerdict::kAccept, show = FolderVerdict::kShowFolder, refuse = FolderVerdict::kRefuse;
    // clang-format off
    const struct { const char* path; PathStatus status; unsigned long error; uint32_t flags; FolderVerdict verdict; const char* after; } choices[] = {
        {"C:\\Data", kFolder, 0, chooser::kPathMustExist, accept, "C:\\Data"}, {"C:\\Data\\a.txt", kFile, 0, 0, show, "C:\\Data"},
        {"C:\\a.txt", kFile, 0, 0, show, "C:\\"}, {"\\\\host\\share\\a", kFile, 0, 0, show, "\\\\host\\share"}, {"a.txt", kFile, 0, 0, show, "a.txt"},
        {"C:\\No\\New", kMissing, chooser::kPathNotFound, 0, accept, "C:\\No\\New"},  // the caller makes it
        {"C:\\New", kMissing, chooser::kFileNotFound, chooser::kPathMustExist, refuse, "C:\\New"}, {"C:\\New", kMissing, chooser::kFileNotFound, 0, accept, "C:\\New"},
        {"Q:\\x", kMissing, 21, 0, refuse, "Q:\\x"}, {"C:\\x", kMissing, 5, 0, refuse, "C:\\x"}};  // not ready, denied
    // clang-format on
    for (const auto& row : choices) {
        char path[64];
        snprintf(path, sizeof path, "%s", row.path);
        EXPECT_EQ(chooser::JudgeFolderChoice(path, row.status, row.error, row.flags), row.verdict) << row.path;
        EXPECT_STREQ(path, row.after);
    }
}

}  // namespace

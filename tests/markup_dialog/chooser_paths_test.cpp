#include "markup_dialog/chooser_paths.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

using chooser::FolderVerdict;
using chooser::PathStatus;

TEST(ChooserPaths, PatternAndMarker) {
    const struct {
        std::string path;
        int mode;
        size_t limit;
        std::string expected;
    } rows[] = {
        {"C:\\Data\\", 0, 260, "C:\\Data\\*.(.)"},
        {"C:\\Data", 0, 260, "C:\\Data\\*.(.)"},
        {"", 0, 260, "\\*.(.)"},  // empty counts as not ending in '\'
        {"C:\\Data\\", 1, 260, "C:\\Data\\*.*"},
        {"C:\\Data\\x.txt", 1, 260, "C:\\Data\\x.txt"},
        {"C:\\Data", 2, 260, "C:\\Data"},
        {"C:\\Data\\", 3, 260, "C:\\Data\\*.*"},  // mode 3 opens nothing, but the pattern is put on first
        {std::string(10, 'x'), 0, 17, std::string(10, 'x') + "\\*.(.)"},  // fits exactly
        {std::string(10, 'x'), 0, 16, std::string(10, 'x')},              // left off, never cut
        {std::string(8, 'x') + "\\", 1, 13, std::string(8, 'x') + "\\*.*"},
        {std::string(8, 'x') + "\\", 1, 12, std::string(8, 'x') + "\\"},
        {std::string(20, 'x'), 1, 8, std::string(7, 'x')},  // unterminated in its limit: cut to it
    };
    for (const auto& row : rows) {
        char buffer[300];
        memset(buffer, '#', sizeof buffer);
        memcpy(buffer, row.path.c_str(), std::min(row.path.size() + 1, row.limit == 8 ? 20 : sizeof buffer));
        size_t length = chooser::AppendChooserPattern(buffer, row.limit, row.mode);
        EXPECT_EQ(std::string(buffer), row.expected) << row.path << " mode " << row.mode << " limit " << row.limit;
        EXPECT_EQ(length, std::min(row.path.size(), row.limit - 1));
        EXPECT_EQ(buffer[row.limit], row.limit == 8 ? 'x' : '#') << "written beyond the limit";
    }
    EXPECT_EQ(chooser::PathLimit(0) + chooser::PathLimit(-5) + chooser::PathLimit(1000), 3 * 260u);
    EXPECT_EQ(chooser::PathLimit(256), 256u);

    for (auto marked : {"C:\\Data(.)=C:\\Data", "ab(.)=ab(.)", "abc(.)=abc", "C:\\(.)x=C:\\(.)x"}) {
        char path[32];
        snprintf(path, sizeof path, "%.*s", static_cast<int>(strchr(marked, '=') - marked), marked);
        chooser::StripFolderMarker(path);
        EXPECT_STREQ(path, strchr(marked, '=') + 1);
    }
    char small[8] = "abcd";
    EXPECT_TRUE(chooser::AppendFolderMarker(small, sizeof small));
    EXPECT_FALSE(chooser::AppendFolderMarker(small, sizeof small));
    EXPECT_STREQ(small, "abcd(.)");
}

TEST(ChooserPaths, FolderChoiceAndNames) {
    const struct {
        const char* path;
        PathStatus status;
        unsigned long error;
        uint32_t flags;
        FolderVerdict verdict;
        const char* after;
    } rows[] = {
        {"C:\\Data", PathStatus::kFolder, 0, chooser::kPathMustExist, FolderVerdict::kAccept, "C:\\Data"},
        {"C:\\Data\\a.txt", PathStatus::kFile, 0, 0, FolderVerdict::kShowFolder, "C:\\Data"},
        {"C:\\a.txt", PathStatus::kFile, 0, 0, FolderVerdict::kShowFolder, "C:\\"},  // a file in a drive root
        {"\\\\host\\share\\a", PathStatus::kFile, 0, 0, FolderVerdict::kShowFolder, "\\\\host\\share"},
        {"a.txt", PathStatus::kFile, 0, 0, FolderVerdict::kShowFolder, "a.txt"},
        {"C:\\New", PathStatus::kMissing, chooser::kFileNotFound, 0, FolderVerdict::kAccept, "C:\\New"},
        {"C:\\No\\New", PathStatus::kMissing, chooser::kPathNotFound, 0, FolderVerdict::kAccept, "C:\\No\\New"},
        {"C:\\New", PathStatus::kMissing, chooser::kFileNotFound, chooser::kPathMustExist, FolderVerdict::kRefuse,
         "C:\\New"},
        {"Q:\\x", PathStatus::kMissing, 21, 0, FolderVerdict::kRefuse, "Q:\\x"},  // device not ready
        {"C:\\x", PathStatus::kMissing, 5, 0, FolderVerdict::kRefuse, "C:\\x"},   // access denied
    };
    for (const auto& row : rows) {
        char path[64];
        snprintf(path, sizeof path, "%s", row.path);
        EXPECT_EQ(chooser::JudgeFolderChoice(path, row.status, row.error, row.flags), row.verdict) << row.path;
        EXPECT_STREQ(path, row.after);
    }
    const struct {
        const char* folder;
        const char* name;
        const char* expected;
    } names[] = {
        {"C:\\Data", "sub", "C:\\Data\\sub"},
        {"C:\\", "sub", "C:\\sub"},
        {"C:\\Data", "D:\\Other\\x(.)", "D:\\Other\\x(.)"},  // a full path stands as typed
        {"C:\\Data", "\\\\host\\share", "\\\\host\\share"},
        {"C:\\Data", "\\Root", "C:\\Root"},  // from the root of the folder's drive
        {"C:\\Data", "", "C:\\Data"},
    };
    for (const auto& row : names) {
        char out[chooser::kMaxPath] = "unchanged";
        EXPECT_TRUE(chooser::ResolveChooserName(row.folder, row.name, out, sizeof out)) << row.name;
        EXPECT_STREQ(out, row.expected);
    }
    char small[8] = "keep";
    EXPECT_FALSE(chooser::ResolveChooserName("C:\\Data", "longer", small, sizeof small));
    EXPECT_STREQ(small, "keep");
}

}  // namespace

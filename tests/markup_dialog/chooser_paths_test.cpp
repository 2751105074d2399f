#include "markup_dialog/chooser_paths.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

using chooser::FolderVerdict;
using chooser::PathStatus;

TEST(ChooserPattern, DependsOnModeAndTrailingBackslash) {
    struct Case {
        const char* path;
        int mode;
        const char* expected;
    } cases[] = {
        {"C:\\Data\\", 0, "C:\\Data\\*.(.)"},
        {"C:\\Data", 0, "C:\\Data\\*.(.)"},
        {"", 0, "\\*.(.)"},  // empty counts as not ending in '\'
        {"C:\\Data\\", 1, "C:\\Data\\*.*"},
        {"C:\\Data\\x.txt", 1, "C:\\Data\\x.txt"},
        {"C:\\Data\\", 2, "C:\\Data\\*.*"},
        {"C:\\Data", 2, "C:\\Data"},
        {"C:\\Data\\", 3, "C:\\Data\\*.*"},  // mode 3 opens nothing, but the pattern is put on first
        {"", 1, ""},
    };
    for (const Case& c : cases) {
        char path[chooser::kMaxPath];
        snprintf(path, sizeof path, "%s", c.path);
        EXPECT_EQ(chooser::AppendChooserPattern(path, sizeof path, c.mode), strlen(c.path));
        EXPECT_STREQ(path, c.expected) << c.path << " mode " << c.mode;
    }
}

TEST(ChooserPattern, NeverWritesBeyondTheLimit) {
    // A pattern that does not fit is left off; guard bytes catch any overrun.
    struct Case {
        size_t length;
        int mode;
        size_t limit;
        const char* tail;
    } cases[] = {
        {10, 0, 17, "x\\*.(.)"},  // 10 + 6 + terminator fits exactly
        {10, 0, 16, "x"},
        {9, 1, 13, "\\*.*"},  // 9 + 3 + terminator
        {9, 1, 12, "\\"},
    };
    for (const Case& c : cases) {
        char buffer[64];
        memset(buffer, '#', sizeof buffer);
        std::string path(c.length, 'x');
        if (c.mode != 0)
            path.back() = '\\';
        memcpy(buffer, path.c_str(), path.size() + 1);
        chooser::AppendChooserPattern(buffer, c.limit, c.mode);
        EXPECT_EQ(std::string(buffer).substr(c.length - 1), c.tail) << c.limit;
        for (size_t i = c.limit; i < sizeof buffer; ++i)
            ASSERT_EQ(buffer[i], '#') << "written at " << i;
    }
}

TEST(ChooserPattern, AnUnterminatedPathIsCutToTheLimit) {
    char buffer[20];
    memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(chooser::AppendChooserPattern(buffer, 8, 1), 7u);
    EXPECT_STREQ(buffer, "xxxxxxx");
    EXPECT_EQ(buffer[8], 'x');
}

TEST(ChooserPattern, LimitIsTheBufferOr260) {
    EXPECT_EQ(chooser::PathLimit(0), 260u);
    EXPECT_EQ(chooser::PathLimit(-5), 260u);
    EXPECT_EQ(chooser::PathLimit(256), 256u);
    EXPECT_EQ(chooser::PathLimit(1000), 260u);
}

TEST(FolderMarker, OnlyLongerNamesLoseIt) {
    struct Case {
        const char* path;
        const char* expected;
    } cases[] = {
        {"C:\\Data(.)", "C:\\Data"}, {"ab(.)", "ab(.)"},  // 5 characters keep it
        {"abc(.)", "abc"},                                // 6 lose it
        {"C:\\Data", "C:\\Data"},    {"C:\\(.)x", "C:\\(.)x"},
    };
    for (const Case& c : cases) {
        char path[32];
        snprintf(path, sizeof path, "%s", c.path);
        chooser::StripFolderMarker(path);
        EXPECT_STREQ(path, c.expected);
    }
    char small[8] = "abcd";
    EXPECT_TRUE(chooser::AppendFolderMarker(small, sizeof small));
    EXPECT_STREQ(small, "abcd(.)");
    EXPECT_FALSE(chooser::AppendFolderMarker(small, sizeof small));
    EXPECT_STREQ(small, "abcd(.)");
}

TEST(FolderChoice, AcceptanceByWhatTheFileSystemSays) {
    struct Case {
        const char* path;
        PathStatus status;
        unsigned long error;
        uint32_t flags;
        FolderVerdict verdict;
        const char* after;
    } cases[] = {
        {"C:\\Data", PathStatus::kFolder, 0, 0, FolderVerdict::kAccept, "C:\\Data"},
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
    for (const Case& c : cases) {
        char path[64];
        snprintf(path, sizeof path, "%s", c.path);
        EXPECT_EQ(chooser::JudgeFolderChoice(path, c.status, c.error, c.flags), c.verdict) << c.path;
        EXPECT_STREQ(path, c.after);
    }
}

TEST(ChooserName, ResolvedAgainstTheFolderShown) {
    struct Case {
        const char* folder;
        const char* name;
        const char* expected;
    } cases[] = {
        {"C:\\Data", "sub", "C:\\Data\\sub"},
        {"C:\\", "sub", "C:\\sub"},
        {"C:\\Data", "D:\\Other\\x(.)", "D:\\Other\\x(.)"},  // a full path stands as typed
        {"C:\\Data", "\\\\host\\share", "\\\\host\\share"},
        {"C:\\Data", "\\Root", "C:\\Root"},  // from the root of the folder's drive
        {"C:\\Data", "", "C:\\Data"},
    };
    for (const Case& c : cases) {
        char out[chooser::kMaxPath] = "unchanged";
        EXPECT_TRUE(chooser::ResolveChooserName(c.folder, c.name, out, sizeof out)) << c.name;
        EXPECT_STREQ(out, c.expected);
    }
    char small[8] = "keep";
    EXPECT_FALSE(chooser::ResolveChooserName("C:\\Data", "longer", small, sizeof small));
    EXPECT_STREQ(small, "keep");
}

}  // namespace

// The file wrapper, folder paths and shell links on the prefix's real file
// system and shell. The journeys write, read and delete the registry's
// uninstall entry, and see its deletion refused.

#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <tuple>

#include "tests/support/message_boxes.h"
#include "tests/support/scratch_folder.h"
#include "util/file_mode.h"
#include "util/folder_path.h"
#include "util/shortcut.h"
#include "util/w_file.h"

namespace {

using namespace testing_support;
using namespace file_mode;

TEST(WFile, OpenModes) {
    ScratchFolder scratch;
    std::string longest(255 - scratch.Path().size() - 1, 'f');  // a full path of 255 characters
    // The contents before and after: null for no file.
    using Row = std::tuple<const char*, const char*, std::string, uint32_t, int, DWORD, uint64_t, const char*>;
    const Row rows[] = {
        {"reading a missing file", nullptr, "f", 1, 1, ERROR_FILE_NOT_FOUND, 0, nullptr},
        {"writing empties", "abc", "f", 2, 0, 0, 0, ""},
        {"reading and writing keeps", "abc", "f", 3, 0, 0, 0, "abc"},
        {"a path too long is refused, not cut", nullptr, longest + "g", 3, 1, ERROR_FILENAME_EXCED_RANGE, 0, nullptr},
    };
    for (const auto& [name, before, fileName, mode, result, error, position, after] : rows) {
        std::string path = scratch / fileName;
        DeleteFileA(path.c_str());
        if (before != nullptr)
            scratch.WriteFile(fileName, before);
        WFile file;
        EXPECT_EQ(file.Open(path.c_str(), mode), result) << name;
        EXPECT_EQ(file.lastError, error) << name;
        EXPECT_EQ(file.IsOpen(), result == 0) << name;
        EXPECT_EQ(file.GetPosition(), position) << name;
        file.Close();
        EXPECT_EQ(FileExists(path), after != nullptr) << name;
        EXPECT_EQ(ReadWholeFile(path), after != nullptr ? after : "") << name;
    }
}

// Read, seek and set the length in one file of 10 bytes, each row in turn:
// the call's result, then lastError, the position and the size.
TEST(WFile, Walk) {
    ScratchFolder scratch;
    std::string path = scratch / "walk.bin";
    WFile file;
    char data[8] = {};
    ASSERT_EQ(file.Open(path.c_str(), 3), 0);
    ASSERT_EQ(file.Write("0123456789", 10), 10);
    const int64_t big = (int64_t{5} << 30) + 7;
    const std::tuple<const char*, std::function<int()>, int, DWORD, uint64_t, uint64_t> rows[] = {
        {"an open object keeps its file", [&] { return file.Open(path.c_str(), 1); }, 1, ERROR_BUSY, 10, 10},
        {"a short read is no error", [&] { return (file.Seek(8, FILE_BEGIN), file.Read(data, 4)); }, 2, 0, 10, 10},
        {"a read at the end", [&] { return file.Read(data, 4); }, 0, 0, 10, 10},
        {"back before the start rewinds", [&] { return (file.Seek(4, FILE_BEGIN), file.SeekRelative(-10)); }, 1,
         ERROR_NEGATIVE_SEEK, 0, 10},
        {"beyond 4 GiB", [&] { return file.SetLength(big); }, 0, 0, 0, static_cast<uint64_t>(big)},
        {"a low half of all ones", [&] { return file.Seek(0x1FFFFFFFFll, FILE_BEGIN); }, 0, 0, 0x1FFFFFFFFull, big},
    };
    for (const auto& [name, call, result, error, position, size] : rows) {
        EXPECT_EQ(call(), result) << name;
        EXPECT_EQ(file.lastError, error) << name;
        EXPECT_EQ(file.GetPosition(), position) << name;
        EXPECT_EQ(file.GetSize(), size) << name;
    }
    EXPECT_EQ(std::string(data, 2), "89");
    EXPECT_EQ(file.Close(), 0);
    EXPECT_EQ(file.Close(), 0);  // twice: nothing happens
    EXPECT_EQ(file.Read(data, 1), 0);
    EXPECT_EQ(file.lastError, static_cast<DWORD>(ERROR_INVALID_HANDLE));  // a closed object fails quietly
}

TEST(WFile, SharesNothingAndSaysWhenLeftOpen) {
    ScratchFolder scratch;
    std::string path = scratch.WriteFile("f", "x");
    WFile first, second;
    ASSERT_EQ(first.Open(path.c_str(), 1), 0);
    EXPECT_EQ(second.Open(path.c_str(), 1), 1);
    EXPECT_EQ(second.lastError, static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    first.Close();
    MessageBoxRecorder boxes;
    EXPECT_EQ(WFile().Open(path.c_str(), 3), 0);  // destroyed while open
    EXPECT_EQ(second.Open(path.c_str(), 1), 0);   // the forgotten handle was released
    second.Close();
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, "File was not closed properly");
    EXPECT_EQ(boxes.Boxes()[0].caption, "Error WFile");
}

TEST(FolderPath, MadeOrRefusedWhole) {
    ScratchFolder scratch;
    scratch.WriteFile("file", "");
    std::string base = scratch.Path() + "\\";
    std::string fits = base + std::string(254 - base.size(), 'd');  // room for its '\' and the terminator
    const std::tuple<const char*, std::string, int, bool> rows[] = {
        {"two levels", scratch / "one\\two\\", 0, true},
        {"one more below a folder that exists", scratch / "one\\two\\three", 0, true},
        {"relative", "relative\\path", 1, false},
        {"through a file", scratch / "file\\below", 4, false},
        {"too long, not cut", fits + "e", 2, false},
        {"the longest", fits, 0, true},
    };
    for (const auto& [name, path, result, made] : rows) {
        EXPECT_EQ(CreateFolderPath(path.c_str()), result) << name;
        EXPECT_EQ(!path.empty() && FolderExists(path), made) << name;
    }
}

// The journeys save and delete the Startup link; here the ways it fails.
TEST(Shortcut, Failures) {
    ScratchFolder scratch;
    std::string target = scratch.WriteFile("Tapdeck.exe", "MZ");
    // A target too long is left out, not cut, and the rest kept.
    ShortcutSpec spec;
    EXPECT_FALSE(FillShortcutSpec(&spec, "d", std::string(260, 't').c_str(), "a", nullptr, 0, nullptr, 0, SW_SHOW));
    EXPECT_STREQ(spec.target, "");
    EXPECT_STREQ(spec.description, "d");
    EXPECT_EQ(SaveShortcut((scratch / "absent\\x.lnk").c_str(), &spec), 1);
    EXPECT_EQ(CreateFolderShortcut(CSIDL_DRIVES, "Tapdeck root test", target.c_str()), 1);  // no file-system path
    EXPECT_EQ(CreateFolderShortcut(CSIDL_STARTUP, std::string(250, 'n').c_str(), target.c_str()), 1);  // too long
    EXPECT_FALSE(FileExists("C:\\Tapdeck root test.lnk"));
    char path[256] = "x";
    EXPECT_EQ(GetSpecialFolderPath(0x7F, path), 1);  // no such folder
    EXPECT_STREQ(path, "");
}

}  // namespace

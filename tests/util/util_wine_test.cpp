// The file wrapper, folder paths, registry values and shell links on the
// prefix's real file system, registry and shell.

#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/support/message_boxes.h"
#include "tests/support/scratch_folder.h"
#include "util/file_mode.h"
#include "util/folder_path.h"
#include "util/registry.h"
#include "util/shortcut.h"
#include "util/w_file.h"

namespace {

using namespace testing_support;
using namespace file_mode;

TEST(FilesAndFolders, OpenModesNamesAWalkAndFolderPaths) {
    ScratchFolder scratch;
    std::string longest(255 - scratch.Path().size() - 1, 'f');  // a full path of 255 characters
    // clang-format off
    const struct { const char* before; std::string name; uint32_t mode; const char* expected; } rows[] = {
        // the contents before (null: no file); the result, lastError, open, position, buffered, and the contents after
        {nullptr, "f", 1, "1 2 0 0 0 none"}, {"abc", "f", 2, "0 0 1 0 0 "}, {"abc", "f", 3, "0 0 1 0 0 abc"},
        {"abc", "f", 2 | kAppend | kBuffered, "0 0 1 3 1 abc"}, {"abc", "f", 3 | kDeleteOnClose, "0 0 1 0 0 none"},
        {nullptr, longest, 3, "0 0 1 0 0 "}, {nullptr, longest + "g", 3, "1 206 0 0 0 none"}};
    // clang-format on
    for (const auto& row : rows) {
        std::string path = scratch / row.name;
        DeleteFileA(path.c_str());
        if (row.before != nullptr)
            scratch.WriteFile(row.name, row.before);
        WFile file;
        std::string got = std::to_string(file.Open(path.c_str(), row.mode)) + " ";  // before lastError is read
        got += std::to_string(file.lastError) + " ";
        got += std::to_string(file.IsOpen()) + " " + std::to_string(file.GetPosition()) + " " +
               std::to_string(file.buffer != nullptr);
        file.Close();
        EXPECT_EQ(got + " " + (FileExists(path) ? ReadWholeFile(path) : "none"), row.expected) << &row - rows;
    }
    // ">" is the executable's folder, wherever the current one is; a name
    // too long there is refused, not cut.
    char module[MAX_PATH], path[kPathSize];
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string beside(module, strrchr(module, '\\') + 1);
    std::string got = std::to_string(WFile::ResolveFileName(">readme.txt", path)) + path;
    got += std::to_string(WFile::ResolveFileName(">\\x", path)) + path;
    got += std::to_string(WFile::ResolveFileName((">" + std::string(256 - beside.size(), 'm')).c_str(), path)) + path;
    EXPECT_EQ(got, "0" + beside + "readme.txt0" + beside + "x206");

    // Read, write, seek and set the length in one file.
    std::string walk = scratch / "walk.bin";
    WFile file, other;
    char data[8] = {};
    auto state = [&](int result) {  // the result, lastError, position and size, read in this order
        std::string shown = std::to_string(result) + " " + std::to_string(file.lastError) + " ";
        return shown + std::to_string(file.GetPosition()) + " " + std::to_string(file.GetSize());
    };
    ASSERT_EQ(file.Open(walk.c_str(), 3), 0);
    EXPECT_EQ(state(file.Write("0123456789", 10)), "10 0 10 10");
    EXPECT_EQ(other.Open(walk.c_str(), 1) * 1000 + other.lastError, 1000u + ERROR_SHARING_VIOLATION);
    // clang-format off
    const struct { std::string got; const char* expected; } walkRows[] = {  // each state taken in turn
        {state(file.Open(walk.c_str(), 1)), "1 170 10 10"}, {state(file.Seek(8, FILE_BEGIN)), "0 0 8 10"},  // busy: an open object keeps its file
        {state(file.Read(data, 4)), "2 0 10 10"}, {state(file.Read(data, 4)), "0 0 10 10"}, {state(file.Seek(4, FILE_BEGIN)), "0 0 4 10"},  // short, no error
        {state(file.SeekRelative(-10)), "1 131 0 10"}, {state(file.SeekRelative(3)), "0 0 3 10"}, {state(file.Seek(-2, FILE_END)), "0 0 8 10"},  // rewinds
        {state(file.Seek(-1, FILE_BEGIN)), "1 131 8 10"}, {state((file.Seek(10, FILE_BEGIN), file.SetLength(4))), "0 0 4 4"},  // position cut to the end
        {state((file.Seek(2, FILE_BEGIN), file.SetLength(200))), "0 0 2 200"}, {state(file.SetLength(-1)), "1 131 2 200"},
        {state(file.SetLength((int64_t{5} << 30) + 7)), "0 0 2 5368709127"}, {state(file.Seek(-3, FILE_END)), "0 0 5368709124 5368709127"},  // both halves count
        {state(file.Seek((int64_t{1} << 32) + 0xFFFFFFFF, FILE_BEGIN)), "0 0 8589934591 5368709127"}};  // low half all ones
    // clang-format on
    for (const auto& row : walkRows)
        EXPECT_EQ(row.got, row.expected) << &row - walkRows;
    EXPECT_EQ(std::string(data, 2), "89");
    EXPECT_EQ(file.Close() + file.Close(), 0);
    EXPECT_EQ(state(file.Read(data, 1)), "0 6 0 0");  // a closed object fails quietly
    ASSERT_EQ(file.Open(walk.c_str(), 1), 0);
    EXPECT_EQ(state(file.Write("x", 1)), "0 5 0 5368709127");  // read only
    file.Close();
    MessageBoxRecorder boxes;
    EXPECT_EQ(WFile().Open(walk.c_str(), 3), 0);              // destroyed while open
    EXPECT_EQ(file.Open(walk.c_str(), 1) + file.Close(), 0);  // the forgotten handle was released
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text + "|" + boxes.Boxes()[0].caption, "File was not closed properly|Error WFile");

    // Folder paths: made, then already there; too long: refused whole, not cut.
    scratch.WriteFile("file", "");
    std::string base = scratch.Path() + "\\";
    std::string fits = base + std::string(254 - base.size(), 'd');  // room for its '\' and the terminator
    // clang-format off
    const struct { std::string path; int result; bool made; } folders[] = {
        {scratch / "one\\two\\", 0, true}, {scratch / "one\\two\\three", 0, true}, {"relative\\path", 1, false}, {"", 1, false},
        {scratch / "file\\below", 4, false}, {fits + "e", 2, false}, {fits, 0, true}};
    // clang-format on
    for (const auto& row : folders) {
        EXPECT_EQ(CreateFolderPath(row.path.c_str()), row.result) << row.path;
        EXPECT_EQ(!row.path.empty() && FolderExists(row.path), row.made) << row.path;
    }
}

TEST(Registry, RoundTripAndFailures) {
    const char *key = "SOFTWARE\\TapdeckTests\\Scratch", *parent = "SOFTWARE\\TapdeckTests";
    // clang-format off
    const struct { const char* name; std::string value; DWORD size; } writes[] = {  // the first creates the key
        {"DisplayName", "Tapdeck 1.0", 12}, {"Forty", std::string(39, 'x'), 40}, {"Bare", "abcd", 4}};  // Bare without its terminator
    const struct { const char *subKey, *name; DWORD type, size; int result; const char* text; } reads[] = {  // a failed string read leaves ""
        {key, "DisplayName", REG_SZ, 64, 0, "Tapdeck 1.0"}, {key, "Bare", REG_SZ, 8, 0, "abcd"}, {key, "Forty", REG_SZ, 32, 2, ""},
        {key, "Bare", REG_SZ, 4, 2, ""}, {key, "Forty", REG_DWORD, 4, 3, nullptr},  // no room for the terminator
        {key, "Forty", REG_EXPAND_SZ, 64, 3, ""}, {"SOFTWARE\\TapdeckTests\\Absent", "Forty", REG_SZ, 32, 1, ""}};
    // clang-format on
    for (const auto& row : writes)
        ASSERT_EQ(RegWriteValue(key, HKEY_LOCAL_MACHINE, row.name, REG_SZ, row.value.c_str(), row.size), 0) << row.name;
    char text[64];
    for (const auto& row : reads) {
        memset(text, 'z', sizeof text);
        EXPECT_EQ(RegReadValue(row.subKey, HKEY_LOCAL_MACHINE, row.type, row.name, text, row.size), row.result)
            << row.name;
        EXPECT_TRUE(row.text == nullptr || std::string(text) == row.text) << row.name;
    }
    // The value twice, the key itself, never a root key, and the key's parent, left standing.
    const char* deletes[][2] = {
        {"DisplayName", key}, {"DisplayName", key}, {"", key}, {nullptr, nullptr}, {"", parent}};
    std::string results;
    for (const auto& entry : deletes)
        results += std::to_string(RegDeleteEntry(HKEY_LOCAL_MACHINE, entry[0], entry[1]));
    EXPECT_EQ(results, "01010");
}

TEST(Shortcut, StartupLinkAndFailures) {
    ScratchFolder scratch;
    std::string target = scratch.WriteFile("Tapdeck.exe", "MZ");
    // A missing Startup folder is made for the link; deleting twice is harmless.
    char path[256] = "x", startup[256];
    ASSERT_EQ(GetSpecialFolderPath(CSIDL_STARTUP | CSIDL_FLAG_CREATE, startup), 0);
    std::string link = std::string(startup) + "\\Tapdeck test.lnk";
    RemoveTree(startup);  // with whatever an earlier run left in it
    EXPECT_EQ(CreateFolderShortcut(CSIDL_STARTUP, "Tapdeck test", target.c_str()), 0);
    // The target, and SW_SHOW in the header word at 0x3C, read raw: Wine's
    // link object reads back SW_SHOWNORMAL whatever the file holds.
    std::string raw = ReadWholeFile(link);
    EXPECT_TRUE(raw.size() > 0x40 && raw.compare(0x3C, 4, std::string("\5\0\0\0", 4)) == 0 &&
                raw.find(target) != std::string::npos);
    DeleteFolderShortcut(CSIDL_STARTUP, "Tapdeck test");
    DeleteFolderShortcut(CSIDL_STARTUP, "Tapdeck test");
    EXPECT_TRUE(!FileExists(link) && FolderExists(startup));

    // Failures: each call returns 1; a target too long is left out, not cut, and the rest kept.
    ShortcutSpec spec;
    EXPECT_FALSE(FillShortcutSpec(&spec, "d", std::string(260, 't').c_str(), "a", nullptr, 0, nullptr, 0, SW_SHOW));
    EXPECT_EQ(std::string(spec.target) + "|" + spec.description, "|d");
    EXPECT_EQ(SaveShortcut((scratch / "absent\\x.lnk").c_str(), &spec), 1);
    EXPECT_EQ(CreateFolderShortcut(CSIDL_DRIVES, "Tapdeck root test", target.c_str()), 1);  // no file-system path
    EXPECT_EQ(CreateFolderShortcut(CSIDL_STARTUP, std::string(250, 'n').c_str(), target.c_str()), 1);  // name too long
    EXPECT_EQ(GetSpecialFolderPath(0x7F, path) * 10 + strlen(path), 10u);                              // unknown
    EXPECT_FALSE(FileExists(scratch / "absent\\x.lnk") || FileExists("C:\\Tapdeck root test.lnk"));
}

}  // namespace

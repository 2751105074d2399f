#include "util/w_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/message_boxes.h"
#include "tests/support/scratch_folder.h"
#include "util/file_mode.h"

namespace {

using namespace testing_support;
using namespace file_mode;

std::string Resolved(const std::string& name) {
    char path[kPathSize];
    DWORD error = WFile::ResolveFileName(name.c_str(), path);
    return error == 0 ? std::string(path) : "error " + std::to_string(error);
}

TEST(WFile, OpenModesNamesAndListing) {
    ScratchFolder scratch;
    std::string longest(255 - scratch.Path().size() - 1, 'f');  // a full path of 255 characters
    // clang-format off
    const struct { const char* before; std::string name; uint32_t mode; const char* expected; } rows[] = {
        // the contents before (null: no file); the result, lastError, open, position, buffered, and the contents after
        {nullptr, "f", 1, "1 2 0 0 0 none"}, {nullptr, "no\\f", 3, "1 3 0 0 0 none"}, {nullptr, "f", 3, "0 0 1 0 0 "}, {"abc", "f", 2, "0 0 1 0 0 "},
        {"abc", "f", 3, "0 0 1 0 0 abc"}, {"abc", "f", 2 | kAppend | kBuffered, "0 0 1 3 1 abc"}, {"abc", "f", 3 | kDeleteOnClose, "0 0 1 0 0 none"},
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
    EXPECT_EQ(Resolved(scratch / longest + "g"), "error 206");  // refused, not cut
    char saved[MAX_PATH], module[MAX_PATH];
    GetCurrentDirectoryA(sizeof saved, saved);
    GetModuleFileNameA(nullptr, module, sizeof module);
    std::string beside = std::string(module).substr(0, std::string(module).rfind('\\') + 1);
    SetCurrentDirectoryA(scratch.Path().c_str());
    EXPECT_EQ(Resolved(">readme.txt"), beside + "readme.txt");  // the executable's folder, wherever we are
    EXPECT_EQ(Resolved(">\\readme.txt"), beside + "readme.txt");
    EXPECT_EQ(Resolved("sub\\..\\x.dat"), scratch / "x.dat");
    EXPECT_EQ(Resolved(">" + std::string(256 - beside.size(), 'm')), "error 206");
    SetCurrentDirectoryA(saved);
    for (const char* name : {"b.txt", ".hidden", "a.lnk"})
        scratch.WriteFile(name, "");
    DeleteFileA((scratch / longest).c_str());
    scratch.MakeFolder("sub");
    WFileFind find((scratch / "*.*").c_str()), absent((scratch / "absent\\*.*").c_str()),
        tooLong((scratch / std::string(300, 'x') + "\\*.*").c_str());
    WIN32_FIND_DATAA entry;
    for (int round = 0; round < 2; ++round) {  // files only; after the end it starts again
        std::vector<std::string> names;
        while (const char* name = find.Next(&entry))
            names.push_back(name);
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, (std::vector<std::string>{".hidden", "a.lnk", "b.txt"}));
    }
    EXPECT_TRUE(absent.Next(&entry) == nullptr && tooLong.Next(&entry) == nullptr);
}

TEST(WFile, ReadWriteSeekSetLengthWalk) {
    ScratchFolder scratch;
    std::string path = scratch / "walk.bin";
    WFile file, other;
    char data[8] = {};
    auto state = [&](int result) {  // the result, lastError, position and size, read in this order
        std::string shown = std::to_string(result) + " " + std::to_string(file.lastError) + " ";
        return shown + std::to_string(file.GetPosition()) + " " + std::to_string(file.GetSize());
    };
    ASSERT_EQ(file.Open(path.c_str(), 3), 0);
    EXPECT_EQ(state(file.Write("0123456789", 10)), "10 0 10 10");
    for (uint32_t mode : {1u, 2u, 3u})  // whatever the modes, a second opener is turned away
        EXPECT_EQ(other.Open(path.c_str(), mode) * 1000 + other.lastError, 1000u + ERROR_SHARING_VIOLATION);
    // clang-format off
    const struct { std::string got; const char* expected; } rows[] = {  // each state taken in turn
        {state(file.Open(path.c_str(), 1)), "1 170 10 10"}, {state(file.Seek(8, FILE_BEGIN)), "0 0 8 10"},  // busy: an open object keeps its file
        {state(file.Read(data, 4)), "2 0 10 10"}, {state(file.Read(data, 4)), "0 0 10 10"}, {state(file.Seek(4, FILE_BEGIN)), "0 0 4 10"},  // short, no error
        {state(file.SeekRelative(-10)), "1 131 0 10"}, {state(file.SeekRelative(3)), "0 0 3 10"}, {state(file.Seek(-2, FILE_END)), "0 0 8 10"},  // rewinds
        {state(file.Seek(-1, FILE_BEGIN)), "1 131 8 10"}, {state((file.Seek(10, FILE_BEGIN), file.SetLength(4))), "0 0 4 4"},  // position cut to the end
        {state((file.Seek(2, FILE_BEGIN), file.SetLength(200))), "0 0 2 200"}, {state(file.SetLength(80)), "0 0 2 80"}, {state(file.SetLength(-1)), "1 131 2 80"},
        {state(file.SetLength((int64_t{5} << 30) + 7)), "0 0 2 5368709127"}, {state(file.Seek(-3, FILE_END)), "0 0 5368709124 5368709127"},  // both halves count
        {state(file.Seek((int64_t{1} << 32) + 0xFFFFFFFF, FILE_BEGIN)), "0 0 8589934591 5368709127"}};  // low half all ones
    // clang-format on
    for (const auto& row : rows)
        EXPECT_EQ(row.got, row.expected) << &row - rows;
    EXPECT_EQ(std::string(data, 2), "89");
    EXPECT_EQ(file.Close() + file.Close(), 0);
    EXPECT_EQ(state(file.Read(data, 1)), "0 6 0 0");  // a closed object fails quietly
    ASSERT_EQ(file.Open(path.c_str(), 1), 0);
    EXPECT_EQ(state(file.Write("x", 1)), "0 5 0 5368709127");  // read only
    file.Close();
    MessageBoxRecorder boxes;
    EXPECT_EQ(WFile().Open(path.c_str(), 3), 0);              // destroyed while open
    EXPECT_EQ(file.Open(path.c_str(), 1) + file.Close(), 0);  // the forgotten handle was released
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text + "|" + boxes.Boxes()[0].caption, "File was not closed properly|Error WFile");
}

}  // namespace

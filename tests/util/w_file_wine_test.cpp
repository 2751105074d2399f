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

TEST(WFile, OpenModes) {
    ScratchFolder scratch;
    std::string longest = std::string(255 - scratch.Path().size() - 1, 'f');  // a full path of 255 characters
    const struct {
        const char* before;  // the file's contents, null for no file
        std::string name;
        uint32_t mode;
        DWORD error;  // 0 when it opens
        uint64_t position;
        const char* after;  // the contents after closing, null for no file
    } rows[] = {
        {nullptr, "f", 1, ERROR_FILE_NOT_FOUND, 0, nullptr},
        {nullptr, "no\\f", 3, ERROR_PATH_NOT_FOUND, 0, nullptr},
        {nullptr, "f", 3, 0, 0, ""},
        {"abc", "f", 2, 0, 0, ""},
        {"abc", "f", 3, 0, 0, "abc"},
        {"abc", "f", 2 | kAppend | kBuffered, 0, 3, "abc"},
        {"abc", "f", 3 | kDeleteOnClose, 0, 0, nullptr},
        {nullptr, longest, 3, 0, 0, ""},
        {nullptr, longest + "g", 3, ERROR_FILENAME_EXCED_RANGE, 0, nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name.substr(0, 8) + " mode " + std::to_string(row.mode));
        std::string path = scratch / row.name;
        DeleteFileA(path.c_str());
        if (row.before != nullptr)
            scratch.WriteFile(row.name, row.before);
        WFile file;
        EXPECT_EQ(file.Open(path.c_str(), row.mode), row.error != 0 ? 1 : 0);
        EXPECT_EQ(file.lastError, row.error);
        EXPECT_EQ(file.IsOpen(), row.error == 0);
        EXPECT_EQ(file.GetPosition(), row.position);
        EXPECT_EQ(file.buffer != nullptr, (row.mode & kBuffered) != 0);
        file.Close();
        EXPECT_EQ(FileExists(path), row.after != nullptr);
        EXPECT_EQ(ReadWholeFile(path), row.after != nullptr ? row.after : "");
    }
    EXPECT_EQ(Resolved(scratch / longest + "g"), "error 206");  // refused, not cut
}

TEST(WFile, ReadWriteSeekSetLengthWalk) {
    ScratchFolder scratch;
    std::string path = scratch / "walk.bin";
    WFile file;
    ASSERT_EQ(file.Open(path.c_str(), 3), 0);
    EXPECT_EQ(file.Write("0123456789", 10), 10);
    for (uint32_t first : {1u, 2u, 3u}) {
        WFile other;  // whatever the modes, a second opener is turned away
        EXPECT_EQ(other.Open(path.c_str(), first), 1);
        EXPECT_EQ(other.lastError, static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    }
    EXPECT_EQ(file.Open(path.c_str(), 1), 1);  // an open object keeps its file
    EXPECT_EQ(file.lastError, static_cast<DWORD>(ERROR_BUSY));
    char data[8] = {};
    EXPECT_EQ(file.Seek(8, FILE_BEGIN), 0);
    EXPECT_EQ(file.Read(data, 4), 2);  // short at the end, and no error
    EXPECT_EQ(std::string(data, 2), "89");
    EXPECT_EQ(file.Read(data, 4), 0);
    EXPECT_EQ(file.lastError, 0u);
    EXPECT_EQ(file.Seek(4, FILE_BEGIN), 0);
    EXPECT_EQ(file.SeekRelative(-10), 1);  // before the start: rewinds
    EXPECT_EQ(file.lastError, static_cast<DWORD>(ERROR_NEGATIVE_SEEK));
    EXPECT_EQ(file.GetPosition(), 0u);
    EXPECT_EQ(file.SeekRelative(3), 0);
    EXPECT_EQ(file.GetPosition(), 3u);
    EXPECT_EQ(file.Seek(-2, FILE_END), 0);
    EXPECT_EQ(file.GetPosition(), 8u);
    EXPECT_EQ(file.Seek(-1, FILE_BEGIN), 1);
    EXPECT_EQ(file.lastError, static_cast<DWORD>(ERROR_NEGATIVE_SEEK));

    // Cutting below the position moves it to the end; growing or cutting
    // behind it leaves it.
    EXPECT_EQ(file.Seek(10, FILE_BEGIN), 0);
    EXPECT_EQ(file.SetLength(4), 0);
    EXPECT_EQ(file.GetPosition(), 4u);
    EXPECT_EQ(file.Seek(2, FILE_BEGIN), 0);
    EXPECT_EQ(file.SetLength(200), 0);
    EXPECT_EQ(file.GetSize(), 200u);
    EXPECT_EQ(file.SetLength(80), 0);
    EXPECT_EQ(file.GetPosition(), 2u);
    EXPECT_EQ(file.SetLength(-1), 1);
    EXPECT_NE(file.lastError, 0u);
    EXPECT_EQ(file.GetSize(), 80u);

    // Beyond 4 GiB both halves count; a low half of all ones is a position.
    const int64_t big = (int64_t{5} << 30) + 7;
    ASSERT_EQ(file.SetLength(big), 0) << file.lastError;
    EXPECT_EQ(file.GetSize(), static_cast<uint64_t>(big));
    EXPECT_EQ(file.Seek(-3, FILE_END), 0);
    EXPECT_EQ(file.GetPosition(), static_cast<uint64_t>(big - 3));
    const int64_t allOnes = (int64_t{1} << 32) + 0xFFFFFFFF;
    EXPECT_EQ(file.Seek(allOnes, FILE_BEGIN), 0);
    EXPECT_EQ(file.GetPosition(), static_cast<uint64_t>(allOnes));
    EXPECT_EQ(file.Close(), 0);
    EXPECT_EQ(file.Close(), 0);
    EXPECT_EQ(file.Read(data, 1), 0);  // a closed object fails quietly
    EXPECT_EQ(file.lastError, static_cast<DWORD>(ERROR_INVALID_HANDLE));

    ASSERT_EQ(file.Open(path.c_str(), 1), 0);
    EXPECT_EQ(file.Write("x", 1), 0);
    EXPECT_EQ(file.lastError, static_cast<DWORD>(ERROR_ACCESS_DENIED));
    file.Close();
    MessageBoxRecorder boxes;
    {
        WFile forgotten;
        ASSERT_EQ(forgotten.Open(path.c_str(), 3), 0);
    }
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, "File was not closed properly");
    EXPECT_EQ(boxes.Boxes()[0].caption, "Error WFile");
    EXPECT_EQ(file.Open(path.c_str(), 1), 0);  // the forgotten handle was released
    file.Close();
    EXPECT_EQ(boxes.Boxes().size(), 1u);
}

TEST(WFile, NamesAndListing) {
    ScratchFolder scratch;
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
    scratch.MakeFolder("sub");
    scratch.WriteFile("sub\\inner.txt", "");
    WFileFind find((scratch / "*.*").c_str());
    for (int round = 0; round < 2; ++round) {  // after the end it starts again
        std::vector<std::string> names;
        WIN32_FIND_DATAA entry;
        while (const char* name = find.Next(&entry))
            names.push_back(name);
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, (std::vector<std::string>{".hidden", "a.lnk", "b.txt"}));
    }
    WIN32_FIND_DATAA entry;
    WFileFind absent((scratch / "absent\\*.*").c_str());
    EXPECT_EQ(absent.Next(&entry), nullptr);
    WFileFind tooLong((scratch / std::string(300, 'x') + "\\*.*").c_str());
    EXPECT_EQ(tooLong.Next(&entry), nullptr);
}

}  // namespace

#include "util/w_file.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/message_boxes.h"
#include "tests/support/scratch_folder.h"
#include "util/file_mode.h"

namespace {

using testing_support::MessageBoxRecorder;
using testing_support::ReadWholeFile;
using testing_support::ScratchFolder;

// The current directory is moved for a test and put back afterwards.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::string& path) {
        GetCurrentDirectoryA(sizeof saved_, saved_);
        SetCurrentDirectoryA(path.c_str());
    }
    ~CurrentDirectory() { SetCurrentDirectoryA(saved_); }

private:
    char saved_[MAX_PATH] = "";
};

std::string ModuleFolder() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string text = path;
    return text.substr(0, text.rfind('\\') + 1);
}

std::string Resolved(const char* name) {
    char path[kPathSize];
    DWORD error = WFile::ResolveFileName(name, path);
    return error == 0 ? std::string(path) : "<error " + std::to_string(error) + ">";
}

TEST(WFileOpen, MissingFilesAndCreation) {
    ScratchFolder scratch;
    std::string missing = scratch / "missing.bin";
    WFile reader;
    EXPECT_EQ(reader.Open(missing.c_str(), 1), 1);
    EXPECT_EQ(reader.lastError, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(reader.IsOpen());
    EXPECT_FALSE(testing_support::FileExists(missing));

    WFile inMissingFolder;
    EXPECT_EQ(inMissingFolder.Open((scratch / "nowhere\\x.bin").c_str(), 3), 1);
    EXPECT_EQ(inMissingFolder.lastError, static_cast<DWORD>(ERROR_PATH_NOT_FOUND));

    WFile creator;
    ASSERT_EQ(creator.Open(missing.c_str(), 3), 0);
    EXPECT_EQ(creator.GetSize(), 0u);
    EXPECT_EQ(creator.Write("12345", 5), 5);
    creator.Close();

    WFile writer;  // mode 2 empties what is there
    ASSERT_EQ(writer.Open(missing.c_str(), 2), 0);
    EXPECT_EQ(writer.GetSize(), 0u);
    writer.Close();
    EXPECT_EQ(ReadWholeFile(missing), "");
}

TEST(WFileOpen, SecondOpenerFailsWhateverTheModes) {
    ScratchFolder scratch;
    std::string path = scratch.WriteFile("held.bin", "x");
    for (uint32_t first : {1u, 2u, 3u}) {
        for (uint32_t second : {1u, 2u, 3u}) {
            WFile holder;
            ASSERT_EQ(holder.Open(path.c_str(), first), 0);
            WFile other;
            EXPECT_EQ(other.Open(path.c_str(), second), 1) << first << "/" << second;
            EXPECT_EQ(other.lastError, static_cast<DWORD>(ERROR_SHARING_VIOLATION)) << first << "/" << second;
            EXPECT_FALSE(other.IsOpen());
            holder.Close();
        }
    }
}

TEST(WFileOpen, OpeningAnOpenObjectKeepsTheFirstFile) {
    ScratchFolder scratch;
    std::string a = scratch.WriteFile("a.bin", "aa");
    std::string b = scratch.WriteFile("b.bin", "bbbb");
    WFile file;
    ASSERT_EQ(file.Open(a.c_str(), 1), 0);
    EXPECT_EQ(file.Open(b.c_str(), 1), 1);
    EXPECT_EQ(file.lastError, static_cast<DWORD>(ERROR_BUSY));
    EXPECT_EQ(file.GetSize(), 2u);
    file.Close();
}

TEST(WFileOpen, AppendAndBufferBits) {
    ScratchFolder scratch;
    std::string path = scratch.WriteFile("log.txt", "one");
    WFile file;
    ASSERT_EQ(file.Open(path.c_str(), 2 | file_mode::kAppend | file_mode::kBuffered), 0);
    EXPECT_EQ(file.mode, 2 | file_mode::kAppend | file_mode::kBuffered);  // no create bit: contents kept
    EXPECT_NE(file.buffer, nullptr);
    EXPECT_EQ(file.GetPosition(), 3u);
    EXPECT_EQ(file.Write("two", 3), 3);
    file.Close();
    EXPECT_EQ(file.buffer, nullptr);
    EXPECT_EQ(ReadWholeFile(path), "onetwo");

    ASSERT_EQ(file.Open(path.c_str(), 3 | file_mode::kDeleteOnClose), 0);
    file.Close();
    EXPECT_FALSE(testing_support::FileExists(path));
}

TEST(WFileNames, MarkNamesTheExecutableFolderWhateverTheCurrentDirectory) {
    ScratchFolder scratch;
    CurrentDirectory moved(scratch.Path());
    std::string expected = ModuleFolder() + "readme.txt";
    EXPECT_EQ(Resolved(">readme.txt"), expected);
    EXPECT_EQ(Resolved(">\\readme.txt"), expected);
    EXPECT_EQ(Resolved("readme.txt"), scratch / "readme.txt");
    EXPECT_EQ(Resolved("sub\\..\\x.dat"), scratch / "x.dat");

    // Really opened through the mark, from elsewhere.
    std::string beside = ModuleFolder() + "wfile-mark-test.tmp";
    DeleteFileA(beside.c_str());
    WFile file;
    ASSERT_EQ(file.Open(">\\wfile-mark-test.tmp", 3), 0);
    file.Close();
    EXPECT_TRUE(testing_support::FileExists(beside));
    DeleteFileA(beside.c_str());
}

TEST(WFileNames, PathsThatDoNotFitAreRefusedNotCut) {
    ScratchFolder scratch;
    // Grows the name until the full path needs exactly 255 characters, then one more.
    std::string base = scratch.Path() + "\\";
    std::string fits = base + std::string(255 - base.size(), 'f');
    std::string tooLong = fits + "g";
    EXPECT_EQ(Resolved(fits.c_str()), fits);
    EXPECT_EQ(Resolved(tooLong.c_str()), "<error 206>");

    WFile file;
    EXPECT_EQ(file.Open(tooLong.c_str(), 3), 1);
    EXPECT_EQ(file.lastError, static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE));
    EXPECT_FALSE(file.IsOpen());
    EXPECT_FALSE(testing_support::FileExists(tooLong.substr(0, 255)));

    std::string marked = ">" + std::string(256 - ModuleFolder().size(), 'm');
    EXPECT_EQ(Resolved(marked.c_str()), "<error 206>");
}

TEST(WFileReadWrite, ShortReadsAtTheEndAreNoError) {
    ScratchFolder scratch;
    std::string path = scratch.WriteFile("six.bin", "abcdef");
    WFile file;
    ASSERT_EQ(file.Open(path.c_str(), 1), 0);
    ASSERT_EQ(file.Seek(4, FILE_BEGIN), 0);
    char data[4] = {};
    EXPECT_EQ(file.Read(data, 4), 2);
    EXPECT_EQ(file.lastError, 0u);
    EXPECT_EQ(std::string(data, 2), "ef");
    EXPECT_EQ(file.Read(data, 4), 0);
    EXPECT_EQ(file.lastError, 0u);

    // Writing to a file opened for reading only fails through lastError.
    EXPECT_EQ(file.Write("x", 1), 0);
    EXPECT_EQ(file.lastError, static_cast<DWORD>(ERROR_ACCESS_DENIED));
    file.Close();
}

TEST(WFileSeek, RelativeSeekBeforeTheStartRewinds) {
    ScratchFolder scratch;
    std::string path = scratch.WriteFile("ten.bin", "0123456789");
    WFile file;
    ASSERT_EQ(file.Open(path.c_str(), 1), 0);
    ASSERT_EQ(file.Seek(4, FILE_BEGIN), 0);
    EXPECT_EQ(file.SeekRelative(-10), 1);
    EXPECT_EQ(file.lastError, static_cast<DWORD>(ERROR_NEGATIVE_SEEK));
    EXPECT_EQ(file.GetPosition(), 0u);
    EXPECT_EQ(file.SeekRelative(3), 0);
    EXPECT_EQ(file.lastError, 0u);
    EXPECT_EQ(file.GetPosition(), 3u);
    EXPECT_EQ(file.Seek(-2, FILE_END), 0);
    EXPECT_EQ(file.GetPosition(), 8u);
    EXPECT_EQ(file.Seek(-1, FILE_BEGIN), 1);
    EXPECT_EQ(file.lastError, static_cast<DWORD>(ERROR_NEGATIVE_SEEK));
    file.Close();
}

TEST(WFileSetLength, CutsAndGrowsWithThePositionRules) {
    ScratchFolder scratch;
    std::string path = scratch / "len.bin";
    WFile file;
    ASSERT_EQ(file.Open(path.c_str(), 3), 0);
    std::string hundred(100, 'h');
    ASSERT_EQ(file.Write(hundred.data(), 100), 100);

    EXPECT_EQ(file.SetLength(0), 0);  // position 100 lay beyond: it follows the end
    EXPECT_EQ(file.GetSize(), 0u);
    EXPECT_EQ(file.GetPosition(), 0u);

    ASSERT_EQ(file.Write(hundred.data(), 100), 100);
    ASSERT_EQ(file.Seek(50, FILE_BEGIN), 0);
    EXPECT_EQ(file.SetLength(200), 0);  // growing leaves the position alone
    EXPECT_EQ(file.GetSize(), 200u);
    EXPECT_EQ(file.GetPosition(), 50u);

    EXPECT_EQ(file.SetLength(80), 0);  // cutting behind the position leaves it too
    EXPECT_EQ(file.GetPosition(), 50u);
    EXPECT_EQ(file.SetLength(-1), 1);
    EXPECT_NE(file.lastError, 0u);
    EXPECT_EQ(file.GetSize(), 80u);
    file.Close();
}

TEST(WFileSetLength, SizesBeyondFourGibibytes) {
    ScratchFolder scratch;
    std::string path = scratch / "sparse.bin";
    const int64_t size = (int64_t{5} << 30) + 7;  // 5 GiB and a bit: both halves non-zero
    WFile file;
    ASSERT_EQ(file.Open(path.c_str(), 3), 0);
    ASSERT_EQ(file.SetLength(size), 0) << file.lastError;
    EXPECT_EQ(file.GetSize(), static_cast<uint64_t>(size));
    ASSERT_EQ(file.Seek(-3, FILE_END), 0);
    EXPECT_EQ(file.GetPosition(), static_cast<uint64_t>(size - 3));
    EXPECT_EQ(file.Write("end", 3), 3);
    EXPECT_EQ(file.GetSize(), static_cast<uint64_t>(size));
    // A position whose low half has every bit set is a position, not a failure.
    const int64_t allOnes = (int64_t{1} << 32) + 0xFFFFFFFF;
    EXPECT_EQ(file.Seek(allOnes, FILE_BEGIN), 0);
    EXPECT_EQ(file.GetPosition(), static_cast<uint64_t>(allOnes));
    EXPECT_EQ(file.lastError, 0u);
    file.Close();
}

TEST(WFileClose, TwiceIsHarmlessAndAClosedObjectFailsQuietly) {
    ScratchFolder scratch;
    std::string path = scratch.WriteFile("c.bin", "c");
    WFile file;
    ASSERT_EQ(file.Open(path.c_str(), 1), 0);
    EXPECT_EQ(file.Close(), 0);
    EXPECT_EQ(file.Close(), 0);
    EXPECT_EQ(file.lastError, 0u);
    char byte;
    EXPECT_EQ(file.Read(&byte, 1), 0);
    EXPECT_EQ(file.lastError, static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(file.GetSize(), 0u);
    EXPECT_EQ(file.lastError, static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST(WFileClose, ObjectThatDiesOpenWarnsOnceAndReleasesTheFile) {
    ScratchFolder scratch;
    std::string path = scratch.WriteFile("forgotten.bin", "f");
    MessageBoxRecorder boxes;
    {
        WFile forgotten;
        ASSERT_EQ(forgotten.Open(path.c_str(), 3), 0);
    }
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, "File was not closed properly");
    EXPECT_EQ(boxes.Boxes()[0].caption, "Error WFile");
    EXPECT_EQ(boxes.Boxes()[0].style, static_cast<UINT>(MB_OK | MB_ICONWARNING));

    WFile next;  // no longer locked by the forgotten handle
    EXPECT_EQ(next.Open(path.c_str(), 1), 0);
    next.Close();
    {
        WFile closed;
        ASSERT_EQ(closed.Open(path.c_str(), 1), 0);
        closed.Close();
    }
    EXPECT_EQ(boxes.Boxes().size(), 1u);
}

}  // namespace

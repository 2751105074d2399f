#include "tests/support/scratch_folder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace testing_support {

ScratchFolder::ScratchFolder() {
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = test != nullptr ? std::string(test->test_suite_name()) + "." + test->name() : "outside";
    for (char& c : name)
        c = (c == '/' || c == ':') ? '_' : c;
    CreateDirectoryA((std::string(temp) + "tapdeck-tests").c_str(), nullptr);
    path_ = std::string(temp) + "tapdeck-tests\\" + name;
    RemoveTree(path_);  // left over from a run that crashed
    EXPECT_TRUE(CreateDirectoryA(path_.c_str(), nullptr)) << path_ << ", error " << GetLastError();
}

ScratchFolder::~ScratchFolder() {
    RemoveTree(path_);
}

std::string ScratchFolder::WriteFile(const std::string& name, const std::string& contents) const {
    std::string path = *this / name;
    std::ofstream(path, std::ios::binary) << contents;
    EXPECT_TRUE(FileExists(path)) << path;
    return path;
}

std::string ScratchFolder::MakeFolder(const std::string& name) const {
    std::string path = *this / name;
    EXPECT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << path;
    return path;
}

std::string ReadWholeFile(const std::string& path) {
    std::ostringstream contents;
    contents << std::ifstream(path, std::ios::binary).rdbuf();
    return contents.str();
}

bool FileExists(const std::string& path) {
    return (GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY) == 0;  // INVALID_FILE_ATTRIBUTES has it
}

bool FolderExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES && !FileExists(path);
}

void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((path + "\\*").c_str(), &entry);
    for (bool more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileA(find, &entry)) {
        std::string child = path + "\\" + entry.cFileName;
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL), DeleteFileA(child.c_str());  // read-only too
        else if (entry.cFileName[0] != '.')
            RemoveTree(child);
    }
    FindClose(find);
    RemoveDirectoryA(path.c_str());
}

}  // namespace testing_support

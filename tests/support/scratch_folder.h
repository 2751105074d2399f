#pragma once
// A fresh, empty folder for one test below the prefix's temporary folder,
// removed with everything in it when the test ends.

#include <string>

namespace testing_support {

class ScratchFolder {
public:
    ScratchFolder();  // named after the running test
    ~ScratchFolder();

    const std::string& Path() const { return path_; }  // no trailing backslash
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }
    std::string WriteFile(const std::string& name, const std::string& contents) const;  // returns its path
    std::string MakeFolder(const std::string& name) const;

private:
    std::string path_;
};

std::string ReadWholeFile(const std::string& path);  // "" when it cannot be opened
bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
void RemoveTree(const std::string& path);
// Fills the disk that holds `folder` with one file, whose path it returns.
std::string FillDisk(const std::string& folder);

}  // namespace testing_support

#include "util/shortcut.h"

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/support/scratch_folder.h"

namespace {

using testing_support::FileExists;
using testing_support::FolderExists;
using testing_support::ScratchFolder;

// What a fresh shell link object reads back from a saved file.
struct LoadedLink {
    bool loaded = false;
    std::string target, workingDirectory, iconPath, description, arguments;
    int iconIndex = -1;
    WORD hotkey = 0;
};

LoadedLink Load(const std::string& path) {
    LoadedLink result;
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link)))) {
        return result;
    }
    IPersistFile* file = nullptr;
    WCHAR widePath[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath, MAX_PATH);
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(widePath, STGM_READ))) {
        result.loaded = true;
        char text[MAX_PATH];
        // SLGP_RAWPATH: the path as stored, not resolved against the file system.
        link->GetPath(text, sizeof text, nullptr, SLGP_RAWPATH);
        result.target = text;
        link->GetWorkingDirectory(text, sizeof text);
        result.workingDirectory = text;
        link->GetIconLocation(text, sizeof text, &result.iconIndex);
        result.iconPath = text;
        link->GetDescription(text, sizeof text);
        result.description = text;
        link->GetArguments(text, sizeof text);
        result.arguments = text;
        link->GetHotkey(&result.hotkey);
    }
    if (file != nullptr)
        file->Release();
    link->Release();
    return result;
}

// The show command and hotkey words of the file header, read raw: Wine's link
// object does not load the stored show command (it reads back SW_SHOWNORMAL
// whatever the file holds), so the file itself is the witness.
struct RawHeader {
    DWORD showCommand = 0;
    WORD hotkey = 0;
};

RawHeader ReadHeader(const std::string& path) {
    RawHeader header;
    std::string bytes = testing_support::ReadWholeFile(path);
    if (bytes.size() >= 0x4C) {
        memcpy(&header.showCommand, bytes.data() + 0x3C, sizeof header.showCommand);
        memcpy(&header.hotkey, bytes.data() + 0x40, sizeof header.hotkey);
    }
    return header;
}

// Links that the lnkinfo check reads afterwards go where ctest asks.
void KeepForLnkinfo(const std::string& link, const char* keptName) {
    const char* folder = getenv("TAPDECK_KEEP_LINKS_IN");
    if (folder != nullptr && *folder != '\0') {
        CopyFileA(link.c_str(), (std::string(folder) + "\\" + keptName).c_str(), FALSE);
    }
}

TEST(Shortcut, EveryFieldOfTheSpecIsSavedAndReadBack) {
    ScratchFolder scratch;
    std::string target = scratch.WriteFile("target.exe", "MZ");
    ShortcutSpec spec;
    const WORD hotkey = MAKEWORD('T', HOTKEYF_CONTROL | HOTKEYF_ALT);
    ASSERT_EQ(FillShortcutSpec(&spec, "Opens the Tapdeck help", target.c_str(), "/x 1", scratch.Path().c_str(), hotkey,
                               target.c_str(), 2, SW_SHOWMAXIMIZED),
              0);
    std::string link = scratch / "full.lnk";
    ASSERT_EQ(SaveShortcut(link.c_str(), &spec), 0);

    LoadedLink loaded = Load(link);
    ASSERT_TRUE(loaded.loaded);
    EXPECT_EQ(loaded.target, target);
    EXPECT_EQ(loaded.workingDirectory, scratch.Path());
    EXPECT_EQ(loaded.iconPath, target);
    EXPECT_EQ(loaded.iconIndex, 2);
    EXPECT_EQ(loaded.description, "Opens the Tapdeck help");
    EXPECT_EQ(loaded.arguments, "/x 1");
    EXPECT_EQ(loaded.hotkey, hotkey);
    RawHeader header = ReadHeader(link);
    EXPECT_EQ(header.showCommand, static_cast<DWORD>(SW_SHOWMAXIMIZED));
    EXPECT_EQ(header.hotkey, hotkey);
    KeepForLnkinfo(link, "full.lnk");

    // Minimised without activation is stored as given.
    spec.showCommand = SW_SHOWMINNOACTIVE;
    ASSERT_EQ(SaveShortcut(link.c_str(), &spec), 0);
    EXPECT_EQ(ReadHeader(link).showCommand, static_cast<DWORD>(SW_SHOWMINNOACTIVE));
}

TEST(Shortcut, EmptyFieldsStayEmpty) {
    ScratchFolder scratch;
    std::string target = scratch.WriteFile("doc.txt", "text");
    ShortcutSpec spec;
    ASSERT_EQ(FillShortcutSpec(&spec, "", target.c_str(), nullptr, nullptr, 0, nullptr, 0, SW_SHOWNORMAL), 0);
    std::string link = scratch / "plain.lnk";
    ASSERT_EQ(SaveShortcut(link.c_str(), &spec), 0);
    LoadedLink loaded = Load(link);
    ASSERT_TRUE(loaded.loaded);
    EXPECT_EQ(loaded.target, target);
    EXPECT_EQ(loaded.workingDirectory, "");
    EXPECT_EQ(loaded.iconPath, "");
    EXPECT_EQ(loaded.description, "");
    EXPECT_EQ(loaded.arguments, "");
    EXPECT_EQ(loaded.hotkey, 0);
    EXPECT_EQ(ReadHeader(link).showCommand, static_cast<DWORD>(SW_SHOWNORMAL));
    KeepForLnkinfo(link, "plain.lnk");
}

TEST(Shortcut, SavingIntoAMissingFolderFails) {
    ScratchFolder scratch;
    ShortcutSpec spec;
    FillShortcutSpec(&spec, "", (scratch / "t.exe").c_str(), nullptr, nullptr, 0, nullptr, 0, SW_SHOW);
    std::string link = scratch / "absent\\x.lnk";
    EXPECT_EQ(SaveShortcut(link.c_str(), &spec), 1);
    EXPECT_FALSE(FileExists(link));
}

TEST(Shortcut, FillLeavesOutWhatDoesNotFitAndSaysSo) {
    ShortcutSpec spec;
    std::string longTarget(260, 't');  // needs 261 bytes
    EXPECT_EQ(FillShortcutSpec(&spec, "d", longTarget.c_str(), "a", nullptr, 0, nullptr, 0, SW_SHOW), 1);
    EXPECT_STREQ(spec.target, "");
    EXPECT_STREQ(spec.description, "d");
    EXPECT_STREQ(spec.arguments, "a");
    EXPECT_EQ(FillShortcutSpec(&spec, "d", longTarget.substr(1).c_str(), nullptr, nullptr, 0, nullptr, 0, SW_SHOW), 0);
    EXPECT_EQ(std::string(spec.target), longTarget.substr(1));
}

TEST(SpecialFolder, LocatedFoldersWithAndWithoutAPath) {
    char path[256];
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    EXPECT_EQ(GetSpecialFolderPath(CSIDL_WINDOWS, path), 0);
    EXPECT_STREQ(path, windows);
    // "My Computer" is located but is no file-system folder.
    EXPECT_EQ(GetSpecialFolderPath(CSIDL_DRIVES, path), 0);
    EXPECT_STREQ(path, "");
    EXPECT_EQ(GetSpecialFolderPath(0x7F, path), 1);
    EXPECT_STREQ(path, "");
}

TEST(SpecialFolder, FolderShortcutsAreCreatedWithTheirFolderAndDeleted) {
    char startup[256];
    ASSERT_EQ(GetSpecialFolderPath(CSIDL_STARTUP | CSIDL_FLAG_CREATE, startup), 0);
    std::string link = std::string(startup) + "\\Tapdeck test.lnk";
    DeleteFileA(link.c_str());
    // The prefix's Startup folder is empty: take it away to see it made again.
    ASSERT_TRUE(RemoveDirectoryA(startup));
    char missing[256];
    EXPECT_EQ(GetSpecialFolderPath(CSIDL_STARTUP, missing), 1);  // the shell locates existing folders only
    DeleteFolderShortcut(CSIDL_STARTUP, "Tapdeck test");
    EXPECT_FALSE(FolderExists(startup));

    ScratchFolder scratch;
    std::string target = scratch.WriteFile("Tapdeck.exe", "MZ");
    EXPECT_EQ(CreateFolderShortcut(CSIDL_STARTUP, "Tapdeck test", target.c_str()), 0);
    EXPECT_TRUE(FolderExists(startup));
    LoadedLink loaded = Load(link);
    ASSERT_TRUE(loaded.loaded);
    EXPECT_EQ(loaded.target, target);
    EXPECT_EQ(loaded.description, "");
    EXPECT_EQ(ReadHeader(link).showCommand, static_cast<DWORD>(SW_SHOW));
    KeepForLnkinfo(link, "startup.lnk");

    DeleteFolderShortcut(CSIDL_STARTUP, "Tapdeck test");
    EXPECT_FALSE(FileExists(link));
    DeleteFolderShortcut(CSIDL_STARTUP, "Tapdeck test");  // nothing there: nothing happens
    EXPECT_TRUE(FolderExists(startup));
}

TEST(SpecialFolder, NothingIsWrittenWhenTheFolderCannotBeLocatedOrTheNameIsTooLong) {
    ScratchFolder scratch;
    std::string target = scratch.WriteFile("Tapdeck.exe", "MZ");
    char drive[MAX_PATH];
    GetCurrentDirectoryA(sizeof drive, drive);
    std::string rootLink = std::string(drive, 3) + "Tapdeck root test.lnk";
    EXPECT_EQ(CreateFolderShortcut(0x7F, "Tapdeck root test", target.c_str()), 1);
    EXPECT_EQ(CreateFolderShortcut(CSIDL_DRIVES, "Tapdeck root test", target.c_str()), 1);
    EXPECT_FALSE(FileExists(rootLink));
    EXPECT_FALSE(FileExists("C:\\Tapdeck root test.lnk"));

    std::string longName(250, 'n');
    EXPECT_EQ(CreateFolderShortcut(CSIDL_STARTUP, longName.c_str(), target.c_str()), 1);
}

}  // namespace

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

using namespace testing_support;

// The link as a fresh shell link object reads it back, one field a line, and
// the show command and hotkey words of the file header read raw: Wine's link
// object reads back SW_SHOWNORMAL whatever the file holds.
std::string Load(const std::string& path) {
    IShellLinkA* link = nullptr;
    IPersistFile* file = nullptr;
    std::string fields = "not loaded";
    WCHAR widePath[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath, MAX_PATH);
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(widePath, STGM_READ))) {
        char target[MAX_PATH], directory[MAX_PATH], icon[MAX_PATH], description[MAX_PATH], arguments[MAX_PATH];
        int index = -1;
        link->GetPath(target, sizeof target, nullptr, SLGP_RAWPATH);  // as stored, not resolved
        link->GetWorkingDirectory(directory, sizeof directory);
        link->GetIconLocation(icon, sizeof icon, &index);
        link->GetDescription(description, sizeof description);
        link->GetArguments(arguments, sizeof arguments);
        std::string raw = ReadWholeFile(path);
        DWORD show = 0;
        WORD hotkey = 0;
        memcpy(&show, raw.data() + 0x3C, sizeof show);
        memcpy(&hotkey, raw.data() + 0x40, sizeof hotkey);
        fields = std::string(target) + "|" + directory + "|" + icon + "," + std::to_string(index) + "|" + description +
                 "|" + arguments + "|show " + std::to_string(show) + " hotkey " + std::to_string(hotkey);
    }
    if (file != nullptr)
        file->Release();
    if (link != nullptr)
        link->Release();
    return fields;
}

// tools/check_links.sh reads these copies with lnkinfo afterwards.
void KeepForLnkinfo(const std::string& link, const char* keptName) {
    const char* folder = getenv("TAPDECK_KEEP_LINKS_IN");
    if (folder != nullptr && *folder != '\0')
        CopyFileA(link.c_str(), (std::string(folder) + "\\" + keptName).c_str(), FALSE);
}

TEST(Shortcut, RoundTrip) {
    ScratchFolder scratch;
    std::string target = scratch.WriteFile("target.exe", "MZ"), doc = scratch.WriteFile("doc.txt", "text");
    const WORD hotkey = MAKEWORD('T', HOTKEYF_CONTROL | HOTKEYF_ALT);
    ShortcutSpec spec;
    ASSERT_EQ(FillShortcutSpec(&spec, "Opens the Tapdeck help", target.c_str(), "/x 1", scratch.Path().c_str(), hotkey,
                               target.c_str(), 2, SW_SHOWMAXIMIZED) +
                  SaveShortcut((scratch / "full.lnk").c_str(), &spec),
              0);
    EXPECT_EQ(Load(scratch / "full.lnk"), target + "|" + scratch.Path() + "|" + target +
                                              ",2|Opens the Tapdeck help|/x 1|show 3 hotkey " + std::to_string(hotkey));
    ASSERT_EQ(FillShortcutSpec(&spec, "", doc.c_str(), nullptr, nullptr, 0, nullptr, 0, SW_SHOWMINNOACTIVE) +
                  SaveShortcut((scratch / "plain.lnk").c_str(), &spec),
              0);
    EXPECT_EQ(Load(scratch / "plain.lnk"), doc + "||,0|||show 7 hotkey 0");  // empty fields stay empty
    KeepForLnkinfo(scratch / "full.lnk", "full.lnk");
    KeepForLnkinfo(scratch / "plain.lnk", "plain.lnk");

    char path[256], windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    EXPECT_EQ(GetSpecialFolderPath(CSIDL_WINDOWS, path), 0);
    EXPECT_STREQ(path, windows);
    EXPECT_EQ(GetSpecialFolderPath(CSIDL_DRIVES, path), 0);  // located, but no file-system folder
    EXPECT_STREQ(path, "");

    // A missing Startup folder is made for the link; deleting twice is harmless.
    char startup[256];
    ASSERT_EQ(GetSpecialFolderPath(CSIDL_STARTUP | CSIDL_FLAG_CREATE, startup), 0);
    std::string link = std::string(startup) + "\\Tapdeck test.lnk", program = scratch.WriteFile("Tapdeck.exe", "MZ");
    DeleteFileA(link.c_str());
    ASSERT_TRUE(RemoveDirectoryA(startup));
    EXPECT_EQ(GetSpecialFolderPath(CSIDL_STARTUP, path), 1);  // the shell locates existing folders only
    EXPECT_EQ(CreateFolderShortcut(CSIDL_STARTUP, "Tapdeck test", program.c_str()), 0);
    EXPECT_EQ(Load(link), program + "||,0|||show 5 hotkey 0");
    KeepForLnkinfo(link, "startup.lnk");
    DeleteFolderShortcut(CSIDL_STARTUP, "Tapdeck test");
    DeleteFolderShortcut(CSIDL_STARTUP, "Tapdeck test");
    EXPECT_TRUE(!FileExists(link) && FolderExists(startup));

    // Failures: each call returns 1; a target too long is left out, not cut, and the rest kept.
    std::string inMissingFolder = scratch / "absent\\x.lnk";
    path[0] = 'x';
    EXPECT_EQ(FillShortcutSpec(&spec, "d", std::string(260, 't').c_str(), "a", nullptr, 0, nullptr, 0, SW_SHOW), 1);
    EXPECT_EQ(std::string(spec.target) + "|" + spec.description, "|d");
    EXPECT_EQ(SaveShortcut(inMissingFolder.c_str(), &spec), 1);
    EXPECT_EQ(CreateFolderShortcut(0x7F, "Tapdeck root test", program.c_str()), 1);          // unknown folder
    EXPECT_EQ(CreateFolderShortcut(CSIDL_DRIVES, "Tapdeck root test", program.c_str()), 1);  // no path
    EXPECT_EQ(CreateFolderShortcut(CSIDL_STARTUP, std::string(250, 'n').c_str(), program.c_str()), 1);  // name too long
    EXPECT_EQ(GetSpecialFolderPath(0x7F, path), 1);
    EXPECT_STREQ(path, "");
    EXPECT_FALSE(FileExists(inMissingFolder) || FileExists("C:\\Tapdeck root test.lnk"));
}

}  // namespace

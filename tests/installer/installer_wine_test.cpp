// The installation steps where the end-to-end journey cannot reach them
// cheaply: each course that ends early, a package inside the installation
// folder, a target in use, a folder too long, the earlier unquoted uninstall
// command and the planted DLL. This program plays the installer too: copied
// into a package as setup.exe, since the steps look at the running
// executable's own name and folder, it answers each dialog with the words it
// is given and writes what it saw to run.txt beside it.

#include <windows.h>
#include <shlobj.h>

#include <process.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <utility>

#include "installer/installer.h"
#include "tests/markup_dialog/dialog_driver.h"
#include "tests/support/scratch_folder.h"
#include "util/find_no_case.h"
#include "util/folder_path.h"
#include "util/registry.h"
#include "util/shortcut.h"

namespace {

using namespace testing_support;

const std::string kFolder = "c:\\program files\\zuvware\\Tapdeck";
const std::string kExe = kFolder + "\\Tapdeck.exe";
const std::string kLong = "c:\\tapdeck-test-long\\" + std::string(213, 'x');  // one byte too long for the command
const char kKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tapdeck";

std::string Beside(const std::string& name) {
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof self);
    return std::string(self).substr(0, std::string(self).rfind('\\') + 1) + name;
}

void Put(const std::string& path, const std::string& text, const char* mode) {
    FILE* file = fopen(path.c_str(), mode);
    fputs(text.c_str(), file);
    fclose(file);
}

std::string PlantedDll() {
    HMODULE planted = LoadLibraryA("planted.dll");
    FreeLibrary(planted);
    return planted != nullptr ? "loads" : "refused";
}

// Run before the tests: under another name this program plays the installer
// with the driver's words it is given, and ends there; as uninstall.exe it
// plays the removal.
int PlayInstaller() {
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof self);
    if (__argc != 2 || FindNoCase(self, "\\installer_wine_tests.exe") != nullptr)
        return 0;
    CoInitialize(nullptr);
    MessageBoxRecorder boxes;
    Installer installer("Tapdeck", "1.10", "Tapdeck Installer", 3, 3);
    std::string planted = PlantedDll();
    markup_testing::postInput = true;
    markup_testing::Outcome outcome = markup_testing::Drive(
        [&] {
            if (FindNoCase(self, "\\uninstall.exe") != nullptr)
                return installer.Uninstall(), 0;
            installer.RunInstall();
            planted += " " + PlantedDll();  // the search restricted by now
            installer.ReportComplete();
            return static_cast<int>(installer.aborted);
        },
        __argv[1], 60000);
    for (const MessageBoxRecord& box : boxes.Boxes())
        outcome.seen += " | box " + box.caption + " " + box.text;
    Put(Beside("run.txt"), outcome.seen + " | " + std::to_string(outcome.result) + " " + planted + outcome.failure,
        "wb");
    CoUninitialize();
    ExitProcess(0);
}

const int kPlayed = PlayInstaller();

void Write(HKEY root, const char* key, const char* name, const std::string& value) {
    RegWriteValue(key, root, name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

void CleanWorld() {
    RemoveTree("c:\\program files\\zuvware");
    DeleteFileA("c:\\program files\\zuvware");
    RemoveTree("c:\\tapdeck-test-long");
    RegDeleteEntry(HKEY_LOCAL_MACHINE, nullptr, kKey);
    DeleteFolderShortcut(CSIDL_STARTUP, "Tapdeck");
}

// Each course shows its messages and nothing after them, and leaves the
// folder, the uninstall entry and the link as the row says.
TEST(Installer, CoursesThatEndEarlyOrOddly) {
    // The shell opens the help page and the installation folder: in this
    // prefix nothing it opens may reach the host.
    Write(HKEY_CLASSES_ROOT, ".htm", "", "TapdeckTest.htm");
    Write(HKEY_CLASSES_ROOT, "TapdeckTest.htm\\shell\\open\\command", "", "cmd /c rem \"%1\"");
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "Folder\\shell\\open\\ddeexec");  // tried before the command
    Write(HKEY_CLASSES_ROOT, "Folder\\shell\\open\\command", "", "cmd /c rem \"%1\"");
    ScratchFolder scratch;
    HANDLE held = INVALID_HANDLE_VALUE;
    const std::string licence =
        "Please read the license agreement and press 'Continue' to proceed with the installation. [";
    const std::string L = licence + std::to_string(ReadWholeFile(TAPDECK_PACKAGE_DIR "\\readme.txt").size()) + "] ";
    const std::string agree = "click:515 Enter wait ", end = " | 1 loads refused", none = "0, 0, link 0";
    const std::string incomplete =
        "The installation package is not complete, make sure all the files from the archive are in the "
        "installation folder.\nIf necessary, get the full package at https://tapdeck.example.org/download [-]" +
        end;
    const std::string aborted = "Install aborted. [-]" + end,
                      cannotCreate = "Could not create the installation folder, Install aborted. [-]" + end;
    // clang-format off
    const struct { std::string exe; std::function<void(const std::string& folder)> prepare; std::string script, shown, after; } rows[] = {
        // exe below the scratch folder (or a full path), run with the words; what it showed; folder, entry, link
        {"no licence\\setup.exe", [](const std::string& f) { DeleteFileA((f + "readme.txt").c_str()); }, "?msg Enter", incomplete, none},
        {"no help page\\setup.exe", [](const std::string& f) { DeleteFileA((f + "Tapdeck.htm").c_str()); }, "?msg Enter", incomplete, none},
        {"misnamed\\install.exe", nullptr, "?msg Enter", incomplete, none},
        {"licence refused\\setup.exe", nullptr, "?msg Esc wait ?msg Enter", L + aborted, none},
        {"licence too large\\setup.exe", [](const std::string& f) { Put(f + "readme.txt", std::string(1 << 20, 'L'), "ab"); },
         "?msg Esc wait ?msg Enter", licence + "0] " + aborted, none},
        {"options aborted\\setup.exe", nullptr, agree + "?msg Esc wait Enter", "Select a folder and set the requested options. [32]" + end, none},
        {"file there\\setup.exe", [](const std::string&) { Put("c:\\program files\\zuvware", "", "wb"); }, agree + "Enter wait ?msg Enter",
         cannotCreate, none},
        {"too long\\setup.exe", nullptr, agree + "text:" + kLong + " Enter wait ?msg Enter", cannotCreate, none},
        {"in use\\setup.exe", [&held](const std::string&) { CreateFolderPath(kFolder.c_str()), held = CreateFileA(kExe.c_str(), GENERIC_WRITE, 0, nullptr,
         CREATE_ALWAYS, 0, nullptr); }, agree + "Enter wait ?msg Enter", "Could not copy all the files!, Install aborted. [-] | box " + scratch /
         "in use\\setup.exe Could not copy file" + end, "1, 0, link 0"},
        // Registered as an earlier version did, unquoted, with the link and the folder.
        {"unquoted\\uninstall.exe", [](const std::string&) { Write(HKEY_LOCAL_MACHINE, kKey, "DisplayName", "Tapdeck (Remove only)"),
         Write(HKEY_LOCAL_MACHINE, kKey, "UninstallString", kExe + " /U 1.10"), CreateFolderShortcut(CSIDL_STARTUP, "Tapdeck", kExe.c_str()),
         CreateFolderPath(kFolder.c_str()); }, "?msg Enter", "Uninstall completed. Please close the application and remove the files manually [-] | 0 loads",
         "1, 0, link 0"},
        // A package inside the installation folder: its licence and help page, already in place, are not copied onto themselves.
        {kFolder + "\\setup.exe", nullptr, agree + "Enter wait ?msg Enter", "Installation complete. [-] | 0 loads refused", "1, 1, link 1"}};
    // clang-format on
    for (const auto& row : rows) {
        CleanWorld();
        std::string exe = row.exe.find(':') != std::string::npos ? row.exe : scratch / row.exe;
        std::string folder = exe.substr(0, exe.rfind('\\') + 1);
        CreateFolderPath(folder.c_str());
        EXPECT_TRUE(CopyFileA(Beside("installer_wine_tests.exe").c_str(), exe.c_str(), FALSE)) << exe;
        CopyFileA(Beside("planted.dll").c_str(), (folder + "planted.dll").c_str(),
                  FALSE);  // as a downloads folder might hold
        for (const char* name : {"readme.txt", "Tapdeck.htm"})
            CopyFileA((TAPDECK_PACKAGE_DIR "\\" + std::string(name)).c_str(), (folder + name).c_str(), FALSE);
        if (row.prepare)
            row.prepare(folder);
        EXPECT_EQ(_spawnl(_P_WAIT, exe.c_str(), "setup", ("\"" + row.script + "\"").c_str(), nullptr), 0);
        EXPECT_EQ(ReadWholeFile(folder + "run.txt"), row.shown) << row.exe;
        CloseHandle(std::exchange(held, INVALID_HANDLE_VALUE));
        char startup[MAX_PATH] = "";
        GetSpecialFolderPath(CSIDL_STARTUP, startup);
        EXPECT_EQ(std::to_string(FolderExists(kFolder) || FolderExists(kLong)) + ", " +
                      std::to_string(Installer("Tapdeck", "1.10", "", 3, 3).IsInstalled()) + ", link " +
                      std::to_string(FileExists(std::string(startup) + "\\Tapdeck.lnk")),
                  row.after)
            << row.exe;
    }
    CleanWorld();
}

}  // namespace

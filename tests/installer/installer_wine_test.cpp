// The installation steps where the end-to-end journey cannot reach them
// cheaply: each course that ends early, a package inside the installation
// folder, a target in use, a folder too long and the planted DLL. This
// program plays the installer too: copied into a package as setup.exe, since
// the steps look at the running executable's own name and folder, it answers
// each dialog with the words it is given and writes what it saw, and what it
// left behind, to run.txt beside it.

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
#include "util/folder_path.h"
#include "util/registry.h"
#include "util/shortcut.h"
#include "util/w_file.h"

namespace {

using namespace testing_support;

const std::string kFolder = "c:\\program files\\zuvware\\Tapdeck";
const std::string kPackage = TAPDECK_PACKAGE_DIR "\\";
const std::string kLong = "c:\\tapdeck-test-long\\" + std::string(213, 'x');  // one byte too long for the command

std::string Beside(const std::string& name) {
    char path[kPathSize] = "";
    WFile::ResolveFileName((">" + name).c_str(), path);
    return path;
}

std::string PlantedDll() {
    HMODULE planted = LoadLibraryA("planted.dll");
    FreeLibrary(planted);
    return planted != nullptr ? "loads" : "refused";
}

// Run before the tests: under another name this program plays the installer
// with the driver's words it is given, and ends there.
int PlayInstaller() {
    if (__argc != 2 || FileExists(Beside("installer_wine_tests.exe")))  // the test itself, not a copy
        return 0;
    CoInitialize(nullptr);
    MessageBoxRecorder boxes;
    Installer installer("Tapdeck", "1.10", "Tapdeck Installer", 3, 3);
    std::string planted = PlantedDll();
    markup_testing::Outcome outcome = markup_testing::Drive(
        [&] {
            installer.RunInstall();
            planted += " " + PlantedDll();  // the search restricted by now
            installer.ReportComplete();
            return static_cast<int>(installer.aborted);
        },
        __argv[1], 60000);
    for (const MessageBoxRecord& box : boxes.Boxes())
        outcome.seen += " | box " + box.caption + " " + box.text;
    // What is left: the folder, the uninstall entry and the Startup link.
    char startup[MAX_PATH] = "";
    GetSpecialFolderPath(CSIDL_STARTUP, startup);
    int left = (FolderExists(kFolder) || FolderExists(kLong)) * 100 + installer.IsInstalled() * 10 +
               FileExists(startup + std::string("\\Tapdeck.lnk"));
    FILE* run = fopen(Beside("run.txt").c_str(), "wb");
    fprintf(run, "%s | %d %s %d%s", outcome.seen.c_str(), outcome.result, planted.c_str(), left,
            outcome.failure.c_str());
    fclose(run);
    CoUninitialize();
    ExitProcess(0);
}

const int kPlayed = PlayInstaller();

void CleanWorld() {
    RemoveTree("c:\\program files\\zuvware");
    DeleteFileA("c:\\program files\\zuvware");
    RemoveTree("c:\\tapdeck-test-long");
    RegDeleteEntry(HKEY_LOCAL_MACHINE, nullptr, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tapdeck");
    DeleteFolderShortcut(CSIDL_STARTUP, "Tapdeck");
}

// Each course shows its messages and nothing after them, and leaves the
// folder, the uninstall entry and the link as the row says.
TEST(Installer, CoursesThatEndEarlyOrOddly) {
    // The shell opens the help page: in this prefix nothing it opens may reach the host.
    RegWriteValue(".htm", HKEY_CLASSES_ROOT, "", REG_SZ, "TapdeckTest.htm", 16);
    RegWriteValue("TapdeckTest.htm\\shell\\open\\command", HKEY_CLASSES_ROOT, "", REG_SZ, "cmd /c rem", 11);
    ScratchFolder scratch;
    HANDLE held = INVALID_HANDLE_VALUE;
    const std::string licence =
        "Please read the license agreement and press 'Continue' to proceed with the installation. [";
    const std::string agree = "click:515 Enter wait ", end = " | 1 loads refused 0";
    const std::string incomplete =
        "The installation package is not complete, make sure all the files from the archive are in the "
        "installation folder.\nIf necessary, get the full package at https://tapdeck.example.org/download [-]" +
        end;
    const std::string cannotCreate = "Could not create the installation folder, Install aborted. [-]" + end;
    // clang-format off
    const struct { std::string exe; std::function<void(const std::string& folder)> prepare; std::string script, shown; } rows[] = {
        // the program, run with the words; what it showed and left
        {scratch / "no licence\\setup.exe", [](const std::string& f) { DeleteFileA((f + "readme.txt").c_str()); }, "?msg Enter", incomplete},
        {scratch / "no help page\\setup.exe", [](const std::string& f) { DeleteFileA((f + "Tapdeck.htm").c_str()); }, "?msg Enter", incomplete},
        {scratch / "misnamed\\install.exe", nullptr, "?msg Enter", incomplete},
        {scratch / "licence too large\\setup.exe", [&](const std::string&) { scratch.WriteFile("licence too large\\readme.txt",
         std::string(1 << 20, 'L') + "!"); }, "?msg Esc wait ?msg Enter", licence + "0] Install aborted. [-]" + end},
        {scratch / "options aborted\\setup.exe", nullptr, agree + "?msg Esc wait Enter", "Select a folder and set the requested options. [32]" + end},
        {scratch / "file there\\setup.exe", [](const std::string&) { CloseHandle(CreateFileA("c:\\program files\\zuvware", GENERIC_WRITE, 0, nullptr,
         CREATE_ALWAYS, 0, nullptr)); }, agree + "Enter wait ?msg Enter", cannotCreate},
        {scratch / "too long\\setup.exe", nullptr, agree + "text:" + kLong + " Enter wait ?msg Enter", cannotCreate},
        {scratch / "in use\\setup.exe", [&](const std::string&) { CreateFolderPath(kFolder.c_str()), held = CreateFileA((kFolder + "\\Tapdeck.exe").c_str(),
         GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr); }, agree + "Enter wait ?msg Enter", "Could not copy all the files!, Install aborted. "
         "[-] | box " + scratch / "in use\\setup.exe Could not copy file | 1 loads refused 100"},
        // A package inside the installation folder: its licence and help page, already in place, are not copied onto themselves.
        {kFolder + "\\setup.exe", nullptr, "?msg " + agree + "Enter wait ?msg Enter", licence + std::to_string(ReadWholeFile(kPackage +
         "readme.txt").size()) + "] Installation complete. [-] | 0 loads refused 111"}};
    // clang-format on
    for (const auto& row : rows) {
        CleanWorld();
        std::string folder = row.exe.substr(0, row.exe.rfind('\\') + 1);
        CreateFolderPath(folder.c_str());
        EXPECT_TRUE(CopyFileA(Beside("installer_wine_tests.exe").c_str(), row.exe.c_str(), FALSE)) << row.exe;
        // The package, and a DLL as a downloads folder might hold.
        for (const std::string& from : {Beside("planted.dll"), kPackage + "readme.txt", kPackage + "Tapdeck.htm"})
            CopyFileA(from.c_str(), (folder + from.substr(from.rfind('\\') + 1)).c_str(), FALSE);
        if (row.prepare)
            row.prepare(folder);
        EXPECT_EQ(_spawnl(_P_WAIT, row.exe.c_str(), "setup", ("\"" + row.script + "\"").c_str(), nullptr), 0);
        EXPECT_EQ(ReadWholeFile(folder + "run.txt"), row.shown) << row.exe;
        CloseHandle(std::exchange(held, INVALID_HANDLE_VALUE));
    }
    CleanWorld();
}

}  // namespace

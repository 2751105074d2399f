// The installation's courses that the end-to-end journey does not take: each
// that ends early, a package inside the installation folder, a target in
// use, a full disk, a refused registry write, a folder too long and a DLL
// planted beside the installer. This program plays the installer too:
// copied into a package as setup.exe, since the steps look at the running
// executable's own name and folder, it answers each dialog with the words it
// is given and writes what it saw, and what it left behind, to run.txt.

#include <windows.h>
#include <shlobj.h>

#include <process.h>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <utility>

#include "installer/installer.h"
#include "tests/installer/dialog_driver.h"
#include "tests/support/scratch_folder.h"
#include "util/folder_path.h"
#include "util/registry.h"
#include "util/shortcut.h"
#include "util/w_file.h"

namespace {

using namespace testing_support;

const std::string kFolder = "c:\\program files\\zuvware\\Tapdeck";
const std::string kPackage = TAPDECK_PACKAGE_DIR "\\";
const char kUninstallKeys[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

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
// with the driver's words it is given, writes one "field=value" line each
// for what it saw and left, and ends there.
int PlayInstaller() {
    if (__argc != 2 || FileExists(Beside("installer_wine_tests.exe")))  // the test itself, not a copy
        return 0;
    CoInitialize(nullptr);
    MessageBoxRecorder boxes;
    Installer installer("Tapdeck", "1.10", "Tapdeck Installer", 3, 3);
    std::string before = PlantedDll();
    std::string after;
    markup_testing::Outcome outcome = markup_testing::Drive(
        [&] {
            installer.RunInstall();
            after = PlantedDll();  // the search restricted by now
            installer.ReportComplete();
            return static_cast<int>(installer.aborted);
        },
        __argv[1], 60000);
    char startup[MAX_PATH] = "";
    GetSpecialFolderPath(CSIDL_STARTUP, startup);
    std::ofstream run(Beside("run.txt"), std::ios::binary);
    std::string seen = outcome.seen;
    for (size_t at = seen.find('\n'); at != std::string::npos; at = seen.find('\n', at))
        seen.replace(at, 1, "\\n");  // one line a field
    run << "messages=" << seen << "\n";
    for (const MessageBoxRecord& box : boxes.Boxes())
        run << "box=" << box.text << " (" << box.caption << ")\n";
    run << "aborted=" << outcome.result << "\nplanted dll=" << before << " " << after << "\n";
    run << "folder=" << FolderExists(installer.folder) << "\ninstalled=" << installer.IsInstalled() << "\n";
    run << "link=" << FileExists(startup + std::string("\\Tapdeck.lnk")) << "\ndriver=" << outcome.failure << "\n";
    run.close();
    CoUninitialize();
    ExitProcess(0);
}

const int kPlayed = PlayInstaller();

std::map<std::string, std::string> ReadRun(const std::string& path) {
    std::map<std::string, std::string> fields;
    std::istringstream lines(ReadWholeFile(path));
    for (std::string line; std::getline(lines, line);)
        fields[line.substr(0, line.find('='))] = line.substr(line.find('=') + 1);
    return fields;
}

// The key that holds the uninstall entries, made anew (it holds none here).
// Under Wine a volatile key may get only volatile keys below it: the
// registry then refuses the uninstall entry, as a key without write rights
// would on Windows.
void MakeUninstallKeys(DWORD options) {
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kUninstallKeys);
    HKEY keys = nullptr;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, kUninstallKeys, 0, nullptr, options, KEY_WRITE, nullptr, &keys, nullptr);
    RegCloseKey(keys);
}

void CleanWorld() {
    RemoveTree("c:\\program files\\zuvware");
    RemoveTree("c:\\tapdeck-test-long");
    RegDeleteEntry(HKEY_LOCAL_MACHINE, nullptr, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tapdeck");
    MakeUninstallKeys(0);
    DeleteFolderShortcut(CSIDL_STARTUP, "Tapdeck");
}

const std::string kLicence =
    "Please read the license agreement and press 'Continue' to proceed with the installation. [";
const std::string kIncomplete =
    "The installation package is not complete, make sure all the files from the archive are in the installation "
    "folder.\\nIf necessary, get the full package at https://tapdeck.example.org/download [-]";
const std::string kAgree = "click:515 Enter wait ";

// Each course shows its messages and nothing after them, and leaves the
// folder, the uninstall entry and the link as the row says.
TEST(Installer, CoursesThatEndEarlyOrOddly) {
    // The shell opens the help page: in this prefix nothing it opens may reach the host.
    RegWriteValue(".htm", HKEY_CLASSES_ROOT, "", REG_SZ, "TapdeckTest.htm", 16);
    RegWriteValue("TapdeckTest.htm\\shell\\open\\command", HKEY_CLASSES_ROOT, "", REG_SZ, "cmd /c rem", 11);
    ScratchFolder scratch;
    HANDLE held = INVALID_HANDLE_VALUE;
    const std::string tooLong = "c:\\tapdeck-test-long\\" + std::string(172, 'x');  // one character too long
    const std::string licenceSize = std::to_string(ReadWholeFile(kPackage + "readme.txt").size());
    const std::string chosen = scratch / "chosen";  // not made yet
    const struct {
        const char* name;
        std::string setup;  // where the program runs as the installer
        std::function<void(const std::string& package)> prepare;
        std::string script;
        std::string messages;  // what the script's "?msg" words saw
        std::string box;       // the plain message box, if one was shown
        bool folder;           // the installation folder is left
        bool installed;
    } rows[] = {
        {"no licence", scratch / "no licence\\setup.exe",
         [](const std::string& package) { DeleteFileA((package + "readme.txt").c_str()); }, "?msg Enter", kIncomplete,
         "", false, false},
        // The licence's Continue is enabled exactly while its box is ticked.
        {"options aborted", scratch / "aborted\\setup.exe", nullptr,
         "?en:1000 click:515 until:on:515=1 ?en:1000 Enter wait ?msg Esc wait Enter",
         "0 1 Select a folder and set the requested options. [32]", "", false, false},
        // "..." opens the folder chooser, which takes a folder not made yet.
        {"a folder chosen with the chooser", scratch / "chosen\\setup.exe", nullptr,
         kAgree + "text:" + scratch.Path() + " click:401/403 until:open=11 set:name=" + chosen +
             " Enter until:open=10 until:t:401/402=" + chosen + " Enter wait ?msg Enter",
         "Installation complete. [-]", "", true, true},
        {"a folder too long for folder 0's shortcuts", scratch / "too long\\setup.exe", nullptr,
         kAgree + "text:" + tooLong + " Enter wait ?msg Enter",
         "Could not create the installation folder, Install aborted. [-]", "", false, false},
        {"the installed program in use", scratch / "in use\\setup.exe",
         [&](const std::string&) {
             CreateFolderPath(kFolder.c_str());
             held =
                 CreateFileA((kFolder + "\\Tapdeck.exe").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
         },
         kAgree + "Enter wait ?msg Enter", "Could not copy all the files!, Install aborted. [-]",
         "Could not copy file (" + scratch / "in use\\setup.exe)", true, false},
        {"the registry refuses the entry", scratch / "refused\\setup.exe",
         [](const std::string&) { MakeUninstallKeys(REG_OPTION_VOLATILE); }, kAgree + "Enter wait ?msg ?icon Enter",
         "Could not write the uninstall entry, Install aborted. [-] 1", "", true, false},
        // A package inside the installation folder: its licence and help
        // page, already in place, are not copied onto themselves.
        {"the package in the installation folder", kFolder + "\\setup.exe", nullptr,
         "?msg " + kAgree + "Enter wait ?msg Enter", kLicence + licenceSize + "] Installation complete. [-]", "", true,
         true},
    };
    for (const auto& row : rows) {
        CleanWorld();
        std::string package = row.setup.substr(0, row.setup.rfind('\\') + 1);
        CreateFolderPath(package.c_str());
        EXPECT_TRUE(CopyFileA(Beside("installer_wine_tests.exe").c_str(), row.setup.c_str(), FALSE)) << row.name;
        // The package, and a DLL as a downloads folder might hold.
        for (const std::string& from : {Beside("planted.dll"), kPackage + "readme.txt", kPackage + "Tapdeck.htm"})
            CopyFileA(from.c_str(), (package + from.substr(from.rfind('\\') + 1)).c_str(), FALSE);
        if (row.prepare)
            row.prepare(package);
        EXPECT_EQ(_spawnl(_P_WAIT, row.setup.c_str(), "setup", ("\"" + row.script + "\"").c_str(), nullptr), 0);
        std::map<std::string, std::string> run = ReadRun(package + "run.txt");
        EXPECT_EQ(run["driver"], "") << row.name;
        EXPECT_EQ(run["messages"], row.messages) << row.name;
        EXPECT_EQ(run["box"], row.box) << row.name;
        EXPECT_EQ(run["aborted"], row.installed ? "0" : "1") << row.name;
        EXPECT_EQ(run["planted dll"], "loads refused") << row.name;
        EXPECT_EQ(run["folder"], row.folder ? "1" : "0") << row.name;
        EXPECT_EQ(run["installed"], row.installed ? "1" : "0") << row.name;
        EXPECT_EQ(run["link"], row.installed ? "1" : "0") << row.name;
        CloseHandle(std::exchange(held, INVALID_HANDLE_VALUE));
    }
    CleanWorld();
}

// T: is a 64 KiB file system (tools/fault_drive.sh), too small for the
// program: the copy fails, and the earlier program stays as it was.
TEST(Installer, FullDiskLeavesTheEarlierProgramWhole) {
    ScratchFolder scratch;
    CreateFolderPath("T:\\app");
    std::ofstream("T:\\app\\Tapdeck.exe", std::ios::binary) << "earlier";
    std::string setup = scratch / "setup.exe";
    CopyFileA(Beside("installer_wine_tests.exe").c_str(), setup.c_str(), FALSE);
    EXPECT_EQ(Installer::CopyOneFile(setup.c_str(), "T:\\app\\Tapdeck.exe"), 0);
    std::string left = ReadWholeFile("T:\\app\\Tapdeck.exe");
    EXPECT_EQ(left.size(), 7u);
    EXPECT_EQ(left.substr(0, 16), "earlier");
    EXPECT_FALSE(FileExists("T:\\app\\Tapdeck.exe.tmp"));
    RemoveTree("T:\\app");
}

}  // namespace

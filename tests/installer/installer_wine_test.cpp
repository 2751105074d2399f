// The real installation steps in a scratch package folder and the default
// installation folder of the test prefix, each dialog answered as a user
// would. The installation itself runs in a child process (setup_child.cpp),
// because its steps look at the running executable's own name and folder.
// The shell's handlers for .htm files and for folders point at the same child
// program, which only notes what it was asked to open, and the installed copy
// is that program again: nothing opens on the host.

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "installer/installer.h"
#include "tests/installer/dialog_log.h"
#include "tests/support/message_boxes.h"
#include "tests/support/scratch_folder.h"
#include "util/shortcut.h"

namespace {

using namespace installer_testing;
using testing_support::FileExists;
using testing_support::FolderExists;
using testing_support::MessageBoxRecorder;
using testing_support::ReadWholeFile;
using testing_support::RemoveTree;
using testing_support::ScratchFolder;

const std::string kInstallFolder = "c:\\program files\\zuvware\\Tapdeck";
const std::string kInstalledExe = kInstallFolder + "\\Tapdeck.exe";
const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tapdeck";
// The view the program itself uses: a 32-bit program on a 64-bit system sees
// the 32-bit one.
const REGSAM kProgramView = sizeof(void*) == 4 ? KEY_WOW64_32KEY : 0;

const std::string kLicence =
    "Tapdeck Installer | 0 | &Continue installation|&No, I don't agree | Please read the license agreement and press "
    "'Continue' to proceed with the installation.";
const std::string kOptions =
    "Tapdeck Installer | 0 | &Continue|&Abort installation | Select a folder and set the requested options.";
const std::string kAborted = "Tapdeck Installer | 32516 | &OK | Install aborted.";
const std::string kCannotCreate =
    "Tapdeck Installer | 32515 | &OK | Could not create the installation folder, Install aborted.";
const std::string kCopyFailed = "Tapdeck Installer | 32515 | &OK | Could not copy all the files!, Install aborted.";
const std::string kComplete = "Tapdeck Installer | 32516 | &OK | Installation complete.";
const std::string kIncomplete =
    "Tapdeck Installer | 32513 | &OK | The installation package is not complete, make sure all the files from the "
    "archive are in the installation folder.\nIf necessary, get the full package at "
    "https://tapdeck.example.org/download";

std::string Beside(const std::string& name) {
    return FolderOf(ModulePath()) + "\\" + name;
}

std::string StartupLink() {
    char folder[MAX_PATH] = "";
    GetSpecialFolderPath(CSIDL_STARTUP, folder);
    return std::string(folder) + "\\Tapdeck.lnk";
}

bool ReadValue(const char* name, std::string* value) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ | kProgramView, &key) != ERROR_SUCCESS)
        return false;
    char data[512] = "";
    DWORD size = sizeof data - 1;
    DWORD type = 0;
    LONG status = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    *value = data;
    return status == ERROR_SUCCESS && type == REG_SZ;
}

bool KeyExists() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ | kProgramView, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void WriteEntry(const char* command) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey, 0, nullptr, 0, KEY_WRITE | kProgramView, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    const char name[] = "Tapdeck (Remove only)";
    RegSetValueExA(key, "DisplayName", 0, REG_SZ, reinterpret_cast<const BYTE*>(name), sizeof name);
    if (command != nullptr)
        RegSetValueExA(key, "UninstallString", 0, REG_SZ, reinterpret_cast<const BYTE*>(command),
                       lstrlenA(command) + 1);
    RegCloseKey(key);
}

std::string LinkTarget(const std::string& link) {
    IShellLinkA* shellLink = nullptr;
    IPersistFile* file = nullptr;
    char target[MAX_PATH] = "";
    WCHAR wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, wide, MAX_PATH);
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&shellLink)))) {
        if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            if (SUCCEEDED(file->Load(wide, STGM_READ)))
                shellLink->GetPath(target, sizeof target, nullptr, 0);
            file->Release();
        }
        shellLink->Release();
    }
    return target;
}

bool Recorded(const std::string& line) {
    for (const std::string& seen : ReadLines(RecordFile())) {
        if (lstrcmpiA(seen.c_str(), line.c_str()) == 0)
            return true;
    }
    return false;
}

// Waits for `handle` to be signalled or `done` to hold, dispatching
// messages meanwhile; `rearm` is called after each signal.
bool WaitFor(HANDLE handle, const std::function<bool()>& done, const std::function<void()>& rearm, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        if (done())
            return true;
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return false;
        if (MsgWaitForMultipleObjects(1, &handle, FALSE, timeoutMs - elapsed, QS_ALLINPUT) == WAIT_OBJECT_0)
            rearm();
    }
}

// The recorders start as separate processes and write when they get there:
// the record file's folder tells when it changes.
bool AwaitRecord(const std::string& line) {
    HANDLE change = FindFirstChangeNotificationA(
        FolderOf(RecordFile()).c_str(), FALSE,
        FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE);
    bool seen = WaitFor(
        change, [&line] { return Recorded(line); }, [change] { FindNextChangeNotification(change); }, 60000);
    FindCloseChangeNotification(change);
    return seen;
}

std::vector<std::string> Summaries(const std::vector<DialogSeen>& dialogs) {
    std::vector<std::string> summaries;
    for (const DialogSeen& dialog : dialogs)
        summaries.push_back(dialog.Summary());
    return summaries;
}

struct ChildReport {
    bool ran = false;
    std::vector<DialogSeen> dialogs;
    std::vector<std::string> boxes;  // caption, text and style, tab-separated
    std::map<std::string, bool> events;
    std::string failure;
};

// Everything the tests change outside their scratch folders: the default
// installation folder, the uninstall entry, the autostart link, the record
// of opened files, and the prefix's handlers (pointed at the recorder).
class InstallerTest : public ::testing::Test {
protected:
    void SetUp() override {
        CleanWorld();
        std::string recorder = "\"" + Beside("setup_child.exe") + "\" --record ";
        for (ClassKey& key : classKeys_)
            key.Save();
        SetClassValue(".htm", "TapdeckTest.htm");
        SetClassValue("TapdeckTest.htm\\shell\\open\\command", recorder + "htm \"%1\"");
        // Opening a folder tries DDE with the file manager first.
        RegDeleteTreeA(HKEY_CLASSES_ROOT, "Folder\\shell\\open\\ddeexec");
        SetClassValue("Folder\\shell\\open\\command", recorder + "folder \"%1\"");
    }

    void TearDown() override {
        CleanWorld();
        for (ClassKey& key : classKeys_)
            key.Restore();
    }

    static void CleanWorld() {
        RemoveTree("c:\\program files\\zuvware");
        DeleteFileA("c:\\program files\\zuvware");
        RemoveTree("c:\\tapdeck-test-long");
        RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey, kProgramView, 0);
        DeleteFileA(StartupLink().c_str());
        DeleteFileA(RecordFile().c_str());
    }

    static void SetClassValue(const char* path, const std::string& value) {
        HKEY key;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
        RegCloseKey(key);
    }

    // A handler key of the prefix, kept under HKCU while the test changes it.
    struct ClassKey {
        const char* path;
        const char* backup;
        bool existed = false;

        void Save() {
            HKEY source;
            existed = RegOpenKeyExA(HKEY_CLASSES_ROOT, path, 0, KEY_READ, &source) == ERROR_SUCCESS;
            if (!existed)
                return;
            HKEY copy;
            RegDeleteTreeA(HKEY_CURRENT_USER, backup);
            RegCreateKeyExA(HKEY_CURRENT_USER, backup, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &copy, nullptr);
            RegCopyTreeA(source, nullptr, copy);
            RegCloseKey(copy);
            RegCloseKey(source);
        }

        void Restore() {
            RegDeleteTreeA(HKEY_CLASSES_ROOT, path);
            RegDeleteKeyA(HKEY_CLASSES_ROOT, path);
            if (!existed)
                return;
            HKEY copy;
            HKEY target;
            RegOpenKeyExA(HKEY_CURRENT_USER, backup, 0, KEY_READ, &copy);
            RegCreateKeyExA(HKEY_CLASSES_ROOT, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &target, nullptr);
            RegCopyTreeA(copy, nullptr, target);
            RegCloseKey(target);
            RegCloseKey(copy);
            RegDeleteTreeA(HKEY_CURRENT_USER, backup);
            RegDeleteKeyA(HKEY_CURRENT_USER, backup);
        }
    };
    ClassKey classKeys_[3] = {{".htm", "Software\\TapdeckTests\\htm"},
                              {"TapdeckTest.htm", "Software\\TapdeckTests\\progid"},
                              {"Folder\\shell\\open", "Software\\TapdeckTests\\folder"}};

    // setup.exe with our own licence and help page beside it, and a DLL that
    // a downloads folder might hold.
    std::string MakePackage(const std::string& folder, const std::string& exeName = "setup.exe") {
        CreateDirectoryA(folder.c_str(), nullptr);
        EXPECT_TRUE(CopyFileA(Beside("setup_child.exe").c_str(), (folder + "\\" + exeName).c_str(), FALSE));
        EXPECT_TRUE(CopyFileA(TAPDECK_PACKAGE_DIR "\\readme.txt", (folder + "\\readme.txt").c_str(), FALSE));
        EXPECT_TRUE(CopyFileA(TAPDECK_PACKAGE_DIR "\\Tapdeck.htm", (folder + "\\Tapdeck.htm").c_str(), FALSE));
        EXPECT_TRUE(CopyFileA(Beside("planted.dll").c_str(), (folder + "\\planted.dll").c_str(), FALSE));
        return folder + "\\" + exeName;
    }

    ChildReport RunInstaller(const std::string& exe, const std::string& answers) {
        ChildReport report;
        std::string output = scratch_ / "child-output.txt";
        std::string command = "\"" + exe + "\" \"" + output + "\" \"" + answers + "\"";
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        if (!CreateProcessA(exe.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, scratch_.Path().c_str(),
                            &startup, &process)) {
            ADD_FAILURE() << "cannot start " << exe << ", error " << GetLastError();
            return report;
        }
        bool ended = WaitFor(
            process.hProcess, [&process] { return WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0; }, [] {},
            180000);
        if (!ended)
            TerminateProcess(process.hProcess, 1);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        EXPECT_TRUE(ended) << "the installer did not end";
        for (const std::string& line : ReadLines(output)) {
            size_t tab = line.find('\t');
            std::string kind = line.substr(0, tab);
            std::string rest = tab == std::string::npos ? "" : line.substr(tab + 1);
            DialogSeen dialog;
            if (kind == "dialog" && Decode(rest, &dialog))
                report.dialogs.push_back(dialog);
            else if (kind == "box")
                report.boxes.push_back(rest);
            else if (kind == "event")
                report.events[rest.substr(0, rest.find('\t'))] = rest.back() == '1';
            else if (kind == "failure")
                report.failure = rest;
        }
        report.ran = report.events.count("finished") != 0;
        EXPECT_TRUE(report.ran) << "no report from the installer";
        EXPECT_TRUE(report.events["finished"]) << "dialogs went otherwise than answered: " << report.failure;
        return report;
    }

    // Runs Uninstall here, answering its one message, and returns what it showed.
    std::vector<std::string> RunUninstall() {
        Installer installer("Tapdeck", "1.10", "", 0, 0);
        std::vector<DialogSeen> seen;
        markup_testing::ScriptResult outcome = markup_testing::RunScript(
            [&installer] {
                installer.Uninstall();
                return 0;
            },
            AnswerDialogs({"ok"}, &seen, &boxes_));
        EXPECT_TRUE(outcome.finished) << outcome.failure;
        return Summaries(seen);
    }

    ScratchFolder scratch_;
    MessageBoxRecorder boxes_;
};

TEST_F(InstallerTest, DefaultRunThenUninstallTwice) {
    std::string setup = MakePackage(scratch_ / "package");
    ChildReport run = RunInstaller(setup, "agree;ok;ok");
    ASSERT_TRUE(run.ran);
    EXPECT_EQ(Summaries(run.dialogs), (std::vector<std::string>{kLicence, kOptions, kComplete}));
    ASSERT_EQ(run.dialogs.size(), 3u);
    EXPECT_EQ(run.dialogs[0].field, ReadWholeFile(scratch_ / "package\\readme.txt"));
    EXPECT_FALSE(run.dialogs[0].defaultEnabled) << "Continue before the agreement";
    EXPECT_EQ(run.dialogs[1].field, kInstallFolder);
    EXPECT_EQ(run.dialogs[1].checks, 3) << "autostart and run after installation, ticked at first";
    EXPECT_TRUE(run.boxes.empty());
    EXPECT_FALSE(run.events["aborted"]);

    // A DLL beside setup.exe loads before the installation starts, never after.
    EXPECT_TRUE(run.events["plantedBefore"]);
    EXPECT_FALSE(run.events["plantedAfter"]);
    // The copy starts only once folder 0 exists, not inside RunInstall.
    EXPECT_FALSE(run.events["startedByRunInstall"]);
    EXPECT_TRUE(run.events["startedAtEnd"]);
    EXPECT_TRUE(AwaitRecord("started folder0=yes"));
    EXPECT_TRUE(AwaitRecord("htm " + scratch_ / "package\\Tapdeck.htm"));

    std::string value;
    EXPECT_TRUE(ReadValue("UninstallString", &value));
    EXPECT_EQ(value, "\"" + kInstalledExe + "\" /U 1.10");
    EXPECT_TRUE(ReadValue("DisplayName", &value));
    EXPECT_EQ(value, "Tapdeck (Remove only)");
    EXPECT_EQ(ReadWholeFile(kInstalledExe), ReadWholeFile(setup));
    EXPECT_EQ(ReadWholeFile(kInstallFolder + "\\readme.txt"), ReadWholeFile(TAPDECK_PACKAGE_DIR "\\readme.txt"));
    EXPECT_EQ(ReadWholeFile(kInstallFolder + "\\Tapdeck.htm"), ReadWholeFile(TAPDECK_PACKAGE_DIR "\\Tapdeck.htm"));
    EXPECT_EQ(lstrcmpiA(LinkTarget(StartupLink()).c_str(), kInstalledExe.c_str()), 0) << LinkTarget(StartupLink());
    EXPECT_TRUE(Installer("Tapdeck", "1.10", "", 0, 0).IsInstalled());

    EXPECT_EQ(RunUninstall(), (std::vector<std::string>{
                                  " | 32516 | &OK | Uninstall completed. Please close the application and remove the "
                                  "files manually"}));
    EXPECT_FALSE(KeyExists());
    EXPECT_FALSE(FileExists(StartupLink()));
    EXPECT_TRUE(FileExists(kInstalledExe)) << "the files stay";
    EXPECT_TRUE(AwaitRecord("folder " + kInstallFolder));
    EXPECT_FALSE(Installer("Tapdeck", "1.10", "", 0, 0).IsInstalled());

    EXPECT_EQ(RunUninstall(),
              (std::vector<std::string>{" | 32513 | &OK | The program was not installed on this computer, uninstall "
                                        "failed"}));
}

TEST_F(InstallerTest, PackageInItsOwnFolderWithBothOptionsUnticked) {
    CreateDirectoryA("c:\\program files\\zuvware", nullptr);
    std::string setup = MakePackage(kInstallFolder);
    std::string readme = ReadWholeFile(kInstallFolder + "\\readme.txt");
    ChildReport run = RunInstaller(setup, "agree;untick;ok");
    ASSERT_TRUE(run.ran);
    EXPECT_EQ(Summaries(run.dialogs), (std::vector<std::string>{kLicence, kOptions, kComplete}));
    // Copying the licence onto itself would have emptied it.
    EXPECT_EQ(ReadWholeFile(kInstallFolder + "\\readme.txt"), readme);
    EXPECT_EQ(ReadWholeFile(kInstalledExe), ReadWholeFile(setup));
    EXPECT_TRUE(KeyExists());
    EXPECT_FALSE(FileExists(StartupLink()));
    EXPECT_FALSE(run.events["startedAtEnd"]);
}

TEST_F(InstallerTest, EachRefusalAndFailureStopsAtItsMessage) {
    const std::string longFolder = "c:\\tapdeck-test-long\\" + std::string(234 - 21, 'x');  // one too long
    struct Row {
        const char* name;
        const char* leaveOut;  // a package file left out
        std::string exeName;
        std::string answers;
        std::vector<std::string> dialogs;
    } rows[] = {
        {"no licence", "readme.txt", "setup.exe", "ok", {kIncomplete}},
        {"no help page", "Tapdeck.htm", "setup.exe", "ok", {kIncomplete}},
        {"not named setup.exe", nullptr, "install.exe", "ok", {kIncomplete}},
        {"licence refused", nullptr, "setup.exe", "esc;ok", {kLicence, kAborted}},
        {"options aborted", nullptr, "setup.exe", "agree;esc;ok", {kLicence, kOptions, kAborted}},
        {"folder through a file", nullptr, "setup.exe", "agree;ok;ok", {kLicence, kOptions, kCannotCreate}},
        {"folder too long",
         nullptr,
         "setup.exe",
         "agree;folder:" + longFolder + ";ok",
         {kLicence, kOptions, kCannotCreate}},
        {"target in use", nullptr, "setup.exe", "agree;ok;ok", {kLicence, kOptions, kCopyFailed}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CleanWorld();
        std::string package = scratch_ / row.name;
        std::string setup = MakePackage(package, row.exeName);
        if (row.leaveOut != nullptr)
            DeleteFileA((package + "\\" + row.leaveOut).c_str());
        HANDLE inUse = INVALID_HANDLE_VALUE;
        if (std::string(row.name) == "folder through a file") {
            CloseHandle(CreateFileA("c:\\program files\\zuvware", GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
        } else if (std::string(row.name) == "folder too long") {
            CreateDirectoryA("c:\\tapdeck-test-long", nullptr);
        } else if (std::string(row.name) == "target in use") {
            CreateDirectoryA("c:\\program files\\zuvware", nullptr);
            CreateDirectoryA(kInstallFolder.c_str(), nullptr);
            inUse = CreateFileA(kInstalledExe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        }
        ChildReport run = RunInstaller(setup, row.answers);
        if (inUse != INVALID_HANDLE_VALUE)
            CloseHandle(inUse);
        EXPECT_EQ(Summaries(run.dialogs), row.dialogs);
        EXPECT_TRUE(run.events["aborted"]);
        EXPECT_FALSE(run.events["startedAtEnd"]);
        EXPECT_FALSE(KeyExists());
        EXPECT_FALSE(FileExists(StartupLink()));
        if (row.dialogs.back() == kCopyFailed) {
            EXPECT_EQ(run.boxes, (std::vector<std::string>{setup + "\tCould not copy file\t" +
                                                           std::to_string(MB_OK | MB_ICONHAND)}));
            ASSERT_EQ(run.dialogs.size(), 3u);
            EXPECT_EQ(run.dialogs[2].boxesBefore, 1u) << "the box comes first";
        } else {
            EXPECT_TRUE(run.boxes.empty());
            EXPECT_FALSE(FolderExists(kInstallFolder));
            EXPECT_FALSE(FolderExists(longFolder));
        }
    }
}

TEST_F(InstallerTest, OversizedLicenceShowsAnEmptyText) {
    std::string package = scratch_ / "package";
    std::string setup = MakePackage(package);
    scratch_.WriteFile("package\\readme.txt", std::string(1024 * 1024 + 1, 'L'));
    ChildReport run = RunInstaller(setup, "esc;ok");
    EXPECT_EQ(Summaries(run.dialogs), (std::vector<std::string>{kLicence, kAborted}));
    ASSERT_FALSE(run.dialogs.empty());
    EXPECT_EQ(run.dialogs[0].field, "");
}

TEST_F(InstallerTest, UninstallOutcomesByEntry) {
    const std::string completed =
        " | 32516 | &OK | Uninstall completed. Please close the application and remove the files manually";
    const std::string notFound = " | 32515 | &OK | The installation folder could not be found";
    const std::string notInstalled =
        " | 32513 | &OK | The program was not installed on this computer, uninstall failed";
    struct Row {
        const char* name;
        const char* command;  // null: a display name without a command
        std::string message;
        std::string opened;  // the folder opened afterwards, if any
    } rows[] = {
        {"unquoted, as an earlier version wrote it", "c:\\program files\\zuvware\\Tapdeck\\Tapdeck.exe /U 1.10",
         completed, kInstallFolder},
        // Not checked for a drive root: the recorder's quoted "%1" then ends
        // in \", which the command-line rules read as an escaped quote.
        {"quoted drive root", "\"c:\\Tapdeck.exe\" /U 1.10", completed, ""},
        {"folder removed by hand", "\"c:\\program files\\zuvware\\Gone\\Tapdeck.exe\" /U 1.10", notFound, ""},
        {"no backslash", "Tapdeck.exe /U 1.10", notFound, ""},
        {"no command", nullptr, notInstalled, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CleanWorld();
        CreateDirectoryA("c:\\program files\\zuvware", nullptr);
        CreateDirectoryA(kInstallFolder.c_str(), nullptr);
        WriteEntry(row.command);
        ASSERT_EQ(CreateFolderShortcut(CSIDL_STARTUP, "Tapdeck", kInstalledExe.c_str()), 0);
        EXPECT_EQ(RunUninstall(), std::vector<std::string>{row.message});
        // Nothing changes without a command; otherwise entry and link go.
        EXPECT_EQ(KeyExists(), row.command == nullptr);
        EXPECT_EQ(FileExists(StartupLink()), row.command == nullptr);
        if (!row.opened.empty()) {
            EXPECT_TRUE(AwaitRecord("folder " + row.opened));
        }
    }
}

TEST_F(InstallerTest, CopyOneFileClosesWhatItOpened) {
    std::string data = std::string("one\0two", 7) + std::string(3000, 'z');
    struct Row {
        const char* name;
        bool source;
        std::string target;
        int result;
    } rows[] = {
        {"copied", true, scratch_ / "copy.bin", 1},
        {"replaces an existing file", true, scratch_ / "copy.bin", 1},
        {"source missing", false, scratch_ / "none.bin", 0},
        {"target folder missing", true, scratch_ / "missing\\copy.bin", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::string source = row.source ? scratch_.WriteFile("source.bin", data) : scratch_ / "absent.bin";
        boxes_.Clear();
        EXPECT_EQ(Installer::CopyOneFile(source.c_str(), row.target.c_str()), row.result);
        EXPECT_EQ(ReadWholeFile(row.target), row.result ? data : "");
        // A file left open would have shown the file wrapper's warning, and
        // could not be deleted now.
        EXPECT_TRUE(boxes_.Boxes().empty());
        if (row.source) {
            EXPECT_TRUE(DeleteFileA(source.c_str()));
        }
    }
}

}  // namespace

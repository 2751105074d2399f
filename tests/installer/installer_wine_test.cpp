// The real installation steps in scratch package folders and the default
// installation folder of the test prefix. This program plays the installer
// too: copied into a package as setup.exe, since the steps look at the running
// executable's own name and folder, it answers each dialog as a user would and
// notes what it saw in run.txt beside it. The prefix's handlers for .htm files
// and folders point at it, and the installed copy is this program again: they
// only record what they were asked, so nothing opens on the host.

#include <windows.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <process.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "installer/installer.h"
#include "markup_dialog/markup_dialog.h"
#include "tests/markup_dialog/dialog_driver.h"
#include "tests/support/message_boxes.h"
#include "tests/support/scratch_folder.h"
#include "util/bounded_text.h"
#include "util/find_no_case.h"
#include "util/folder_path.h"
#include "util/registry.h"
#include "util/shortcut.h"

namespace {

using namespace markup_testing;
using namespace testing_support;
using Lines = std::vector<std::string>;

const std::string kFolder = "c:\\program files\\zuvware\\Tapdeck";
const std::string kExe = kFolder + "\\Tapdeck.exe";
const std::string kLong = "c:\\tapdeck-test-long\\" + std::string(213, 'x');  // one byte too long for the command
const std::string kRecord = "c:\\tapdeck-installer-record.txt";               // what the shell was asked to open
const char kKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tapdeck";
const std::string kOptions =
    "Tapdeck Installer | no icon | Select a folder and set the requested options. | &Continue "
    "| &Abort installation | [" +
    kFolder + "] | [x] Automatically execute on startup | [x] Execute after installation";
const std::string kAfterRun = "after RunInstall: planted DLL loads, then refused; not started";

std::string Licence(const std::string& field = "<licence>") {
    return "Tapdeck Installer | no icon | Please read the license agreement and press 'Continue' to proceed with the "
           "installation. | &Continue installation (disabled) | &No, I don't agree | " +
           field + " | [ ] I have read and fully agree to this license agreement ";
}

std::string Message(int icon, const std::string& text, const std::string& caption = "Tapdeck Installer") {
    return caption + " | icon " + std::to_string(icon) + " | " + text + " | &OK";
}

std::string Beside(const std::string& name) {
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof self);
    return std::string(self).substr(0, std::string(self).rfind('\\') + 1) + name;
}

void Append(const std::string& path, const std::string& line) {
    HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              0, nullptr);
    DWORD written = 0;
    WriteFile(file, (line + "\n").c_str(), static_cast<DWORD>(line.size() + 1), &written, nullptr);
    CloseHandle(file);
}

// What the shell started writes a line, then wakes the waiting test.
void Record(const std::string& line) {
    Append(kRecord, line);
    HANDLE recorded = CreateEventA(nullptr, FALSE, FALSE, "TapdeckInstallerTestRecord");
    SetEvent(recorded);
    CloseHandle(recorded);
}

MessageBoxRecorder* boxes;
size_t boxesNoted = 0;

// A line of run.txt; the message boxes shown since the last line go first.
void Note(std::string line) {
    for (; boxesNoted < boxes->Boxes().size(); ++boxesNoted) {
        const MessageBoxRecord& box = boxes->Boxes()[boxesNoted];
        Append(Beside("run.txt"), "box " + box.caption + " | " + box.text + " | " + std::to_string(box.style));
    }
    std::replace(line.begin(), line.end(), '\n', '/');
    Append(Beside("run.txt"), line);
}

HWND Item(int id) {
    return GetDlgItem(MarkupDialog(), id);
}

bool Ticked(int id) {
    return SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Caption, icon, message, buttons, the field (the licence as <licence>), and
// each check box as the dialog opened.
std::string Seen(HWND dialog) {
    auto* state = reinterpret_cast<MarkupDialogState*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
    std::string icon = state->icon == nullptr ? "no icon" : "other icon";
    for (int id : {32513, 32515, 32516}) {
        icon = state->icon == LoadIconA(nullptr, MAKEINTRESOURCEA(id)) ? "icon " + std::to_string(id) : icon;
    }
    std::string line = TextOf(dialog) + " | " + icon + " | " + state->message;
    for (int id = 1000; Item(id) != nullptr; ++id) {
        line += " | " + TextOf(Item(id)) + (IsWindowEnabled(Item(id)) ? "" : " (disabled)");
    }
    std::string text = state->text != nullptr ? state->text : "";
    bool licence = text == ReadWholeFile(Beside("readme.txt"));
    line += state->text == nullptr ? "" : licence ? " | <licence>" : " | [" + text + "]";
    for (int id = 500; id < 516; ++id) {
        line += Item(id) != nullptr ? (Ticked(id) ? " | [x] " : " | [ ] ") + TextOf(Item(id)) : "";
    }
    return line;
}

// Each answer (ok, esc, agree, untick, folder:PATH) waits for the next dialog,
// notes it and acts, in the driver's words and three of our own: "next",
// "tick" and "folder". Keys are posted and boxes clicked by message, in one
// go: a dialog of this child process can lose its activation for a moment
// while the machine is busy, and that drops typed keys and half-done presses.
// How the dialogs take real keys and clicks is the markup dialog's test; a
// folder is set as the chooser would set it, the chooser is checked there too.
std::string Script(const std::string& answers, std::vector<std::string>* folders) {
    std::string words;
    for (size_t start = 0, end = 0; end != std::string::npos; start = end + 1) {
        end = answers.find(';', start);
        std::string answer = answers.substr(start, end - start);
        words += " next";
        if (answer == "agree") {
            words += " tick:515 until:en:1000=1";
        } else if (answer == "untick") {
            words += " tick:500 until:on:500=0 tick:501 until:on:501=0";
        } else if (answer.compare(0, 7, "folder:") == 0) {
            folders->push_back(answer.substr(7));
            words += " folder";
        }
        words += answer == "esc" ? " Esc" : " Enter";
    }
    return words;
}

// The started copy writes its record before it ends: a reinstall must not
// copy over its executable while it still runs.
void AwaitStartedCopyEnded() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {sizeof entry, 0, 0, 0, 0, 0, 0, 0, 0, ""};
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        HANDLE copy = lstrcmpiA(entry.szExeFile, "Tapdeck.exe") == 0
                          ? OpenProcess(SYNCHRONIZE, FALSE, entry.th32ProcessID)
                          : nullptr;
        if (copy != nullptr) {
            EXPECT_EQ(WaitForSingleObject(copy, 60000), WAIT_OBJECT_0);
            CloseHandle(copy);
        }
    }
    CloseHandle(snapshot);
}

// ShellExecute creates the process before it returns: a copy it started is
// still running or has already recorded that it ran.
std::string Started() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {sizeof entry, 0, 0, 0, 0, 0, 0, 0, 0, ""};
    bool running = FindNoCase(ReadWholeFile(kRecord).c_str(), "started") != nullptr;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        running = running || lstrcmpiA(entry.szExeFile, "Tapdeck.exe") == 0;
    }
    CloseHandle(snapshot);
    return running ? "started" : "not started";
}

std::string PlantedDll() {
    HMODULE planted = LoadLibraryA("planted.dll");
    FreeLibrary(planted);
    return planted != nullptr ? "loads" : "refused";
}

void PlayInstaller(const std::string& answers) {
    CoInitialize(nullptr);
    MessageBoxRecorder recorder;
    boxes = &recorder;
    DeleteFileA(Beside("run.txt").c_str());
    bool uninstall = answers == "uninstall";
    Installer installer("Tapdeck", "1.10", uninstall ? "" : "Tapdeck Installer", 3, 3);
    std::string planted = PlantedDll();
    HWND noted = nullptr;  // a new handle is the next dialog; the answered one may linger
    std::vector<std::string> folders;
    postKeys = true;
    customWord = [&](const std::string& word) {
        HWND dialog = MarkupDialog();
        if (word == "next") {
            if (dialog == nullptr || dialog == noted)
                return false;
            Note(Seen(noted = dialog));
            return true;
        }
        if (word.compare(0, 5, "tick:") == 0) {
            SendMessageA(Item(atoi(word.c_str() + 5)), BM_CLICK, 0, 0);
            return true;
        }
        auto* state = reinterpret_cast<MarkupDialogState*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
        CopyText(state->text, static_cast<size_t>(state->textSize), folders.front().c_str());
        folders.erase(folders.begin());
        return true;
    };
    Outcome outcome = Drive(
        [&] {
            if (uninstall) {
                Note("installed " + std::to_string(installer.IsInstalled()));
                installer.Uninstall();
                Note("installed " + std::to_string(installer.IsInstalled()));
                return 0;
            }
            installer.RunInstall();
            Note("after RunInstall: planted DLL " + planted + ", then " + PlantedDll() + "; " + Started());
            // Folder 0 is prepared here by the launcher.
            if (installer.GetInstallFolder() != nullptr) {
                CreateDirectoryA((std::string(installer.GetInstallFolder()) + "\\0").c_str(), nullptr);
            }
            installer.StartInstalledCopy();
            Note(Started());
            installer.ReportComplete();
            return static_cast<int>(installer.aborted);
        },
        Script(uninstall ? "ok" : answers, &folders), nullptr, 60000);
    customWord = nullptr;
    Note("result " + std::to_string(outcome.result) + (outcome.failure.empty() ? "" : ", " + outcome.failure));
    CoUninitialize();
}

// Run before the tests: under another name this program plays the installer
// (ANSWERS or "uninstall"), a handler (--record KIND PATH) or the installed
// copy, and ends there.
int PlayAPart() {
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string part = __argc >= 2 ? __argv[1] : "";
    if (part == "--record" && __argc == 4) {
        Record(std::string(__argv[2]) + " " + __argv[3]);
    } else if (FindNoCase(self, "\\Tapdeck.exe") != nullptr) {
        Record(std::string("started, folder 0 ") + (FolderExists(Beside("0")) ? "there" : "missing"));
    } else if (FindNoCase(self, "\\installer_wine_tests.exe") != nullptr) {
        return 0;
    } else {
        PlayInstaller(part);
    }
    ExitProcess(0);
}

const int kPlayed = PlayAPart();

std::string StartupLink() {
    char folder[MAX_PATH] = "";
    GetSpecialFolderPath(CSIDL_STARTUP, folder);
    return std::string(folder) + "\\Tapdeck.lnk";
}

std::string Value(const char* name) {
    char value[256];
    return RegReadValue(kKey, HKEY_LOCAL_MACHINE, REG_SZ, name, value, sizeof value) == 0 ? value : "(none)";
}

void Write(HKEY root, const char* key, const char* name, const std::string& value) {
    RegWriteValue(key, root, name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

// The installation folder, the uninstall entry and the link.
std::string World() {
    return std::to_string(FolderExists(kFolder) || FolderExists(kLong)) + ", " + Value("DisplayName") + ", link " +
           std::to_string(FileExists(StartupLink()));
}

class InstallerTest : public ::testing::Test {
protected:
    // The prefix's handlers stay pointed at the recorder after the tests:
    // nothing a test of this prefix opens can then reach the host.
    void SetUp() override {
        std::string recorder = "\"" + Beside("installer_wine_tests.exe") + "\" --record ";
        Write(HKEY_CLASSES_ROOT, ".htm", "", "TapdeckTest.htm");
        Write(HKEY_CLASSES_ROOT, "TapdeckTest.htm\\shell\\open\\command", "", recorder + "htm \"%1\"");
        // Opening a folder tries DDE with the file manager first.
        RegDeleteTreeA(HKEY_CLASSES_ROOT, "Folder\\shell\\open\\ddeexec");
        Write(HKEY_CLASSES_ROOT, "Folder\\shell\\open\\command", "", recorder + "folder \"%1\"");
        CleanWorld();
    }

    void TearDown() override {
        CleanWorld();
        CloseHandle(recorded_);
    }

    static void CleanWorld() {
        RemoveTree("c:\\program files\\zuvware");
        DeleteFileA("c:\\program files\\zuvware");
        RemoveTree("c:\\tapdeck-test-long");
        RegDeleteEntry(HKEY_LOCAL_MACHINE, nullptr, kKey);
        DeleteFolderShortcut(CSIDL_STARTUP, "Tapdeck");
        DeleteFileA(kRecord.c_str());
    }

    // setup.exe (or another name) with our own licence and help page beside
    // it, and a DLL that a downloads folder might hold.
    static std::string MakePackage(const std::string& exe) {
        std::string folder = exe.substr(0, exe.rfind('\\') + 1);
        CreateFolderPath(folder.c_str());
        EXPECT_TRUE(CopyFileA(Beside("installer_wine_tests.exe").c_str(), exe.c_str(), FALSE)) << exe;
        CopyFileA(Beside("planted.dll").c_str(), (folder + "planted.dll").c_str(), FALSE);
        for (const char* name : {"readme.txt", "Tapdeck.htm"}) {
            CopyFileA((TAPDECK_PACKAGE_DIR "\\" + std::string(name)).c_str(), (folder + name).c_str(), FALSE);
        }
        return folder;
    }

    // Runs a package's installer to its end and returns what it noted.
    static Lines Run(const std::string& exe, const std::string& answers) {
        EXPECT_EQ(_spawnl(_P_WAIT, exe.c_str(), "setup", answers.c_str(), nullptr), 0) << exe;
        std::string text = ReadWholeFile(exe.substr(0, exe.rfind('\\')) + "\\run.txt");
        Lines lines;
        for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
            lines.push_back(text.substr(start, end - start));
        }
        return lines;
    }

    // The recorders run as processes of their own and signal once they wrote.
    bool AwaitRecord(const std::string& line) {
        while (FindNoCase(ReadWholeFile(kRecord).c_str(), (line + "\n").c_str()) == nullptr) {
            if (WaitForSingleObject(recorded_, 60000) != WAIT_OBJECT_0) {
                return false;
            }
        }
        return true;
    }

    HANDLE recorded_ = CreateEventA(nullptr, FALSE, FALSE, "TapdeckInstallerTestRecord");
    ScratchFolder scratch_;
};

TEST_F(InstallerTest, InstallUninstallReinstallFromTheFolderAndUninstallAgain) {
    std::string setup = scratch_ / "package\\setup.exe";
    std::string package = MakePackage(setup);
    const Lines installed = {Licence(), kOptions, kAfterRun, "started", Message(32516, "Installation complete."),
                             "result 0"};
    EXPECT_EQ(Run(setup, "agree;ok;ok"), installed);
    EXPECT_TRUE(AwaitRecord("htm " + package + "Tapdeck.htm"));
    EXPECT_TRUE(AwaitRecord("started, folder 0 there"));
    AwaitStartedCopyEnded();
    EXPECT_EQ(Value("UninstallString"), "\"" + kExe + "\" /U 1.10");
    EXPECT_EQ(World(), "1, Tapdeck (Remove only), link 1");
    for (const char* name : {"readme.txt", "Tapdeck.htm"}) {
        EXPECT_EQ(ReadWholeFile(kFolder + "\\" + name), ReadWholeFile(package + name)) << name;
    }
    EXPECT_TRUE(ReadWholeFile(kExe) == ReadWholeFile(setup));  // not printed: megabytes
    // A shell link holds its target's path as text.
    std::string link = ReadWholeFile(StartupLink());
    std::replace(link.begin(), link.end(), '\0', '\n');
    EXPECT_NE(FindNoCase(link.c_str(), (kExe + "\n").c_str()), nullptr);

    const std::string removed = "Uninstall completed. Please close the application and remove the files manually";
    EXPECT_EQ(Run(setup, "uninstall"), (Lines{"installed 1", Message(32516, removed, ""), "installed 0", "result 0"}));
    EXPECT_TRUE(AwaitRecord("folder " + kFolder));
    EXPECT_EQ(World(), "1, (none), link 0");
    EXPECT_EQ(
        Run(setup, "uninstall"),
        (Lines{"installed 0", Message(32513, "The program was not installed on this computer, uninstall failed", ""),
               "installed 0", "result 0"}));

    // The files stayed. A package in the installation folder: copying its
    // licence and help page onto themselves would empty them.
    DeleteFileA(kRecord.c_str());
    MakePackage(kFolder + "\\setup.exe");
    EXPECT_EQ(Run(kFolder + "\\setup.exe", "agree;untick;ok"),
              (Lines{Licence(), kOptions, kAfterRun, "not started", installed[4], "result 0"}));
    EXPECT_EQ(ReadWholeFile(kFolder + "\\readme.txt"), ReadWholeFile(package + "readme.txt"));
    EXPECT_EQ(World(), "1, Tapdeck (Remove only), link 0");

    // Removed by hand, then registered as an earlier version did, unquoted.
    RemoveTree(kFolder);
    EXPECT_EQ(Run(setup, "uninstall"),
              (Lines{"installed 1", Message(32515, "The installation folder could not be found", ""), "installed 0",
                     "result 0"}));
    EXPECT_EQ(World(), "0, (none), link 0");
    Write(HKEY_LOCAL_MACHINE, kKey, "DisplayName", "Tapdeck (Remove only)");
    Write(HKEY_LOCAL_MACHINE, kKey, "UninstallString", kExe + " /U 1.10");
    CreateFolderShortcut(CSIDL_STARTUP, "Tapdeck", kExe.c_str());
    CreateFolderPath(kFolder.c_str());
    EXPECT_EQ(Run(setup, "uninstall"), (Lines{"installed 1", Message(32516, removed, ""), "installed 0", "result 0"}));
    EXPECT_EQ(World(), "1, (none), link 0");
}

// Each course that ends early shows its messages and nothing after them, and
// leaves no uninstall entry or link behind, nor a folder it made.
TEST_F(InstallerTest, EachCourseThatEndsEarly) {
    using Prepare = std::function<void(const std::string& folder)>;
    HANDLE held = INVALID_HANDLE_VALUE;
    const Prepare noLicence = [](const std::string& f) { DeleteFileA((f + "readme.txt").c_str()); };
    const Prepare noHelp = [](const std::string& f) { DeleteFileA((f + "Tapdeck.htm").c_str()); };
    const Prepare bigLicence = [](const std::string& f) { Append(f + "readme.txt", std::string(1 << 20, 'L')); };
    const Prepare fileThere = [](const std::string&) { Append("c:\\program files\\zuvware", ""); };
    const Prepare parent = [](const std::string&) { CreateFolderPath("c:\\tapdeck-test-long"); };
    const Prepare targetInUse = [&held](const std::string&) {
        CreateFolderPath(kFolder.c_str());
        held = CreateFileA(kExe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    };
    const std::string incomplete = Message(32513,
                                           "The installation package is not complete, make sure all the files "
                                           "from the archive are in the installation folder./If necessary, get "
                                           "the full package at https://tapdeck.example.org/download");
    const std::string aborted = Message(32516, "Install aborted.");
    const std::string cannotCreate = Message(32515, "Could not create the installation folder, Install aborted.");
    const std::string copyBox = "box " + scratch_ / "in use\\setup.exe | Could not copy file | 16";
    const std::string none = "0, (none), link 0";
    struct Row {
        std::string exe;  // below the scratch folder
        Prepare prepare;
        std::string answers;
        Lines shown;
        std::string after;
    } rows[] = {
        {"no licence\\setup.exe", noLicence, "ok", {incomplete}, none},
        {"no help page\\setup.exe", noHelp, "ok", {incomplete}, none},
        {"misnamed\\install.exe", nullptr, "ok", {incomplete}, none},
        {"licence refused\\setup.exe", nullptr, "esc;ok", {Licence(), aborted}, none},
        {"licence too large\\setup.exe", bigLicence, "esc;ok", {Licence("[]"), aborted}, none},
        {"options aborted\\setup.exe", nullptr, "agree;esc;ok", {Licence(), kOptions, aborted}, none},
        {"file there\\setup.exe", fileThere, "agree;ok;ok", {Licence(), kOptions, cannotCreate}, none},
        {"too long\\setup.exe", parent, "agree;folder:" + kLong + ";ok", {Licence(), kOptions, cannotCreate}, none},
        {"in use\\setup.exe",
         targetInUse,
         "agree;ok;ok",
         {Licence(), kOptions, copyBox, Message(32515, "Could not copy all the files!, Install aborted.")},
         "1, (none), link 0"},
    };
    for (Row& row : rows) {
        CleanWorld();
        std::string folder = MakePackage(scratch_ / row.exe);
        if (row.prepare) {
            row.prepare(folder);
        }
        row.shown.insert(row.shown.end(), {kAfterRun, "not started", "result 1"});
        EXPECT_EQ(Run(scratch_ / row.exe, row.answers), row.shown) << row.exe;
        CloseHandle(std::exchange(held, INVALID_HANDLE_VALUE));
        EXPECT_EQ(World(), row.after) << row.exe;
    }
}

TEST_F(InstallerTest, CopyOneFileClosesWhatItOpened) {
    MessageBoxRecorder recorder;
    std::string data = std::string("one\0two", 7) + std::string(3000, 'z');
    std::string source = scratch_.WriteFile("source.bin", data);
    EXPECT_EQ(Installer::CopyOneFile(source.c_str(), (scratch_ / "copy.bin").c_str()), 1);
    EXPECT_EQ(ReadWholeFile(scratch_ / "copy.bin"), data);
    EXPECT_EQ(Installer::CopyOneFile((scratch_ / "none.bin").c_str(), (scratch_ / "copy.bin").c_str()), 0);
    EXPECT_EQ(Installer::CopyOneFile(source.c_str(), (scratch_ / "missing\\copy.bin").c_str()), 0);
    // A source left open would raise the file wrapper's warning, and could
    // not be deleted now.
    EXPECT_TRUE(recorder.Boxes().empty());
    EXPECT_TRUE(DeleteFileA(source.c_str()));
}

}  // namespace

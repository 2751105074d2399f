// The installation steps where the end-to-end journey cannot reach them
// cheaply: each course that ends early, a package inside the installation
// folder, a target in use, a folder too long, the earlier unquoted uninstall
// command and the planted DLL. This program plays the installer too: copied
// into a package as setup.exe, since the steps look at the running
// executable's own name and folder, it answers each dialog as a user would and
// notes what it saw in run.txt beside it. The prefix's handlers for .htm files
// and folders point at it: they only record what they were asked, so nothing
// opens on the host.

#include <windows.h>
#include <shlobj.h>

#include <process.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sstream>
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

// Caption, icon, message, buttons, the field (the licence as <licence>), and
// each check box as the dialog opened.
std::string Seen(HWND dialog) {
    auto* state = reinterpret_cast<MarkupDialogState*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
    std::string icon = state->icon == nullptr ? "no icon" : "other icon";
    for (int id : {32513, 32515, 32516})
        icon = state->icon == LoadIconA(nullptr, MAKEINTRESOURCEA(id)) ? "icon " + std::to_string(id) : icon;
    std::string line = TextOf(dialog) + " | " + icon + " | " + state->message;
    for (int id = 1000; Item(id) != nullptr; ++id)
        line += " | " + TextOf(Item(id)) + (IsWindowEnabled(Item(id)) ? "" : " (disabled)");
    std::string text = state->text != nullptr ? state->text : "";
    bool licence = text == ReadWholeFile(Beside("readme.txt"));
    line += state->text == nullptr ? "" : licence ? " | <licence>" : " | [" + text + "]";
    for (int id = 500; id < 516; ++id) {
        bool ticked = SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
        line += Item(id) != nullptr ? (ticked ? " | [x] " : " | [ ] ") + TextOf(Item(id)) : "";
    }
    return line;
}

// Each answer (ok, esc, agree, untick, folder:PATH) waits for the next dialog,
// notes it and acts, in the driver's words and three of our own: "next",
// "tick" and "folder". Keys are posted and boxes clicked by message: a dialog
// of this child process can lose its activation for a moment while the
// machine is busy, and that drops typed keys. How the dialogs take real keys
// and clicks, and the chooser, are the markup dialog's tests.
std::string Script(std::string answers) {
    std::replace(answers.begin(), answers.end(), ';', ' ');
    std::istringstream in(answers);
    std::string words;
    for (std::string a; in >> a;)
        words += " next " + (a == "ok"       ? std::string("Enter")
                             : a == "esc"    ? "Esc"
                             : a == "agree"  ? "tick:515 until:en:1000=1 Enter"
                             : a == "untick" ? "tick:500 until:on:500=0 tick:501 until:on:501=0 Enter"
                                             : a + " Enter");
    return words;
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
    postKeys = true;
    customWord = [&](const std::string& word) {
        HWND dialog = MarkupDialog();
        if (word == "next") {
            return dialog != nullptr && dialog != noted && (Note(Seen(noted = dialog)), true);
        } else if (word.compare(0, 5, "tick:") == 0) {
            SendMessageA(Item(atoi(word.c_str() + 5)), BM_CLICK, 0, 0);
            return true;
        }
        auto* state = reinterpret_cast<MarkupDialogState*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
        return CopyText(state->text, static_cast<size_t>(state->textSize), word.c_str() + 7);  // "folder:"
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
            Note("after RunInstall: planted DLL " + planted + ", then " + PlantedDll());
            installer.ReportComplete();
            return static_cast<int>(installer.aborted);
        },
        Script(uninstall ? "ok" : answers), nullptr, 60000);
    Note("result " + std::to_string(outcome.result) + (outcome.failure.empty() ? "" : ", " + outcome.failure));
    CoUninitialize();
}

// Run before the tests: under another name this program plays the installer
// (ANSWERS or "uninstall") or a handler (--record KIND PATH), and ends there.
int PlayAPart() {
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string part = __argc >= 2 ? __argv[1] : "";
    if (part == "--record" && __argc == 4) {
        Append(kRecord, std::string(__argv[2]) + " " + __argv[3]);
        HANDLE recorded = CreateEventA(nullptr, FALSE, FALSE, "TapdeckInstallerTestRecord");
        SetEvent(recorded);  // wakes the waiting test
        CloseHandle(recorded);
    } else if (FindNoCase(self, "\\Tapdeck.exe") != nullptr) {
        Append(kRecord, "started");  // the installed copy
    } else if (FindNoCase(self, "\\installer_wine_tests.exe") == nullptr) {
        PlayInstaller(part);
    } else {
        return 0;
    }
    ExitProcess(0);
}

const int kPlayed = PlayAPart();

std::string Value(const char* name) {
    char value[256];
    return RegReadValue(kKey, HKEY_LOCAL_MACHINE, REG_SZ, name, value, sizeof value) == 0 ? value : "(none)";
}

void Write(HKEY root, const char* key, const char* name, const std::string& value) {
    RegWriteValue(key, root, name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

// The installation folder, the uninstall entry and the link.
std::string World() {
    char startup[MAX_PATH] = "";
    GetSpecialFolderPath(CSIDL_STARTUP, startup);
    return std::to_string(FolderExists(kFolder) || FolderExists(kLong)) + ", " + Value("DisplayName") + ", link " +
           std::to_string(FileExists(std::string(startup) + "\\Tapdeck.lnk"));
}

void CleanWorld() {
    RemoveTree("c:\\program files\\zuvware");
    DeleteFileA("c:\\program files\\zuvware");
    RemoveTree("c:\\tapdeck-test-long");
    RegDeleteEntry(HKEY_LOCAL_MACHINE, nullptr, kKey);
    DeleteFolderShortcut(CSIDL_STARTUP, "Tapdeck");
    DeleteFileA(kRecord.c_str());
}

// setup.exe (or another name) with our own licence and help page beside it,
// and a DLL that a downloads folder might hold.
std::string MakePackage(const std::string& exe) {
    std::string folder = exe.substr(0, exe.rfind('\\') + 1);
    CreateFolderPath(folder.c_str());
    EXPECT_TRUE(CopyFileA(Beside("installer_wine_tests.exe").c_str(), exe.c_str(), FALSE)) << exe;
    CopyFileA(Beside("planted.dll").c_str(), (folder + "planted.dll").c_str(), FALSE);
    for (const char* name : {"readme.txt", "Tapdeck.htm"})
        CopyFileA((TAPDECK_PACKAGE_DIR "\\" + std::string(name)).c_str(), (folder + name).c_str(), FALSE);
    return folder;
}

// Each course shows its messages and nothing after them, and leaves the
// folder, the uninstall entry and the link as the row says.
TEST(Installer, CoursesThatEndEarlyOrOddly) {
    // The prefix's handlers stay pointed at the recorder after the test:
    // nothing a test of this prefix opens can then reach the host.
    std::string recorder = "\"" + Beside("installer_wine_tests.exe") + "\" --record ";
    Write(HKEY_CLASSES_ROOT, ".htm", "", "TapdeckTest.htm");
    Write(HKEY_CLASSES_ROOT, "TapdeckTest.htm\\shell\\open\\command", "", recorder + "htm \"%1\"");
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "Folder\\shell\\open\\ddeexec");  // tried before the command
    Write(HKEY_CLASSES_ROOT, "Folder\\shell\\open\\command", "", recorder + "folder \"%1\"");
    HANDLE recorded = CreateEventA(nullptr, FALSE, FALSE, "TapdeckInstallerTestRecord");
    ScratchFolder scratch;

    using Prepare = std::function<void(const std::string& folder)>;
    HANDLE held = INVALID_HANDLE_VALUE;
    auto message = [](int icon, const std::string& text, const std::string& caption = "Tapdeck Installer") {
        return caption + " | icon " + std::to_string(icon) + " | " + text + " | &OK";
    };
    auto licence = [](const std::string& field) {
        return "Tapdeck Installer | no icon | Please read the license agreement and press 'Continue' to proceed with "
               "the installation. | &Continue installation (disabled) | &No, I don't agree | " +
               field + " | [ ] I have read and fully agree to this license agreement ";
    };
    // clang-format off
    const Prepare noLicence = [](const std::string& f) { DeleteFileA((f + "readme.txt").c_str()); };
    const Prepare noHelp = [](const std::string& f) { DeleteFileA((f + "Tapdeck.htm").c_str()); };
    const Prepare bigLicence = [](const std::string& f) { Append(f + "readme.txt", std::string(1 << 20, 'L')); };
    const Prepare fileThere = [](const std::string&) { Append("c:\\program files\\zuvware", ""); };
    const Prepare parent = [](const std::string&) { CreateFolderPath("c:\\tapdeck-test-long"); };
    const Prepare inUse = [&held](const std::string&) {
        CreateFolderPath(kFolder.c_str()), held = CreateFileA(kExe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr); };
    // Registered as an earlier version did, unquoted, with the link and the folder.
    const Prepare unquoted = [](const std::string&) {
        Write(HKEY_LOCAL_MACHINE, kKey, "DisplayName", "Tapdeck (Remove only)"), Write(HKEY_LOCAL_MACHINE, kKey, "UninstallString", kExe + " /U 1.10");
        CreateFolderShortcut(CSIDL_STARTUP, "Tapdeck", kExe.c_str()), CreateFolderPath(kFolder.c_str()); };
    const std::string options = "Tapdeck Installer | no icon | Select a folder and set the requested options. | &Continue | &Abort installation | [" +
        kFolder + "] | [x] Automatically execute on startup | [x] Execute after installation";
    const std::string incomplete = message(32513, "The installation package is not complete, make sure all the files from the archive are in the "
        "installation folder./If necessary, get the full package at https://tapdeck.example.org/download");
    const std::string L = licence("<licence>"), aborted = message(32516, "Install aborted."), none = "0, (none), link 0";
    const std::string cannotCreate = message(32515, "Could not create the installation folder, Install aborted.");
    const std::string after = "after RunInstall: planted DLL loads, then refused";  // the search restricted by then
    const std::string removed = message(32516, "Uninstall completed. Please close the application and remove the files manually", "");
    const std::string copyBox = "box " + scratch / "in use\\setup.exe | Could not copy file | 16";
    const struct { std::string exe; Prepare prepare; std::string answers; Lines shown; std::string after, record; } rows[] = {
        // exe below the scratch folder (or a full path); what it showed; folder, entry, link; what the shell was asked to open
        {"no licence\\setup.exe", noLicence, "ok", {incomplete, after, "result 1"}, none, ""},
        {"no help page\\setup.exe", noHelp, "ok", {incomplete, after, "result 1"}, none, ""},
        {"misnamed\\install.exe", nullptr, "ok", {incomplete, after, "result 1"}, none, ""},
        {"licence refused\\setup.exe", nullptr, "esc;ok", {L, aborted, after, "result 1"}, none, ""},
        {"licence too large\\setup.exe", bigLicence, "esc;ok", {licence("[]"), aborted, after, "result 1"}, none, ""},
        {"options aborted\\setup.exe", nullptr, "agree;esc;ok", {L, options, aborted, after, "result 1"}, none, ""},
        {"file there\\setup.exe", fileThere, "agree;ok;ok", {L, options, cannotCreate, after, "result 1"}, none, ""},
        {"too long\\setup.exe", parent, "agree;folder:" + kLong + ";ok", {L, options, cannotCreate, after, "result 1"}, none, ""},
        {"in use\\setup.exe", inUse, "agree;ok;ok", {L, options, copyBox, message(32515, "Could not copy all the files!, Install aborted."),
         after, "result 1"}, "1, (none), link 0", ""},
        {"unquoted\\setup.exe", unquoted, "uninstall", {"installed 1", removed, "installed 0", "result 0"}, "1, (none), link 0", "folder " + kFolder},
        // A package inside the installation folder: its licence and help page copied onto themselves would be emptied.
        {kFolder + "\\setup.exe", nullptr, "agree;untick;ok", {L, options, after, message(32516, "Installation complete."), "result 0"},
         "1, Tapdeck (Remove only), link 0", "htm " + kFolder + "\\Tapdeck.htm"}};
    // clang-format on
    for (const auto& row : rows) {
        CleanWorld();
        std::string exe = row.exe.find(':') != std::string::npos ? row.exe : scratch / row.exe;
        std::string folder = MakePackage(exe);
        if (row.prepare)
            row.prepare(folder);
        EXPECT_EQ(_spawnl(_P_WAIT, exe.c_str(), "setup", row.answers.c_str(), nullptr), 0) << exe;
        std::string text = ReadWholeFile(folder + "run.txt");
        Lines lines;
        for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
            lines.push_back(text.substr(start, end - start));
        EXPECT_EQ(lines, row.shown) << row.exe;
        CloseHandle(std::exchange(held, INVALID_HANDLE_VALUE));
        EXPECT_EQ(World(), row.after) << row.exe;
        // The recorders run as processes of their own and signal once they wrote.
        while (!row.record.empty() &&
               FindNoCase(ReadWholeFile(kRecord).c_str(), (row.record + "\n").c_str()) == nullptr)
            ASSERT_EQ(WaitForSingleObject(recorded, 60000), WAIT_OBJECT_0) << row.exe;
    }
    for (const char* name : {"\\readme.txt", "\\Tapdeck.htm"})  // the last row's, not emptied
        EXPECT_EQ(ReadWholeFile(kFolder + name), ReadWholeFile(TAPDECK_PACKAGE_DIR + std::string(name)));
    CleanWorld();
    CloseHandle(recorded);
}

TEST(Installer, CopyOneFileClosesWhatItOpened) {
    ScratchFolder scratch;
    MessageBoxRecorder recorder;
    std::string data = std::string("one\0two", 7) + std::string(3000, 'z');
    std::string source = scratch.WriteFile("source.bin", data);
    EXPECT_EQ(Installer::CopyOneFile(source.c_str(), (scratch / "copy.bin").c_str()), 1);
    EXPECT_EQ(ReadWholeFile(scratch / "copy.bin"), data);
    EXPECT_EQ(Installer::CopyOneFile((scratch / "none.bin").c_str(), (scratch / "copy.bin").c_str()), 0);
    EXPECT_EQ(Installer::CopyOneFile(source.c_str(), (scratch / "missing\\copy.bin").c_str()), 0);
    // A source left open would raise the file wrapper's warning, and could
    // not be deleted now.
    EXPECT_TRUE(recorder.Boxes().empty());
    EXPECT_TRUE(DeleteFileA(source.c_str()));
}

}  // namespace

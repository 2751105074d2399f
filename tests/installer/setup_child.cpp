// The installer under test, as its package holds it: the parent test copies
// this program into a scratch package folder as setup.exe, where the real
// steps find their files beside it. The same program stands in for what the
// shell would open, so that nothing opens on the host:
//   setup.exe OUTPUT ANSWERS     runs the installation as its caller does,
//                                answering each dialog (dialog_log.h) and
//                                writing what it saw to OUTPUT
//   ... --record KIND ARGUMENT   the test's handler of .htm files and folders
//   Tapdeck.exe                  the installed copy, when it is started

#include <windows.h>
#include <tlhelp32.h>

#include <string>
#include <vector>

#include "installer/installer.h"
#include "tests/installer/dialog_log.h"

namespace {

using namespace installer_testing;

bool FolderExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool EndsWithNoCase(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && lstrcmpiA(text.c_str() + text.size() - end.size(), end.c_str()) == 0;
}

// ShellExecute creates the process before it returns, so a copy it started
// is either still running or has already written its record.
bool InstalledCopyStarted() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    bool running = false;
    for (BOOL more = Process32First(snapshot, &entry); more && !running; more = Process32Next(snapshot, &entry))
        running = lstrcmpiA(entry.szExeFile, "Tapdeck.exe") == 0;
    CloseHandle(snapshot);
    for (const std::string& line : ReadLines(RecordFile()))
        running = running || line.compare(0, 7, "started") == 0;
    return running;
}

bool PlantedDllLoads() {
    HMODULE planted = LoadLibraryA("planted.dll");
    if (planted != nullptr)
        FreeLibrary(planted);
    return planted != nullptr;
}

std::vector<std::string> Split(const std::string& text) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t end; (end = text.find(';', start)) != std::string::npos; start = end + 1)
        parts.push_back(text.substr(start, end - start));
    parts.push_back(text.substr(start));
    return parts;
}

int RunInstallation(const std::string& output, const std::string& answers) {
    testing_support::MessageBoxRecorder boxes;
    std::vector<DialogSeen> seen;
    std::vector<std::string> events;
    auto event = [&events](const std::string& name, bool value) {
        events.push_back("event\t" + name + "\t" + (value ? "1" : "0"));
    };
    event("plantedBefore", PlantedDllLoads());

    Installer installer("Tapdeck", "1.10", "Tapdeck Installer", 3, 3);
    markup_testing::ScriptResult outcome = markup_testing::RunScript(
        [&] {
            installer.RunInstall();
            event("plantedAfter", PlantedDllLoads());
            event("startedByRunInstall", InstalledCopyStarted());
            // Folder 0 is prepared here by the launcher; the started copy
            // notes whether it found it.
            if (installer.GetInstallFolder() != nullptr)
                CreateDirectoryA((std::string(installer.GetInstallFolder()) + "\\0").c_str(), nullptr);
            installer.StartInstalledCopy();
            event("startedAtEnd", InstalledCopyStarted());
            installer.ReportComplete();
            return static_cast<int>(installer.aborted);
        },
        AnswerDialogs(Split(answers), &seen, &boxes), 60000);
    event("finished", outcome.finished);
    event("aborted", outcome.result != 0);

    HANDLE file = CreateFileA(output.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    std::string text;
    for (const DialogSeen& dialog : seen)
        text += "dialog\t" + Encode(dialog) + "\n";
    for (const testing_support::MessageBoxRecord& box : boxes.Boxes())
        text += "box\t" + box.caption + "\t" + box.text + "\t" + std::to_string(box.style) + "\n";
    for (const std::string& line : events)
        text += line + "\n";
    text += "failure\t" + outcome.failure + "\n";
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string self = ModulePath();
    if (argc >= 3 && std::string(argv[1]) == "--record") {
        AppendRecord(std::string(argv[2]) + " " + (argc >= 4 ? argv[3] : ""));
        return 0;
    }
    if (EndsWithNoCase(self, "\\Tapdeck.exe")) {
        AppendRecord(std::string("started folder0=") + (FolderExists(FolderOf(self) + "\\0") ? "yes" : "no"));
        return 0;
    }
    if (argc != 3)
        return 2;
    CoInitialize(nullptr);
    int result = RunInstallation(argv[1], argv[2]);
    CoUninitialize();
    return result;
}

// How long Tapdeck takes to start: from process creation to the launcher
// waiting for messages, its window made and all 16 tray icons added (16
// folders of 15 shortcuts each), against a bare Win32 program's start to its
// first window. Both are timed the same way, to the moment the new process
// first waits for input, over repeated runs in one session; prints both
// medians, their difference and the size of Tapdeck.exe. Run it under Wine
// through tools/wine_session.sh (see README); it registers the product as
// installed in that prefix while it runs.

#include <objbase.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "util/registry.h"

namespace {

constexpr int kRuns = 21;
constexpr int kFolders = 16;
constexpr int kShortcuts = 15;
const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tapdeck";

std::string Beside(const std::string& name) {
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string path = self;
    return path.substr(0, path.rfind('\\') + 1) + name;
}

// Starts `exe`, waits until it first waits for input, then closes its window
// `windowClass` and waits for the process to end. The start's milliseconds.
double TimedStart(const std::string& exe, const char* windowClass) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + exe + "\"";
    LARGE_INTEGER start, ready;
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        fprintf(stderr, "startup_bench: cannot start %s (error %lu)\n", exe.c_str(), GetLastError());
        exit(1);
    }
    DWORD idle = WaitForInputIdle(process.hProcess, 60000);
    QueryPerformanceCounter(&ready);
    HWND window = FindWindowA(windowClass, nullptr);
    if (idle != 0 || window == nullptr) {
        fprintf(stderr, "startup_bench: %s did not come up\n", exe.c_str());
        TerminateProcess(process.hProcess, 1);
        exit(1);
    }
    // WM_CLOSE ends the launcher's loop as Alt+F4 on its list would.
    PostMessageA(window, WM_CLOSE, 0, 0);
    WaitForSingleObject(process.hProcess, 60000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return Milliseconds(start, ready);
}

}  // namespace

int main(int argc, char** argv) {
    CoInitialize(nullptr);
    std::string product = argc > 1 ? argv[1] : Beside("..\\app\\Tapdeck.exe");
    std::string bare = Beside("bare_window.exe");
    std::vector<std::string> shortcuts;
    std::string root = MakeLauncherBase("tapdeck-startup-bench", kFolders, kShortcuts, &shortcuts);
    std::string tapdeck = root + "\\Tapdeck.exe";
    if (!CopyFileA(product.c_str(), tapdeck.c_str(), FALSE)) {
        fprintf(stderr, "startup_bench: cannot copy %s\n", product.c_str());
        return 1;
    }
    char name[64];
    bool registered = RegReadValue(kUninstallKey, HKEY_LOCAL_MACHINE, REG_SZ, "DisplayName", name, sizeof name) == 0;
    if (!registered) {
        const char value[] = "Tapdeck (Remove only)";
        RegWriteValue(kUninstallKey, HKEY_LOCAL_MACHINE, "DisplayName", REG_SZ, value, sizeof value);
    }

    // One start of each first: the first reads every file from disk.
    TimedStart(tapdeck, "ZUV_WL_FRAME");
    TimedStart(bare, "TapdeckBenchBare");
    std::vector<double> tapdeckTimes, bareTimes;
    for (int run = 0; run < kRuns; ++run) {
        tapdeckTimes.push_back(TimedStart(tapdeck, "ZUV_WL_FRAME"));
        bareTimes.push_back(TimedStart(bare, "TapdeckBenchBare"));
    }

    if (!registered)
        RegDeleteEntry(HKEY_LOCAL_MACHINE, nullptr, kUninstallKey);
    WIN32_FILE_ATTRIBUTE_DATA size{};
    GetFileAttributesExA(product.c_str(), GetFileExInfoStandard, &size);
    RemoveTree(root);
    double ours = Median(tapdeckTimes), theirs = Median(bareTimes);
    printf(
        "start-up, median of %d runs: Tapdeck %.1f ms (16 folders of %d shortcuts), bare program %.1f ms, "
        "difference %.1f ms (goal: within 100 ms)\n",
        kRuns, ours, kShortcuts, theirs, ours - theirs);
    printf("Tapdeck.exe: %lu bytes (%.1f KiB; goal: at most 96 KiB, stripped 32-bit)\n", size.nFileSizeLow,
           size.nFileSizeLow / 1024.0);
    CoUninitialize();
    return 0;
}

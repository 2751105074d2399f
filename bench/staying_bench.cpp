// What the resident launcher costs over weeks, in one process as it runs:
// - idle: after a list was opened and the pointer left it, the poll timer's
//   ticks and the process's CPU time over 30 s (goal: none and none);
// - growth: 1,000 cycles of opening a 15-shortcut list, moving over every
//   row and hiding it: private bytes, kernel handles, and the icons the lists
//   created that are still alive (each checked, since Wine counts no GDI
//   objects), before, after 100 and after 1,000 cycles (goal: under 64 KiB
//   of growth and no handle left over);
// - the installer's copy of a 100 KB executable, a byte a call, for the record.
// Run it under Wine through tools/wine_session.sh (see README).

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/item_icons.h"
#include "app/item_icons.h"
#include "app/working_set.h"
#include "app/launcher_window.h"
#include "bench/bench_support.h"
#include "framework/pointer_tracking.h"
#include "installer/installer.h"

namespace {

constexpr int kShortcuts = 15;
constexpr int kCycles = 1000;
constexpr DWORD kIdleMilliseconds = 30000;

double CpuMilliseconds() {
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    auto ms = [](FILETIME t) { return ((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4; };
    return ms(kernel) + ms(user);
}

// The list opened at the pointer, as a right press on a tray icon opens it,
// and left by the pointer, which the poll notices and hides the list.
void OpenAndLeave(LauncherWindow* window) {
    SetCursorPos(600, 500);
    window->ShowFolderList(0);
    SetCursorPos(5, 5);
    while (Tracking().pollTimer != 0) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        Pump();
    }
}

void Idle(LauncherWindow* window) {
    OpenAndLeave(window);
    double cpu = CpuMilliseconds();
    int ticks = 0;
    DWORD start = GetTickCount();
    for (DWORD now = start; now - start < kIdleMilliseconds; now = GetTickCount()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kIdleMilliseconds - (now - start), QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ticks += msg.message == WM_TIMER;
            DispatchMessageA(&msg);
        }
    }
    printf("idle, list hidden, %lu s: %d timer messages, %.1f ms of CPU time\n", kIdleMilliseconds / 1000, ticks,
           CpuMilliseconds() - cpu);
}

struct Usage {
    SIZE_T privateBytes;
    int handles;
};

// Counted here, as Wine reports neither: the committed private memory of the
// address space, and the kernel handles open.
Usage Measure() {
    Usage usage{0, 0};
    MEMORY_BASIC_INFORMATION region;
    for (const char* at = nullptr; VirtualQuery(at, &region, sizeof region) == sizeof region;
         at = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            usage.privateBytes += region.RegionSize;
    }
    for (ULONG_PTR value = 4; value < 0x10000; value += 4) {
        DWORD flags;
        usage.handles += GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) ? 1 : 0;
    }
    return usage;
}

void Print(const char* when, const Usage& usage, const Usage& before, int iconsAlive, double cpu) {
    printf("%-20s private %7llu KiB (%+lld bytes), handles %d (%+d), list icons alive %d, CPU %.0f ms\n", when,
           static_cast<unsigned long long>(usage.privateBytes / 1024),
           static_cast<long long>(usage.privateBytes) - static_cast<long long>(before.privateBytes), usage.handles,
           usage.handles - before.handles, iconsAlive, cpu);
}

// One cycle: open, move over every row (each move repaints two rows), hide.
// Returns how many of the icons this list showed are still alive afterwards.
int Cycle(LauncherWindow* window) {
    SetCursorPos(600, 500);
    window->ShowFolderList(0);
    std::vector<HICON> icons;
    for (int i = 0; i < window->itemCount; ++i) {
        icons.push_back(IconOf(window->items[i].icon));
        icons.push_back(IconOf(window->items[i].highlightIcon));
    }
    RECT client;
    GetClientRect(window->handle, &client);
    for (int row = 0; row < window->itemCount; ++row) {
        int y = (2 * row + 1) * client.bottom / (2 * window->itemCount);
        SendMessageA(window->handle, WM_MOUSEMOVE, 0, MAKELPARAM(10, y));
    }
    window->HideFolderList();
    StopTracking();
    Pump();
    int alive = 0;
    for (HICON icon : icons) {
        ICONINFO info;
        if (icon != fallbackIcon && GetIconInfo(icon, &info)) {
            ++alive;
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
        }
    }
    return alive;
}

void Growth(LauncherWindow* window) {
    int alive = Cycle(window);  // the shell's caches fill once
    Usage before = Measure();
    double cpu = CpuMilliseconds();
    Print("before", before, before, alive, 0);
    for (int cycle = 1; cycle <= kCycles; ++cycle) {
        alive += Cycle(window);
        if (cycle == 100 || cycle == kCycles)
            Print(cycle == 100 ? "after 100 cycles" : "after 1,000 cycles", Measure(), before, alive,
                  CpuMilliseconds() - cpu);
    }
}

void Copy(const std::string& base) {
    std::string source = base + "\\source.exe", target = base + "\\copy.exe";
    HANDLE file = CreateFileA(source.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    std::vector<char> bytes(100 * 1024, 'x');
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    int copied = Installer::CopyOneFile(source.c_str(), target.c_str());
    QueryPerformanceCounter(&end);
    printf("installer copy of a 100 KiB file, a byte a call: %.1f ms (%s)\n", Milliseconds(start, end),
           copied ? "copied" : "FAILED");
}

}  // namespace

int main() {
    StartLauncherFramework();
    std::vector<std::string> shortcuts;
    std::string base = MakeLauncherBase("tapdeck-staying-bench", 1, kShortcuts, &shortcuts);
    static LauncherWindow window;
    window.windowFlags |= window_flags::kNoQuitOnDestroy;
    window.CreateHidden();
    Idle(&window);
    Growth(&window);
    Copy(base);
    window.Destroy();
    RemoveTree(base);
    return 0;
}

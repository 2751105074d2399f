// How long opening a folder's list takes against what the shell alone needs
// for its icons: 200 openings of a 15-shortcut folder (ShowFolderList, painted
// with UpdateWindow, then HideFolderList), and in the same run the bare 30
// SHGetFileInfoA calls on the same files. Prints both medians and their
// ratio; run it under Wine through tools/wine_session.sh (see README).

#include <objbase.h>
#include <shellapi.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/folder_store.h"
#include "bench/bench_support.h"
#include "app/item_icons.h"
#include "app/working_set.h"
#include "app/launcher_values.h"
#include "app/launcher_window.h"
#include "app/tray_icons.h"
#include "framework/pointer_tracking.h"

namespace {

constexpr int kRuns = 200;
constexpr int kShortcuts = 15;

// The shell's share of one opening: a normal and a selected icon per item.
double ShellIcons(const std::vector<std::string>& files) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (const std::string& file : files) {
        for (UINT selected : {0u, static_cast<UINT>(SHGFI_SELECTED)}) {
            SHFILEINFOA info{};
            SHGetFileInfoA(file.c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_LINKOVERLAY | selected);
            if (info.hIcon != nullptr)
                DestroyIcon(info.hIcon);
        }
    }
    QueryPerformanceCounter(&end);
    return Milliseconds(start, end);
}

double OpenList(LauncherWindow* window) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    window->ShowFolderList(0);
    UpdateWindow(window->handle);
    window->HideFolderList();
    QueryPerformanceCounter(&end);
    return Milliseconds(start, end);
}

// Two parts of an opening beyond the icons, to tell where the rest goes.
double Rescan() {
    ItemRecord out[kItemArraySize];
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    RescanFolder(0, out);
    QueryPerformanceCounter(&end);
    return Milliseconds(start, end);
}

double TrayRefresh(HWND owner, const ItemRecord* first) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    ShowFolderTrayIcon(owner, 0, first, true);
    QueryPerformanceCounter(&end);
    return Milliseconds(start, end);
}

}  // namespace

int main() {
    StartLauncherFramework();
    std::vector<std::string> shortcuts;
    std::string base = MakeLauncherBase("tapdeck-list-bench", 1, kShortcuts, &shortcuts);

    static LauncherWindow window;
    window.windowFlags |= window_flags::kNoQuitOnDestroy;
    window.CreateHidden();
    SetCursorPos(600, 500);
    OpenList(&window);  // the shell's caches warm up once, for both sides
    ShellIcons(shortcuts);
    std::vector<double> lists, shell, rescans, trays;
    ItemRecord first[kItemArraySize];
    RescanFolder(0, first);
    for (int i = 0; i < kRuns; ++i) {
        lists.push_back(OpenList(&window));
        shell.push_back(ShellIcons(shortcuts));
        rescans.push_back(Rescan());
        trays.push_back(TrayRefresh(window.handle, first));
        Pump();
    }
    StopTracking();
    double list = Median(lists);
    double bare = Median(shell);
    printf("%d openings of a %d-shortcut list: median %8.3f ms\n", kRuns, kShortcuts, list);
    printf("%d x %d bare SHGetFileInfoA calls:  median %8.3f ms\n", kRuns, 2 * kShortcuts, bare);
    printf("ratio list / shell: %.3f\n", bare > 0 ? list / bare : 0.0);
    printf("of an opening, apart: rescan median %.3f ms, tray icon refresh median %.3f ms\n", Median(rescans),
           Median(trays));

    window.Destroy();
    RemoveTree(base);
    CoUninitialize();
    return 0;
}

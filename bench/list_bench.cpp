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
#include "app/launcher_handles.h"
#include "app/launcher_values.h"
#include "app/launcher_window.h"
#include "app/tray_icons.h"
#include "framework/pointer_tracking.h"
#include "util/bounded_text.h"
#include "util/shortcut.h"

namespace {

constexpr int kRuns = 200;
constexpr int kShortcuts = 15;

double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

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
    CoInitialize(nullptr);
    SetInstance(GetModuleHandleA(nullptr));
    FormatPropertyName();
    RegisterFrameClass();
    LoadLauncherHandles();
    // The tray icons need the taskbar: give the desktop's a moment to come up.
    for (int i = 0; i < 300 && FindWindowA("Shell_TrayWnd", nullptr) == nullptr; ++i) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        Pump();
    }

    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string base = std::string(temp) + "tapdeck-list-bench";
    RemoveTree(base);
    CreateDirectoryA(base.c_str(), nullptr);
    CreateDirectoryA((base + "\\0").c_str(), nullptr);
    std::vector<std::string> shortcuts;
    for (int i = 0; i < kShortcuts; ++i) {
        std::string target = base + "\\target" + std::to_string(i) + ".txt";
        MakeFile(target);
        ShortcutSpec spec;
        FillShortcutSpec(&spec, "", target.c_str(), nullptr, nullptr, 0, nullptr, 0, SW_SHOW);
        shortcuts.push_back(base + "\\0\\Shortcut " + std::to_string(i) + ".lnk");
        SaveShortcut(shortcuts.back().c_str(), &spec);
    }
    CopyText(baseDir, sizeof baseDir, base.c_str());

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

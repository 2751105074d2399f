#include "bench/bench_support.h"

#include <objbase.h>

#include <algorithm>

#include "app/item_icons.h"
#include "app/working_set.h"
#include "app/launcher_values.h"
#include "framework/frame_window.h"
#include "framework/window.h"
#include "util/bounded_text.h"
#include "util/shortcut.h"

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void MakeFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
}

void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((path + "\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = entry.cFileName;
            if (name == "." || name == "..")
                continue;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path + "\\" + name);
            } else {
                DeleteFileA((path + "\\" + name).c_str());
            }
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryA(path.c_str());
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void StartLauncherFramework() {
    CoInitialize(nullptr);
    SetInstance(GetModuleHandleA(nullptr));
    FormatPropertyName();
    RegisterFrameClass();
    LoadFallbackIcon();
    LookUpWorkingSetTrim();
    for (int i = 0; i < 300 && FindWindowA("Shell_TrayWnd", nullptr) == nullptr; ++i) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        Pump();
    }
}

std::string MakeLauncherBase(const char* name, int folders, int count, std::vector<std::string>* shortcuts) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string base = std::string(temp) + name;
    RemoveTree(base);
    CreateDirectoryA(base.c_str(), nullptr);
    for (int i = 0; i < count; ++i)
        MakeFile(base + "\\target" + std::to_string(i) + ".txt");
    for (int k = 0; k < folders; ++k) {
        std::string folder = base + "\\" + std::to_string(k);
        CreateDirectoryA(folder.c_str(), nullptr);
        for (int i = 0; i < count; ++i) {
            std::string target = base + "\\target" + std::to_string(i) + ".txt";
            ShortcutSpec spec;
            FillShortcutSpec(&spec, "", target.c_str(), nullptr, nullptr, 0, nullptr, 0, SW_SHOW);
            shortcuts->push_back(folder + "\\Shortcut " + std::to_string(i) + ".lnk");
            SaveShortcut(shortcuts->back().c_str(), &spec);
        }
    }
    CopyText(baseDir, sizeof baseDir, base.c_str());
    return base;
}

// How long one rescan of a numbered folder takes, on a folder of 15 shortcuts
// and on one of 10,000 files. Prints the median and the spread of repeated
// runs; run it under Wine through tools/wine_session.sh (see README).

#include <objbase.h>
#include <shlobj.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/folder_store.h"
#include "bench/bench_support.h"
#include "app/launcher_values.h"
#include "util/bounded_text.h"
#include "util/shortcut.h"

namespace {

void Measure(const char* what, int folder, int runs) {
    RescanFolder(folder, nullptr);  // the first run builds the item file
    std::vector<double> times;
    int items = 0;
    for (int i = 0; i < runs; ++i) {
        ItemRecord out[15];
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        items = RescanFolder(folder, out);
        QueryPerformanceCounter(&end);
        times.push_back(Milliseconds(start, end));
    }
    std::sort(times.begin(), times.end());
    auto at = [&](double fraction) { return times[static_cast<size_t>(fraction * (times.size() - 1))]; };
    printf("%-22s %3d items, %4d runs: median %8.3f ms  p10 %8.3f  p90 %8.3f  min %8.3f  max %8.3f\n", what, items,
           runs, at(0.5), at(0.1), at(0.9), times.front(), times.back());
}

}  // namespace

int main() {
    CoInitialize(nullptr);
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string base = std::string(temp) + "tapdeck-bench";
    RemoveTree(base);
    CreateDirectoryA(base.c_str(), nullptr);
    CreateDirectoryA((base + "\\0").c_str(), nullptr);
    CreateDirectoryA((base + "\\1").c_str(), nullptr);

    for (int i = 0; i < 15; ++i) {
        std::string target = base + "\\target" + std::to_string(i) + ".txt";
        MakeFile(target);
        ShortcutSpec spec;
        FillShortcutSpec(&spec, "", target.c_str(), nullptr, nullptr, 0, nullptr, 0, SW_SHOW);
        SaveShortcut((base + "\\0\\Shortcut " + std::to_string(i) + ".lnk").c_str(), &spec);
    }
    for (int i = 0; i < 10000; ++i) {
        MakeFile(base + "\\1\\file" + std::to_string(i) + ".txt");
    }
    CopyText(baseDir, sizeof baseDir, base.c_str());

    Measure("15 shortcuts", 0, 500);
    Measure("10,000 files", 1, 40);

    RemoveTree(base);
    CoUninitialize();
    return 0;
}

#include "app/launching.h"

#include <windows.h>

#include <shellapi.h>

#include "app/item_names.h"
#include "util/bounded_text.h"
#include "util/path_limits.h"
#include "util/special_folder.h"

// The record of the first form, which the system of every version takes.
#ifndef _WIN64
static_assert(sizeof(SHELLEXECUTEINFOA) == 60, "SHELLEXECUTEINFOA of 60 bytes");
#endif

void LaunchItem(const char* path) {
    // Our own copy: the shell's call and the error box run message loops in
    // which the list, and the array that holds `path`, may go away.
    char file[kPathSize];
    lstrcpynA(file, path, sizeof file);
    const char* parameters = nullptr;
    const char* directory = nullptr;
    if (IsProgramPath(file)) {
        parameters = "";
        directory = "";
    }
    HINSTANCE result = ShellExecuteA(GetForegroundWindow(), nullptr, file, parameters, directory, SW_SHOWNORMAL);
    auto code = reinterpret_cast<UINT_PTR>(result);
    if (code > 32)
        return;
    char text[32];
    FormatText(text, sizeof text, "Error: %i", static_cast<int>(code));
    MessageBoxA(nullptr, text, "Error at execute!", MB_OK);
}

void OpenDirectory(const char* path) {
    ShellExecuteA(nullptr, "open", path, nullptr, nullptr, SW_SHOWNORMAL);
}

void OpenSpecialFolder(int csidl) {
    SpecialFolderItems folder(csidl);
    if (!folder.Found())
        return;
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_IDLIST;
    info.lpVerb = "open";
    info.nShow = SW_SHOWNORMAL;
    info.lpIDList = folder.Items();
    ShellExecuteExA(&info);
}

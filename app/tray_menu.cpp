// The launcher window's tray notifications and its popup menu.

#include <windows.h>

#include <shlobj.h>

#include "app/folder_store.h"
#include "app/launcher_app.h"
#include "app/launcher_handles.h"
#include "app/launcher_values.h"
#include "app/launching.h"
#include "app/special_folders.h"
#include "app/tray_icons.h"
#include "app/tray_routing.h"
#include "framework/pointer_tracking.h"
#include "markup_dialog/markup_dialog.h"
#include "util/bounded_text.h"

namespace {

namespace command {
constexpr int kQuit = 100;
constexpr int kAbout = 101;
constexpr int kOpenFolder = 102;
constexpr int kBigIcons = 103;
constexpr int kRestart = 110;
constexpr int kProgramFolder = 1000;
constexpr int kSpecialFolder = 1100;  // + the table's row
constexpr int kUserName = 2000;
constexpr int kBeepOff = 2001;
constexpr int kBeepOn = 2002;
}  // namespace command

HMENU FoldersMenu() {
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, command::kProgramFolder, "Tapdeck");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    char text[64];
    for (int row = 0; row < kSpecialFolderRows; ++row) {
        if (SpecialFolderTable[row].csidl == kSpecialSeparator)
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        else if (GetSpecialFolderName(row, text))
            AppendMenuA(menu, MF_STRING, command::kSpecialFolder + row, text);
    }
    return menu;
}

bool BeepIsOn() {
    BOOL on = FALSE;
    SystemParametersInfoA(SPI_GETBEEP, 0, &on, 0);
    return on != FALSE;
}

HMENU UtilsMenu() {
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, command::kUserName, "Get Username");
    if (BeepIsOn())
        AppendMenuA(menu, MF_STRING, command::kBeepOff, "Diable warning beep");
    else
        AppendMenuA(menu, MF_STRING, command::kBeepOn, "Enable warning beep");
    return menu;
}

void ShowUserName() {
    char user[128];
    DWORD userSize = sizeof user;
    if (!GetUserNameA(user, &userSize))
        lstrcpyA(user, "Unknown");
    char computer[32];
    DWORD computerSize = sizeof computer;
    if (!GetComputerNameA(computer, &computerSize))
        lstrcpyA(computer, "Unknown");
    char text[256];
    FormatText(text, sizeof text, "The current user has logged in as:\r\n\r\n%s on %s\r\n", user, computer);
    ShowMarkupDialog(nullptr, text, "User / Computer name", 0x7F04, "+&OK", nullptr, nullptr, nullptr, 0);
}

// The beep goes off (or on) in any case; only OK keeps it past the session.
void SwitchBeep(bool on) {
    int answer = ShowMarkupDialog(nullptr, "Remember this setting after bootup?",
                                  on ? "Enable warning beep" : "Disable warning beep", 0x7F02, "+&OK|-&Cancel", nullptr,
                                  nullptr, nullptr, 0);
    SystemParametersInfoA(SPI_SETBEEP, on, nullptr, answer == 0 ? SPIF_UPDATEINIFILE | SPIF_SENDCHANGE : 0);
}

}  // namespace

const SpecialFolder SpecialFolderTable[kSpecialFolderRows] = {
    {CSIDL_CONTROLS, "Control Panel"},
    {CSIDL_DESKTOP, "Desktop"},
    {CSIDL_DRIVES, "My Computer"},
    {CSIDL_NETWORK, "Network"},
    {CSIDL_PRINTERS, "Printers"},
    {kSpecialSeparator, ""},
    {CSIDL_MYVIDEO, "My Video"},
    {CSIDL_PERSONAL, "My Documents"},
    {CSIDL_MYMUSIC, "My Music"},
    {CSIDL_MYPICTURES, "My Pictures"},
    {CSIDL_PROFILE, "My Profile"},
    {CSIDL_TEMPLATES, "My Templates"},
    {kSpecialSeparator, ""},
    {CSIDL_COOKIES, "Cookies"},
    {CSIDL_HISTORY, "History"},
    {CSIDL_FAVORITES, "Favorites"},
    {CSIDL_RECENT, "Recent Documents"},
    {CSIDL_BITBUCKET, "Recycle Bin"},
    {kSpecialSeparator, ""},
    {CSIDL_STARTUP, "Startup (User)"},
    {CSIDL_COMMON_STARTUP, "Startup (Common)"},
    {CSIDL_STARTMENU, "Start Menu (User)"},
    {CSIDL_COMMON_STARTMENU, "Start Menu (Common)"},
    {CSIDL_SENDTO, "Send To ..."},
    {kSpecialSeparator, ""},
    {CSIDL_PROGRAM_FILES, "Program Files"},
    {CSIDL_WINDOWS, "Windows Root Folder"},
    {CSIDL_SYSTEM, "Windows System Folder"},
    {CSIDL_INTERNET_CACHE, "Internet Cache"},
};

int GetSpecialFolderName(int row, char* text) {
    IMalloc* allocator = nullptr;
    if (SHGetMalloc(&allocator) != S_OK)
        return 0;
    LPITEMIDLIST list = nullptr;
    HRESULT found = SHGetSpecialFolderLocation(GetForegroundWindow(), SpecialFolderTable[row].csidl, &list);
    if (found == S_OK) {
        lstrcpyA(text, SpecialFolderTable[row].text);
        allocator->Free(list);
    }
    allocator->Release();
    return found == S_OK ? 1 : 0;
}

int LauncherWindow::FilterMessage(Window*, UINT message, WPARAM wParam, LPARAM lParam, LRESULT*) {
    static_assert(kTrayLeftDown == WM_LBUTTONDOWN && kTrayRightDown == WM_RBUTTONDOWN, "tray mouse messages");
    if (message == taskbarCreatedMessage && message != 0) {
        RebuildTrayIcons();
    } else if (message == kTrayMessage) {
        int folder = static_cast<int>(wParam);
        switch (RouteTrayNotice(wParam, folderCount, static_cast<unsigned>(lParam))) {
            case TrayAction::kBeepAndRebuild:
                BeepAndRebuild();
                break;
            case TrayAction::kShowList:
                ShowFolderList(folder);
                break;
            case TrayAction::kStartFirstItem:
                StartFirstItem(folder);
                break;
            case TrayAction::kNothing:
                break;
        }
    } else if (message == kOrderNotSavedMessage) {
        WarnOrderNotSaved(static_cast<int>(wParam));
    }
    return 0;
}

void LauncherWindow::StartFirstItem(int folder) {
    ItemRecord first{};
    WIN32_FIND_DATAA found;
    HANDLE lookup = ReadFirstItem(folder, &first) ? FindFirstFileA(first.path, &found) : INVALID_HANDLE_VALUE;
    if (lookup != INVALID_HANDLE_VALUE) {
        FindClose(lookup);
        LaunchItem(first.path);
        return;
    }
    BeepAndRebuild();
}

void LauncherWindow::BeepAndRebuild() {
    MessageBeep(kAnySound);
    RebuildTrayIcons();
}

void LauncherWindow::OnRightButtonUp(Window*, int x, int y) {
    POINT at = {x, y};
    ClientToScreen(handle, &at);
    HMENU menu = CreatePopupMenu();
    HMENU folders = FoldersMenu();
    HMENU utils = UtilsMenu();
    char openText[32];
    FormatText(openText, sizeof openText, "Open folder %i", currentFolder);
    AppendMenuA(menu, MF_STRING, command::kQuit, "Quit");
    AppendMenuA(menu, MF_STRING, command::kRestart, "Restart");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, command::kAbout, "About ...");
    AppendMenuA(menu, MF_STRING, command::kOpenFolder, openText);
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(folders), "Folders");
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(utils), "Utils ..");
    AppendMenuA(menu, MF_STRING | (iconSize == 32 ? MF_CHECKED : 0), command::kBigIcons, "Big icons");
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STATE;
    GetMenuItemInfoA(menu, command::kOpenFolder, FALSE, &item);
    item.fState |= MFS_DEFAULT;
    SetMenuItemInfoA(menu, command::kOpenFolder, FALSE, &item);

    StopTracking();
    // A menu of a notification-area program closes on a click elsewhere only
    // when its owner is the foreground window.
    SetForegroundWindow(handle);
    int chosen = TrackPopupMenu(menu, TPM_RETURNCMD, at.x, at.y, 0, handle, nullptr);
    TrackWindow(this);
    PostMessageA(handle, WM_NULL, 0, 0);
    DestroyMenu(menu);  // with its two submenus
    RunCommand(chosen);
}

void LauncherWindow::RunCommand(int chosen) {
    if (chosen == command::kQuit)
        PostQuitMessage(1);
    if (chosen == command::kAbout)
        ShowMarkupDialog(nullptr, kAboutText, "About Tapdeck", 0x7F04, "+&OK", nullptr, nullptr, nullptr, 0);
    if (chosen == command::kBigIcons) {
        Hide();
        ApplySettingsWord(iconSize == 32 ? 0 : kBigIconsBit);
        uint32_t settings = ReadSettings();
        WriteSettings(iconSize == 32 ? settings | kBigIconsBit : settings & ~kBigIconsBit);
    }
    if (chosen == command::kRestart)
        RebuildTrayIcons();
    char directory[kPathSize] = "";
    if (chosen == command::kProgramFolder)
        lstrcpynA(directory, baseDir, sizeof directory);
    if (chosen == command::kOpenFolder)
        FormatText(directory, sizeof directory, "%s\\%i", baseDir, currentFolder);
    if (chosen >= command::kSpecialFolder && chosen < command::kSpecialFolder + kSpecialFolderRows)
        OpenSpecialFolder(SpecialFolderTable[chosen - command::kSpecialFolder].csidl);
    if (directory[0] != '\0') {
        OpenDirectory(directory);
        HideFolderList();
    }
    if (chosen == command::kUserName)
        ShowUserName();
    if (chosen == command::kBeepOff || chosen == command::kBeepOn)
        SwitchBeep(chosen == command::kBeepOn);
}

// The popup menu of the list window: built at a right click in the list, and
// its commands carried out. What each command means is menu_table's.

#include <windows.h>

#include <shlobj.h>

#include "app/folder_store.h"
#include "app/launcher_values.h"
#include "app/launcher_window.h"
#include "app/launching.h"
#include "app/menu_table.h"
#include "framework/pointer_tracking.h"
#include "markup_dialog/markup_dialog.h"
#include "util/bounded_text.h"
#include "util/owners.h"
#include "util/special_folder.h"

namespace {

static_assert(CSIDL_CONTROLS == 0x03 && CSIDL_DESKTOP == 0x00 && CSIDL_DRIVES == 0x11 && CSIDL_NETWORK == 0x12 &&
                  CSIDL_PRINTERS == 0x04 && CSIDL_MYVIDEO == 0x0E && CSIDL_PERSONAL == 0x05 && CSIDL_MYMUSIC == 0x0D &&
                  CSIDL_MYPICTURES == 0x27 && CSIDL_PROFILE == 0x28 && CSIDL_TEMPLATES == 0x15,
              "the special folders' numbers, first part");
static_assert(CSIDL_COOKIES == 0x21 && CSIDL_HISTORY == 0x22 && CSIDL_FAVORITES == 0x06 && CSIDL_RECENT == 0x08 &&
                  CSIDL_BITBUCKET == 0x0A && CSIDL_STARTUP == 0x07 && CSIDL_COMMON_STARTUP == 0x18 &&
                  CSIDL_STARTMENU == 0x0B && CSIDL_COMMON_STARTMENU == 0x16 && CSIDL_SENDTO == 0x09 &&
                  CSIDL_PROGRAM_FILES == 0x26 && CSIDL_WINDOWS == 0x24 && CSIDL_SYSTEM == 0x25 &&
                  CSIDL_INTERNET_CACHE == 0x20,
              "the special folders' numbers, second part");

const char kAboutText[] =
    "Tapdeck 1.10\r\n\r\n"
    "Starts your programs and documents from the notification area: one icon "
    "for each numbered folder beside the program.\r\n\r\n"
    "https://tapdeck.example.org";

// Copies row `row`'s text into `text` (64 bytes) and returns 1 when the
// folder exists on this system, else 0. The shell's own name is not used.
int GetSpecialFolderName(int row, char* text) {
    SpecialFolderItems folder(SpecialFolderTable[row].csidl);
    if (!folder.Found())
        return 0;
    CopyText(text, 64, SpecialFolderTable[row].text);
    return 1;
}

// "Tapdeck", then the special folders that exist on this system.
Menu FoldersMenu() {
    Menu menu;
    AppendMenuA(menu.get(), MF_STRING, menu_command::kProgramFolder, "Tapdeck");
    AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
    char text[64];
    for (int row = 0; row < kSpecialFolderRows; ++row) {
        if (SpecialFolderTable[row].csidl == kSpecialSeparator)
            AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
        else if (GetSpecialFolderName(row, text))
            AppendMenuA(menu.get(), MF_STRING, menu_command::kFirstSpecialFolder + row, text);
    }
    return menu;
}

bool BeepIsOn() {
    BOOL on = FALSE;
    SystemParametersInfoA(SPI_GETBEEP, 0, &on, 0);
    return on != FALSE;
}

Menu UtilsMenu() {
    Menu menu;
    AppendMenuA(menu.get(), MF_STRING, menu_command::kUserName, "Get Username");
    if (BeepIsOn())
        AppendMenuA(menu.get(), MF_STRING, menu_command::kBeepOff, "Diable warning beep");
    else
        AppendMenuA(menu.get(), MF_STRING, menu_command::kBeepOn, "Enable warning beep");
    return menu;
}

void ShowUserName() {
    char user[128];
    DWORD userSize = sizeof user;
    if (!GetUserNameA(user, &userSize))
        CopyText(user, sizeof user, "Unknown");
    char computer[32];
    DWORD computerSize = sizeof computer;
    if (!GetComputerNameA(computer, &computerSize))
        CopyText(computer, sizeof computer, "Unknown");
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

void SwitchIconSize() {
    ApplySettingsWord(iconSize == 32 ? 0 : kBigIconsBit);
    uint32_t settings = ReadSettings();
    WriteSettings(iconSize == 32 ? settings | kBigIconsBit : settings & ~kBigIconsBit);
}

// The whole menu, with "Open folder" of the list's folder as its default item.
Menu BuildMenu(int folder) {
    Menu menu;
    Menu folders = FoldersMenu();
    Menu utils = UtilsMenu();
    char openText[32];
    FormatText(openText, sizeof openText, "Open folder %i", folder);
    AppendMenuA(menu.get(), MF_STRING, menu_command::kQuit, "Quit");
    AppendMenuA(menu.get(), MF_STRING, menu_command::kRestart, "Restart");
    AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu.get(), MF_STRING, menu_command::kAbout, "About ...");
    AppendMenuA(menu.get(), MF_STRING, menu_command::kOpenFolder, openText);
    AppendMenuA(menu.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(folders.GiveAway()), "Folders");
    AppendMenuA(menu.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(utils.GiveAway()), "Utils ..");
    AppendMenuA(menu.get(), MF_STRING | (iconSize == 32 ? MF_CHECKED : 0), menu_command::kBigIcons, "Big icons");
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STATE;
    GetMenuItemInfoA(menu.get(), menu_command::kOpenFolder, FALSE, &item);
    item.fState |= MFS_DEFAULT;
    SetMenuItemInfoA(menu.get(), menu_command::kOpenFolder, FALSE, &item);
    return menu;
}

}  // namespace

void LauncherWindow::OnRightButtonUp(Window*, int x, int y) {
    POINT at = {x, y};
    ClientToScreen(handle, &at);
    int chosen = 0;
    {
        Menu menu = BuildMenu(currentFolder);
        // The list must not hide under its menu.
        StopTracking();
        // A menu of a notification-area program closes on a click elsewhere
        // only when its owner is the foreground window.
        SetForegroundWindow(handle);
        chosen = TrackPopupMenu(menu.get(), TPM_RETURNCMD, at.x, at.y, 0, handle, nullptr);
        TrackWindow(this);
        PostMessageA(handle, WM_NULL, 0, 0);
    }  // the menu goes, with its two submenus, before its command runs
    RunCommand(chosen);
}

void LauncherWindow::RunCommand(int command) {
    MenuChoice choice = DecodeMenuCommand(command);
    char directory[kPathSize] = "";
    switch (choice.action) {
        case MenuAction::kQuit:
            PostQuitMessage(1);
            break;
        case MenuAction::kAbout:
            ShowMarkupDialog(nullptr, kAboutText, "About Tapdeck", 0x7F04, "+&OK", nullptr, nullptr, nullptr, 0);
            break;
        case MenuAction::kSwitchIconSize:
            // The list's items stay loaded until the next poll finds the
            // pointer away from the hidden window; the next opening is resized.
            Hide();
            SwitchIconSize();
            break;
        case MenuAction::kRestart:
            RebuildTrayIcons();
            break;
        case MenuAction::kOpenProgramFolder:
            CopyText(directory, sizeof directory, baseDir);
            break;
        case MenuAction::kOpenFolder:
            FormatText(directory, sizeof directory, "%s\\%i", baseDir, currentFolder);
            break;
        case MenuAction::kOpenSpecialFolder:
            OpenSpecialFolder(SpecialFolderTable[choice.specialRow].csidl);  // the list stays open
            break;
        case MenuAction::kUserName:
            ShowUserName();
            break;
        case MenuAction::kBeepOff:
        case MenuAction::kBeepOn:
            SwitchBeep(choice.action == MenuAction::kBeepOn);
            break;
        case MenuAction::kNone:
            break;
    }
    if (directory[0] != '\0') {
        OpenDirectory(directory);
        HideFolderList();
    }
}

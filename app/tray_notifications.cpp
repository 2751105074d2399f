// The launcher window's tray icons, one per numbered folder: added for the
// folders, rebuilt when the taskbar or the folders changed, and the
// notifications of their presses. What a press does is tray_routing's.

#include "app/folder_store.h"
#include "app/launcher_values.h"
#include "app/launcher_window.h"
#include "app/launching.h"
#include "app/tray_icons.h"
#include "app/tray_routing.h"

UINT taskbarCreatedMessage = 0;

// Folders 0, 1, ... up to the first that is missing or has no icon.
void LauncherWindow::AddFolderTrayIcons() {
    folderCount = 0;
    for (int k = 0; k < kFolderCount; ++k) {
        RescanFolder(k, nullptr);
        if (!ShowFolderTrayIcon(handle, k, nullptr, false))
            break;
        ++folderCount;
    }
}

// Identifier 0 goes even when only the error icon stands.
void LauncherWindow::RemoveTrayIcons() {
    int last = folderCount > 1 ? folderCount : 1;
    for (int k = 0; k < last; ++k)
        TrayDelete(handle, static_cast<UINT>(k));
}

void LauncherWindow::RebuildTrayIcons() {
    HideFolderList();
    RemoveTrayIcons();
    AddFolderTrayIcons();
    if (folderCount == 0)
        TrayAdd(handle, kTrayMessage, LoadIconA(nullptr, IDI_EXCLAMATION), 0, kFolderMissingTip);
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

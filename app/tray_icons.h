#pragma once
// The folders' notification-area icons. Every call names the owner window and
// the icon's identifier, which is the folder number.

#include <windows.h>

#include "app/item_record.h"

constexpr UINT kTrayMessage = WM_APP;
// The shell's "TaskbarCreated" broadcast, registered by the launcher window:
// a new taskbar holds none of the icons, which are then added again.
extern UINT taskbarCreatedMessage;
constexpr char kFolderMissingTip[] = "ERROR, Folder 0 was not found!";

// Each returns what Shell_NotifyIconA returned. Tips longer than 63
// characters are cut.
BOOL TrayAdd(HWND owner, UINT message, HICON icon, UINT id, const char* tip);
// A null icon or tip leaves that part as it is.
BOOL TrayModify(HWND owner, HICON icon, UINT id, const char* tip);
BOOL TrayDelete(HWND owner, UINT id);

// Adds (or with `modify` refreshes) folder `folder`'s icon from `first`, or,
// without a record, from the folder's item file. 1 on success, 0 when the
// item file cannot be opened or no icon can be had.
int ShowFolderTrayIcon(HWND owner, int folder, const ItemRecord* first, bool modify);

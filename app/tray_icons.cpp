#include "app/tray_icons.h"

#include <shellapi.h>

#include "app/folder_store.h"
#include "app/item_file.h"
#include "app/item_icons.h"

namespace {

// The first, smallest form of the record: it is understood by every shell,
// and its tip field holds 64 bytes.
constexpr DWORD kNotifyDataSize = NOTIFYICONDATAA_V1_SIZE;
#ifndef _WIN64
static_assert(kNotifyDataSize == 88, "the first form of NOTIFYICONDATAA, 88 bytes");
#endif
constexpr size_t kTipSize = 64;

NOTIFYICONDATAA Describe(HWND owner, UINT id) {
    NOTIFYICONDATAA data{};
    data.cbSize = kNotifyDataSize;
    data.hWnd = owner;
    data.uID = id;
    return data;
}

void SetTip(NOTIFYICONDATAA* data, const char* tip) {
    lstrcpynA(data->szTip, tip, kTipSize);
    data->uFlags |= NIF_TIP;
}

}  // namespace

BOOL TrayAdd(HWND owner, UINT message, HICON icon, UINT id, const char* tip) {
    NOTIFYICONDATAA data = Describe(owner, id);
    data.uFlags = NIF_MESSAGE | NIF_ICON;
    data.uCallbackMessage = message;
    data.hIcon = icon;
    SetTip(&data, tip);
    return Shell_NotifyIconA(NIM_ADD, &data);
}

BOOL TrayModify(HWND owner, HICON icon, UINT id, const char* tip) {
    NOTIFYICONDATAA data = Describe(owner, id);
    if (icon != nullptr) {
        data.uFlags |= NIF_ICON;
        data.hIcon = icon;
    }
    if (tip != nullptr)
        SetTip(&data, tip);
    return Shell_NotifyIconA(NIM_MODIFY, &data);
}

BOOL TrayDelete(HWND owner, UINT id) {
    NOTIFYICONDATAA data = Describe(owner, id);
    return Shell_NotifyIconA(NIM_DELETE, &data);
}

int ShowFolderTrayIcon(HWND owner, int folder, const ItemRecord* first, bool modify) {
    ItemRecord read;
    if (first == nullptr) {
        if (ReadFirstItem(folder, &read) == 0)
            return 0;
        first = &read;
    }
    char tip[kTipSize];
    HICON icon;
    if (first->path[0] != '\0') {
        icon = GetItemIcon(first->path, tip, sizeof tip, item_icon_flags::kSmall);
    } else {
        lstrcpynA(tip, kEmptyFolderLabel, sizeof tip);
        // A copy, so that the destroy below is right for both kinds of icon.
        icon = CopyIcon(LoadIconA(nullptr, IDI_EXCLAMATION));
    }
    if (icon == nullptr)
        return 0;
    UINT id = static_cast<UINT>(folder);
    if (modify) {
        TrayModify(owner, icon, id, tip);
    } else {
        TrayAdd(owner, kTrayMessage, icon, id, tip);
    }
    DestroyIcon(icon);  // the shell keeps its own copy
    return 1;
}

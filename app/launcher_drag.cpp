// Reordering the open list by dragging an item to another place. The order is
// written to the folder's item file at once, and the folder's tray icon
// follows a new first item.

#include <cstring>

#include "app/folder_store.h"
#include "app/launcher_values.h"
#include "app/launcher_window.h"
#include "app/list_geometry.h"
#include "app/tray_icons.h"
#include "framework/pointer_tracking.h"
#include "markup_dialog/markup_dialog.h"
#include "util/bounded_text.h"

namespace {

constexpr int kMoveCursorId = 1006;
constexpr int kInsertCursorId = 1007;

// What one drag keeps in the user area of the drag record, packed.
#pragma pack(push, 1)
struct DragState {
    int8_t source;
    HCURSOR move;
    HCURSOR insert;
    HCURSOR saved;
};
#pragma pack(pop)
static_assert(sizeof(DragState) == 1 + 3 * sizeof(HCURSOR), "packed: 13 bytes in the 32-bit program");
static_assert(sizeof(DragState) <= sizeof(DragInfo::user), "the drag state fits the user area");

DragState ReadState(const DragInfo* info) {
    DragState state;
    memcpy(&state, info->user, sizeof state);
    return state;
}

void WriteState(DragInfo* info, const DragState& state) {
    memcpy(info->user, &state, sizeof state);
}

// Loaded as the drag's own copy (not the shared one LoadCursor gives), so
// that destroying it at the end of the drag is right.
HCURSOR LoadOwnCursor(int id) {
    return static_cast<HCURSOR>(LoadImageA(GetInstance(), MAKEINTRESOURCEA(id), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE));
}

}  // namespace

int LauncherWindow::OnDrag(int code, DragInfo* info) {
    int h = RowHeight();
    switch (code) {
        case drag_code::kBegin: {
            // Only an item's row starts a drag: a press on the extra pixel row
            // below the last one would drag an item that does not exist.
            int source = ItemAtY(info->start.y, h, items != nullptr ? itemCount : 0);
            if (source < 0)
                return 0;
            DragState state;
            state.source = static_cast<int8_t>(source);
            state.move = LoadOwnCursor(kMoveCursorId);
            state.insert = LoadOwnCursor(kInsertCursorId);
            // The window's own cursor, which the drag lends out and gives back.
            state.saved = cursor;
            WriteState(info, state);
            SetCursorHandle(state.move);
            ApplyCursor();
            RECT r;
            WindowRect(&r);
            ClipCursor(&r);
            return 1;
        }
        case drag_code::kShow: {
            DragState state = ReadState(info);
            RECT client;
            ClientRect(&client);
            dropIndex = DropIndexAt(info->current.y, client.bottom, iconSize, h, itemCount);
            switch (DragCursorFor(dropIndex, state.source)) {
                case DragCursor::kMove:
                    SetCursorHandle(state.move);
                    break;
                case DragCursor::kNo:
                    SetCursorHandle(LoadCursorA(nullptr, IDC_NO));
                    break;
                case DragCursor::kInsert:
                    SetCursorHandle(state.insert);
                    break;
            }
            ApplyCursor();
            return 1;
        }
        case drag_code::kDrop:
        case drag_code::kCancel: {
            DragState state = ReadState(info);
            ClipCursor(nullptr);
            SetCursorHandle(state.saved);
            ApplyCursor();
            if (state.move != nullptr)
                DestroyCursor(state.move);
            if (state.insert != nullptr)
                DestroyCursor(state.insert);
            if (code == drag_code::kCancel || items == nullptr)
                return 1;
            bool firstChanged = false;
            if (!MoveItem(items, itemCount, state.source, dropIndex, &firstChanged))
                return 1;
            if (!SaveFolderItems(currentFolder, items, itemCount))
                PostMessageA(handle, kOrderNotSavedMessage, static_cast<WPARAM>(currentFolder), 0);
            if (firstChanged)
                ShowFolderTrayIcon(handle, currentFolder, items, true);
            InvalidateRect(handle, nullptr, TRUE);
            UpdateWindow(handle);
            return 1;
        }
        default:
            return 1;
    }
}

void LauncherWindow::WarnOrderNotSaved(int folder) {
    if (orderNotSavedTold)
        return;
    orderNotSavedTold = true;
    char text[128];
    FormatText(text, sizeof text, "The new order of folder %i could not be saved: its item file cannot be written.",
               folder);
    ShowMarkupDialog(nullptr, text, "Warning", 0x7F03, "+&OK", nullptr, nullptr, nullptr, 0);
}

#include "app/launcher_window.h"

#include <initializer_list>
#include <new>

#include "app/folder_store.h"
#include "app/item_icons.h"
#include "app/launcher_values.h"
#include "app/working_set.h"
#include "app/launching.h"
#include "app/list_geometry.h"
#include "app/tray_icons.h"
#include "framework/paint_context.h"
#include "framework/pointer_tracking.h"
#include "util/owners.h"

namespace {

constexpr DWORD kLauncherStyle = WS_POPUP | WS_BORDER;
constexpr int kCreationSize = 400;
constexpr COLORREF kListFill = RGB(245, 245, 245);
constexpr COLORREF kHighlightFill = PALETTERGB(181, 189, 210);
constexpr COLORREF kSeparator = RGB(220, 220, 220);
static_assert(kHighlightFill == 0x02D2BDB5, "the highlight is a palette-relative colour");

// The widest label in the stock variable font, 0 when all are empty.
int WidestLabel(const ItemRecord* items, int count) {
    WindowDC screen(nullptr);
    Selection font(screen.get(), GetStockObject(ANSI_VAR_FONT));
    int widest = 0;
    for (int i = 0; i < count; ++i) {
        SIZE size{};
        if (GetTextExtentPoint32A(screen.get(), items[i].label, lstrlenA(items[i].label), &size) && size.cx > widest)
            widest = size.cx;
    }
    return widest;
}

// The work area of the monitor that holds `point`, or with `whole` the
// monitor itself.
ListArea WorkAreaAt(POINT point, bool whole) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoA(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), &info);
    const RECT& r = whole ? info.rcMonitor : info.rcWork;
    return {r.left, r.top, r.right, r.bottom};
}

}  // namespace

LauncherWindow::LauncherWindow()
    : items(nullptr),
      itemCount(0),
      hotIndex(-1),
      dropIndex(-1),
      currentFolder(-1),
      folderCount(0),
      buildingList(false),
      orderNotSavedTold(false) {
    // The list paints every pixel itself: erasing first would only flicker.
    SetBackground(kNoBackground);
}

int LauncherWindow::RowHeight() const {
    return ::RowHeight(iconSize, rowGap);
}

void LauncherWindow::CreateHidden() {
    CreateFrame(nullptr, 0, 0, kCreationSize, kCreationSize, kLauncherStyle, "Tapdeck", this, nullptr,
                WS_EX_TOOLWINDOW);
}

void LauncherWindow::OnCreate(Window*) {
    taskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");
    currentFolder = -1;
    itemCount = 0;
    items = nullptr;
    hoverTicks = 8;
    if (handle != nullptr)  // icons owned by no window could never be removed
        AddFolderTrayIcons();
}

void LauncherWindow::OnDestroy(Window*) {
    RemoveTrayIcons();  // no icon outlives its owner
    if (items != nullptr) {
        FreeItemIcons(items, itemCount);
        delete[] items;
        items = nullptr;
        itemCount = 0;
    }
}

void LauncherWindow::ShowFolderList(int folder) {
    if (buildingList)
        return;
    HideFolderList();
    POINT pointer;
    GetCursorPos(&pointer);
    hotIndex = -1;
    currentFolder = folder;

    // Built apart from `items` and handed over only when complete: whatever
    // runs inside the rescan's message loop finds no half-built list.
    auto* list = new (std::nothrow) ItemRecord[kItemArraySize];
    if (list == nullptr)
        return;
    buildingList = true;
    int count = RescanFolder(folder, list);
    if (count > 0)
        LoadItemIcons(list, count, iconSize == 16);
    buildingList = false;
    if (count == 0) {
        delete[] list;
        RebuildTrayIcons();
        MessageBeep(kAnySound);
        return;
    }
    if (items != nullptr)
        HideFolderList();
    items = list;
    itemCount = count;
    currentFolder = folder;
    hotIndex = -1;
    orderNotSavedTold = false;

    ShowFolderTrayIcon(handle, folder, items, true);
    ListBox box = ListOuterBox({pointer.x, pointer.y}, iconSize, rowGap, WidestLabel(items, itemCount), itemCount);
    box = KeepListInArea(box, {pointer.x, pointer.y}, WorkAreaAt(pointer, false), WorkAreaAt(pointer, true));
    Resize(box.width, box.height);
    MoveTo(box.x, box.y);
    SetWindowPos(handle, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    Show();
    TrackWindow(this);
}

void LauncherWindow::HideFolderList() {
    if (items != nullptr) {
        FreeItemIcons(items, itemCount);
        itemCount = 0;
        delete[] items;
        items = nullptr;
    }
    SetWindowPos(handle, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    Hide();
}

void LauncherWindow::OnMouseLeave(Window*, HWND) {
    HideFolderList();
}

void LauncherWindow::OnHide(Window*) {
    // Every hiding gives the icons' and labels' memory back to the system,
    // so the resident launcher stays small between uses.
    TrimWorkingSet();
}

void LauncherWindow::OnPaint(Window*, PaintContext* context, RECT*) {
    HDC dc = context->hdc;
    HGDIOBJ previousFont = context->SelectFont(GetStockObject(ANSI_VAR_FONT));
    SetBkMode(dc, TRANSPARENT);
    RECT client;
    ClientRect(&client);
    // More than 256 colours: the fixed light colours; otherwise the system's,
    // which a palette display can show without dithering.
    bool trueColour = GetDeviceCaps(dc, NUMCOLORS) == -1;
    GdiObject<HBRUSH> listFill(trueColour ? CreateSolidBrush(kListFill) : nullptr);
    GdiObject<HBRUSH> highlightFill(trueColour ? CreateSolidBrush(kHighlightFill) : nullptr);
    GdiObject<HPEN> separator(CreatePen(PS_SOLID, 0, kSeparator));
    RECT strip = {0, client.top, iconSize + 6, client.bottom};
    FillRect(dc, &strip, GetSysColorBrush(COLOR_BTNFACE));
    RECT rest = {iconSize + 6, client.top, client.right, client.bottom};
    FillRect(dc, &rest, trueColour ? listFill.get() : GetSysColorBrush(COLOR_WINDOW));

    int h = RowHeight();
    int count = items != nullptr ? itemCount : 0;
    for (int row = 0; row < count; ++row) {
        int i = count - 1 - row;
        int top = row * h;
        int bottom = top + h;
        const ItemRecord& item = items[i];
        if (i == hotIndex) {
            RECT r = {2, top + 2, client.right - 2, bottom - 2};
            FillRect(dc, &r, trueColour ? highlightFill.get() : GetSysColorBrush(COLOR_HIGHLIGHT));
            if (!trueColour)
                SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
            DrawIconEx(dc, 4, top + rowGap / 2, IconOf(item.highlightIcon), iconSize, iconSize, 0, nullptr, DI_NORMAL);
            MoveToEx(dc, r.left, r.bottom, nullptr);
            LineTo(dc, r.left, r.top);
            LineTo(dc, r.right, r.top);
            LineTo(dc, r.right, r.bottom);
            LineTo(dc, r.left, r.bottom);
        } else {
            SetTextColor(dc, RGB(0, 0, 0));
            DrawIconEx(dc, 4, top + rowGap / 2, IconOf(item.icon), iconSize, iconSize, 0, nullptr, DI_NORMAL);
        }
        context->SelectPen(separator.get());
        MoveToEx(dc, iconSize + 7, top, nullptr);
        LineTo(dc, client.right, top);
        context->RestorePen();
        RECT text = {iconSize + 8, top, client.right, bottom};
        DrawTextA(dc, item.label, -1, &text, DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER);
    }
    context->SelectFont(previousFont);
}

void LauncherWindow::OnMouseMove(Window*, int, int y, WPARAM) {
    int h = RowHeight();
    int now = ItemAtY(y, h, items != nullptr ? itemCount : 0);
    if (now == hotIndex)
        return;
    int old = hotIndex;
    hotIndex = now;
    RECT client;
    ClientRect(&client);
    for (int index : {old, now}) {
        if (index < 0)
            continue;  // no row: nothing was or will be highlighted there
        RowBand band = ItemBand(index, h, itemCount);
        RECT r = {0, band.top, client.right, band.bottom};
        InvalidateRect(handle, &r, TRUE);
    }
    UpdateWindow(handle);
}

void LauncherWindow::OnClick(Window*, int, int y) {
    int i = ItemAtY(y, RowHeight(), items != nullptr ? itemCount : 0);
    if (i >= 0)
        LaunchItem(items[i].path);
    HideFolderList();
}

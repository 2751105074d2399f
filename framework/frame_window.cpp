#include "framework/frame_window.h"

#include "framework/scroll_math.h"
#include "util/owners.h"

FrameWindow::FrameWindow()
    : background(0x80000000u | COLOR_WINDOW),
      cursor(nullptr),
      contentWidth(0),
      contentHeight(0),
      scrollX(0),
      scrollY(0),
      pageStepX(-8),
      pageStepY(-8),
      lineStepX(8),
      lineStepY(8),
      holdTicks(8),
      dragThreshold(4),
      inModalLoop(0),
      modalResult(0) {
    windowFlags |= window_flags::kFrame | window_flags::kModalCapable;
}

int FrameWindow::OnDrag(int, DragInfo*) {
    return 0;  // every drag is refused unless a window says otherwise
}
void FrameWindow::OnModalOk(Window*) {}
void FrameWindow::OnModalCancel(Window*) {}
int FrameWindow::OnReserved(int) {
    return 0;
}

void FrameWindow::CreateFrame(HWND parent,
                              int x,
                              int y,
                              int width,
                              int height,
                              DWORD style,
                              const char* title,
                              Window* handlerObject,
                              HMENU menu,
                              DWORD exStyle) {
    if (cursor == nullptr) {
        cursor = LoadCursorA(nullptr, IDC_ARROW);
    }
    // FrameProc finds the object under GWLP_USERDATA.
    Create(parent, kFrameClassName, x, y, width, height, title, handlerObject, menu, exStyle, style, this);
}

void FrameWindow::SetBackground(uint32_t value) {
    background = value == kNoBackground ? kNoBackground : (value | kSystemColourBit);
}

void FrameWindow::SetContentSize(int width, int height, int apply) {
    contentWidth = width;
    contentHeight = height;
    if (apply) {
        UpdateScrollBars();
    }
}

namespace {

void SetBar(HWND hwnd, int bar, int content, int client, int position) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = content > client ? content : 0;
    // A page one larger than the client lets the thumb travel exactly to
    // content - client; content that fits hides the bar.
    info.nPage = static_cast<UINT>(client + 1);
    info.nPos = position;
    SetScrollInfo(hwnd, bar, &info, TRUE);
}

}  // namespace

void FrameWindow::UpdateScrollBars() {
    RECT r;
    GetClientRect(handle, &r);
    bool changed = false;
    scrollY = ClampScrollPosition(scrollY, contentHeight, r.bottom, &changed);
    scrollX = ClampScrollPosition(scrollX, contentWidth, r.right, &changed);
    SetBar(handle, SB_HORZ, contentWidth != 0 ? contentWidth : r.right, r.right, scrollX);
    SetBar(handle, SB_VERT, contentHeight != 0 ? contentHeight : r.bottom, r.bottom, scrollY);
    if (changed) {
        InvalidateRect(handle, nullptr, TRUE);
        UpdateWindow(handle);
    }
}

// Moves the content by `delta` pixels on one axis (positive: towards higher
// positions) and repaints the uncovered strip at once.
void FrameWindow::ApplyScroll(int bar, int* position, int delta) {
    if (delta == 0)
        return;
    *position += delta;
    if (bar == SB_VERT) {
        ScrollWindow(handle, 0, -delta, nullptr, nullptr);
    } else {
        ScrollWindow(handle, -delta, 0, nullptr, nullptr);
    }
    UpdateWindow(handle);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_POS;
    info.nPos = *position;
    SetScrollInfo(handle, bar, &info, TRUE);
}

void FrameWindow::ScrollUp(int amount) {
    if (contentHeight <= 0)
        return;
    ApplyScroll(SB_VERT, &scrollY, -BackwardScroll(amount, scrollY));
}

void FrameWindow::ScrollDown(int amount) {
    if (contentHeight <= 0)
        return;
    RECT r;
    GetClientRect(handle, &r);
    ApplyScroll(SB_VERT, &scrollY, ForwardScroll(amount, contentHeight, r.bottom, scrollY));
}

void FrameWindow::ScrollLeft(int amount) {
    if (contentWidth <= 0)
        return;
    ApplyScroll(SB_HORZ, &scrollX, -BackwardScroll(amount, scrollX));
}

void FrameWindow::ScrollRight(int amount) {
    if (contentWidth <= 0)
        return;
    RECT r;
    GetClientRect(handle, &r);
    ApplyScroll(SB_HORZ, &scrollX, ForwardScroll(amount, contentWidth, r.right, scrollX));
}

int FrameWindow::RunModal(int disableParent) {
    HWND parent = GetParent(handle);
    bool disabled = disableParent && parent != nullptr;
    if (disabled)
        EnableWindow(parent, FALSE);
    ++modalDepth;
    inModalLoop = 1;
    // A loop ended by the quit message returns what EndModal left here, so an
    // earlier loop's result must not stand in for it.
    modalResult = 0;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (!inModalLoop)
            break;  // EndModal ran: this message is dropped
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    // However the loop ended (EndModal or the quit message), it no longer runs:
    // modalDepth counts the loops on the stack, so a close request after a
    // quit is not dropped for a loop that is gone.
    --modalDepth;
    inModalLoop = 0;
    if (disabled)
        EnableWindow(parent, TRUE);
    Hide();
    return modalResult;
}

void FrameWindow::EndModal(int code) {
    if (!inModalLoop) {
        return;  // no loop of this window to end
    }
    if (windowFlags & window_flags::kModalCapable) {
        // The handler hears of it when it is a frame window; a plain handler
        // has no such operations, so the window itself does.
        FrameWindow* target = handler->IsFrame() ? static_cast<FrameWindow*>(handler) : this;
        if (code == 1)
            target->OnModalOk(this);
        if (code == 2)
            target->OnModalCancel(this);
    }
    modalResult = code;
    inModalLoop = 0;
    // Wakes GetMessageA so that the loop sees inModalLoop and ends.
    PostMessageA(handle, WM_NULL, 0, 0);
}

namespace {

// One scroll request on one axis, as the scroll bar sends it.
void ScrollRequest(FrameWindow* frame, HWND hwnd, int bar, WPARAM wParam) {
    bool vertical = bar == SB_VERT;
    RECT r;
    GetClientRect(hwnd, &r);
    int client = vertical ? r.bottom : r.right;
    int line = vertical ? frame->lineStepY : frame->lineStepX;
    int page = PageAmount(vertical ? frame->pageStepY : frame->pageStepX, client);
    int* position = vertical ? &frame->scrollY : &frame->scrollX;
    auto back = [&](int amount) { vertical ? frame->ScrollUp(amount) : frame->ScrollLeft(amount); };
    auto forward = [&](int amount) { vertical ? frame->ScrollDown(amount) : frame->ScrollRight(amount); };
    switch (LOWORD(wParam)) {
        case SB_LINEUP:
            back(line);
            break;
        case SB_LINEDOWN:
            forward(line);
            break;
        case SB_PAGEUP:
            back(page);
            break;
        case SB_PAGEDOWN:
            forward(page);
            break;
        case SB_THUMBPOSITION:
            // The vertical bar follows the thumb while it is dragged; the
            // final position is the same by then.
            if (vertical)
                break;
            [[fallthrough]];
        case SB_THUMBTRACK: {
            SCROLLINFO info{};
            info.cbSize = sizeof info;
            info.fMask = SIF_TRACKPOS;
            GetScrollInfo(hwnd, bar, &info);
            int d = *position - info.nTrackPos;
            if (d < 0) {
                forward(-d);
            } else {
                back(d);
            }
            break;
        }
        default:
            break;
    }
    SetScrollPos(hwnd, bar, *position, TRUE);
}

void EraseBackground(FrameWindow* frame, HWND hwnd, HDC dc) {
    if (frame->background == kNoBackground)
        return;
    RECT r;
    GetClientRect(hwnd, &r);
    if (frame->background & kSystemColourBit) {
        FillRect(dc, &r, GetSysColorBrush(static_cast<int>(frame->background & ~kSystemColourBit)));
    } else {
        GdiObject<HBRUSH> brush(CreateSolidBrush(frame->background));
        FillRect(dc, &r, brush.get());
    }
}

}  // namespace

LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* frame = reinterpret_cast<FrameWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    switch (message) {
        case WM_DESTROY:
            if (hwnd == mainWindow)
                PostQuitMessage(0);
            break;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            BeginPaint(hwnd, &paint);
            EndPaint(hwnd, &paint);
            break;
        }
        case WM_ERASEBKGND:
            if (frame == nullptr)
                break;
            EraseBackground(frame, hwnd, reinterpret_cast<HDC>(wParam));
            return 1;
        case WM_HSCROLL:
            if (frame != nullptr && frame->contentWidth > 0)
                ScrollRequest(frame, hwnd, SB_HORZ, wParam);
            break;
        case WM_VSCROLL:
            if (frame != nullptr && frame->contentHeight > 0)
                ScrollRequest(frame, hwnd, SB_VERT, wParam);
            break;
        case WM_MOUSEMOVE:
            if (frame != nullptr)
                SetCursor(frame->cursor);
            break;
        default:
            break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool RegisterFrameClass() {
    WNDCLASSA frameClass{};
    frameClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    frameClass.lpfnWndProc = FrameProc;
    frameClass.hInstance = GetInstance();
    frameClass.lpszClassName = kFrameClassName;
    return RegisterClassA(&frameClass) != 0;
}

void UnregisterFrameClass() {
    UnregisterClassA(kFrameClassName, GetInstance());
}

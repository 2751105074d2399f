#include "framework/pointer_tracking.h"

#include <cstdlib>

#include "framework/frame_window.h"
#include "framework/window.h"

UINT_PTR pollTimer = 0;
Window* hoveredWindow = nullptr;
int16_t hoverCountdown = 0;
int16_t moveThreshold = 4;
POINT lastMouse = {-1, -1};
POINT pressPoint = {-1, -1};
int pressStill = 0;
DragInfo dragInfo = {nullptr, nullptr, {0, 0}, {0, 0}, kHoldIdle, 0, 0, 0, {}};

namespace {

// A still press is pending while the countdown is below this.
constexpr int32_t kHoldPending = 1999999999;
constexpr int kPollMilliseconds = 100;
constexpr int kEdge = 2;  // pixels at the client edge that autoscroll a drag

void ReportHoverEnded(Window* window) {
    if (hoverCountdown == 0) {
        window->handler->OnHover(window, 0, 0, 1);
    }
}

// Mode 1: the pointer held at a client edge scrolls the content one line per
// poll, and the drag's start point moves with the content.
void Autoscroll(POINT screen) {
    FrameWindow* source = dragInfo.source;
    RECT r;
    GetClientRect(source->handle, &r);
    POINT q = screen;
    ScreenToClient(source->handle, &q);
    bool left = q.x<kEdge, right = q.x> r.right - kEdge, up = q.y<kEdge, down = q.y> r.bottom - kEdge;
    if (!left && !right && !up && !down)
        return;
    source->OnDrag(drag_code::kHide, &dragInfo);
    dragInfo.start.x += source->scrollX;
    dragInfo.start.y += source->scrollY;
    if (left)
        source->ScrollLeft(source->lineStepX);
    if (right)
        source->ScrollRight(source->lineStepX);
    if (up)
        source->ScrollUp(source->lineStepY);
    if (down)
        source->ScrollDown(source->lineStepY);
    dragInfo.start.x -= source->scrollX;
    dragInfo.start.y -= source->scrollY;
    source->OnDrag(drag_code::kShow, &dragInfo);
}

}  // namespace

void TrackWindow(Window* window) {
    if (pollTimer == 0) {
        pollTimer = SetTimer(nullptr, 0, kPollMilliseconds, PollTimerProc);
    }
    hoveredWindow = window;
}

void StopTracking() {
    if (pollTimer != 0) {
        KillTimer(nullptr, pollTimer);
    }
    pollTimer = 0;
    hoveredWindow = nullptr;
}

void SetHoveredWindow(Window* window, HWND hwnd) {
    if (window == hoveredWindow)
        return;
    pressPoint.x = -1;
    lastMouse = {-1, -1};
    pressStill = 0;
    Window* previous = hoveredWindow;
    if (previous != nullptr) {
        if (previous->IsFrame() && dragInfo.mode != 0)
            EndDrag(true);
        ReportHoverEnded(previous);
        previous->handler->OnMouseLeave(previous, hwnd);
    }
    if (window == nullptr) {
        StopTracking();
        return;
    }
    hoverCountdown = window->hoverTicks;
    if (window->IsFrame())
        dragInfo.holdCountdown = kHoldIdle;  // a pending press is forgotten
    TrackWindow(window);
    window->handler->OnMouseEnter(window, previous != nullptr ? previous->handle : nullptr);
}

void CALLBACK PollTimerProc(HWND, UINT, UINT_PTR, DWORD) {
    POINT p;
    GetCursorPos(&p);
    if (dragInfo.mode != 0) {
        if (GetCapture() != dragInfo.source->handle) {
            EndDrag(true);
        } else if (dragInfo.mode == 1) {
            Autoscroll(p);
        }
        return;
    }
    HWND under = WindowFromPoint(p);
    Window* window = FromHandle(under);
    if (window == nullptr) {
        SetHoveredWindow(nullptr, under);
        return;
    }
    if (window->IsFrame()) {
        if (pressStill)
            --dragInfo.holdCountdown;
        if (dragInfo.holdCountdown == 0) {
            BeginDrag(0, static_cast<FrameWindow*>(window), pressPoint.x, pressPoint.y, true);
        }
    }
    if (window->windowFlags & window_flags::kCreated) {
        if (hoverCountdown == 1)
            window->handler->OnHover(window, lastMouse.x, lastMouse.y, 0);
        if (hoverCountdown != 0)
            --hoverCountdown;
    }
}

void BeginDrag(int32_t userValue, FrameWindow* window, int x, int y, bool withDC) {
    dragInfo.userValue = userValue;
    dragInfo.start = {x, y};
    dragInfo.holdCountdown = kHoldIdle;
    dragInfo.source = window;
    dragInfo.mode = window->OnDrag(drag_code::kBegin, &dragInfo);
    if (dragInfo.mode == 0)
        return;  // refused: the release will still click
    if (dragInfo.clickState == -1)
        dragInfo.clickState = 1;
    dragInfo.dc = nullptr;
    if (dragInfo.mode == 2) {
        if (withDC)
            dragInfo.dc = GetDC(nullptr);
        ClientToScreen(window->handle, &dragInfo.start);
    } else {
        if (withDC)
            dragInfo.dc = GetDC(window->handle);
        RECT r;
        GetClientRect(window->handle, &r);
        POINT origin = {0, 0};
        ClientToScreen(window->handle, &origin);
        OffsetRect(&r, origin.x, origin.y);
        ClipCursor(&r);
    }
    dragInfo.current = dragInfo.start;
    window->OnDrag(drag_code::kShow, &dragInfo);
    SetCapture(window->handle);
}

void MoveDrag(int x, int y) {
    if (dragInfo.mode == 0)
        return;
    FrameWindow* source = dragInfo.source;
    source->OnDrag(drag_code::kHide, &dragInfo);
    dragInfo.current = {x, y};
    if (dragInfo.mode == 2)
        ClientToScreen(source->handle, &dragInfo.current);
    source->OnDrag(drag_code::kShow, &dragInfo);
}

void EndDrag(bool cancel) {
    if (dragInfo.mode == 0)
        return;
    int32_t mode = dragInfo.mode;
    // Cleared before calling out: ReleaseCapture below sends WM_CAPTURECHANGED,
    // whose cancel must find no drag.
    dragInfo.holdCountdown = kHoldIdle;
    dragInfo.mode = 0;
    FrameWindow* source = dragInfo.source;
    source->OnDrag(drag_code::kHide, &dragInfo);
    if (cancel) {
        source->OnDrag(drag_code::kCancel, &dragInfo);
    } else {
        source->OnDrag(drag_code::kDrop, &dragInfo);
        if (mode == 2 && FromHandle(WindowFromPoint(dragInfo.current)) != nullptr) {
            source->OnDrag(drag_code::kDropOnFramework, &dragInfo);
        }
    }
    if (mode == 2) {
        if (dragInfo.dc != nullptr)
            ReleaseDC(nullptr, dragInfo.dc);
    } else {
        ClipCursor(nullptr);
        if (dragInfo.dc != nullptr)
            ReleaseDC(source->handle, dragInfo.dc);
    }
    dragInfo.dc = nullptr;
    dragInfo.mode = 0;
    ReleaseCapture();
    dragInfo.holdCountdown = kHoldIdle;
}

void PressStep(FrameWindow* window, int x, int y) {
    pressPoint = {x, y};
    dragInfo.source = window;
    dragInfo.clickState = -1;
    dragInfo.holdCountdown = window->holdTicks;
    pressStill = 1;
}

void TrackingStep(Window* window, int x, int y, WPARAM keys) {
    SetHoveredWindow(window, window->handle);
    if (abs(x - lastMouse.x) > moveThreshold || abs(y - lastMouse.y) > moveThreshold) {
        lastMouse = {x, y};
        ReportHoverEnded(window);
        hoverCountdown = window->hoverTicks;
    }
    if (dragInfo.mode != 0) {
        MoveDrag(x, y);
        return;
    }
    window->handler->OnMouseMove(window, x, y, keys);
    if (window->IsFrame() && dragInfo.holdCountdown < kHoldPending) {
        int threshold = static_cast<FrameWindow*>(window)->dragThreshold;
        if (abs(x - pressPoint.x) < threshold && abs(y - pressPoint.y) < threshold) {
            pressStill = 1;
        } else {
            pressStill = 0;
            dragInfo.holdCountdown = 0;  // the next poll starts the drag
        }
    }
}

void ReleaseStep(Window* window, WPARAM keys, int x, int y) {
    pressStill = 0;
    window->handler->OnMouseMessage(window, WM_LBUTTONUP, keys, x, y);
    if (dragInfo.mode != 0) {
        EndDrag(false);
    } else if (dragInfo.clickState == 1) {
        dragInfo.clickState = 0;  // the release of a press whose drag already ended
    } else {
        window->handler->OnClick(window, x, y);
    }
    dragInfo.source = nullptr;
    dragInfo.holdCountdown = kHoldIdle;
}

void ForgetWindow(Window* window) {
    if (dragInfo.source == window) {
        EndDrag(true);
        dragInfo.source = nullptr;
        dragInfo.holdCountdown = kHoldIdle;
    }
    if (hoveredWindow == window) {
        StopTracking();
    }
}

#pragma once
// The pointer seen through one 100 ms poll timer and the mouse messages:
// entering, leaving and resting over framework windows, and the drag that a
// held or moved left-button press on a frame window starts.

#include <windows.h>

#include <cstdint>

class FrameWindow;
class Window;

// A press that is not pending: far beyond any countdown.
constexpr int32_t kHoldIdle = 2000000000;

namespace drag_code {
constexpr int kBegin = 0;  // may a drag begin? result: the mode
constexpr int kHide = 1;
constexpr int kShow = 2;
constexpr int kDrop = 3;
constexpr int kCancel = 4;
constexpr int kDropOnFramework = 5;  // mode 2, after kDrop
}  // namespace drag_code

struct DragInfo {
    FrameWindow* source;  // pressed or dragged from, null outside a press
    HDC dc;               // for feedback, or null
    POINT start;          // client coordinates in mode 1, screen in mode 2
    POINT current;
    int32_t holdCountdown;  // polls before a still press drags; kHoldIdle: none pending
    int32_t mode;           // 0 none, 1 inside the source, 2 across the screen
    int32_t clickState;     // -1 pressed, 1 a drag began from the press, 0 released
    int32_t userValue;
    unsigned char user[32];  // the source's own, never touched here
};

extern UINT_PTR pollTimer;
extern Window* hoveredWindow;
extern int16_t hoverCountdown;
extern int16_t moveThreshold;
extern POINT lastMouse;
extern POINT pressPoint;
extern int pressStill;
extern DragInfo dragInfo;

void TrackWindow(Window* window);
void StopTracking();
void SetHoveredWindow(Window* window, HWND hwnd);
void CALLBACK PollTimerProc(HWND, UINT, UINT_PTR, DWORD);
void BeginDrag(int32_t userValue, FrameWindow* window, int x, int y, bool withDC);
void MoveDrag(int x, int y);
void EndDrag(bool cancel);

// The dispatcher's steps for WM_LBUTTONDOWN (frame windows, before
// OnMouseMessage), WM_MOUSEMOVE (after it) and WM_LBUTTONUP.
void PressStep(FrameWindow* window, int x, int y);
void TrackingStep(Window* window, int x, int y, WPARAM keys);
void ReleaseStep(Window* window, WPARAM keys, int x, int y);
// A window going away takes no drag, hover or press state with it.
void ForgetWindow(Window* window);

#pragma once
// The pointer seen through one 100 ms poll timer and the mouse messages:
// entering, leaving and resting over framework windows, and the drag that a
// held or moved left-button press on a frame window starts. The decisions are
// tracking_rules'; this side owns the process's one tracking state, gathers
// what the rules need to know and carries out the steps they list.

#include <windows.h>

#include "framework/tracking_rules.h"

class FrameWindow;
class Window;

// Read-only: only the functions below change it.
const TrackingState& Tracking();
void SetMoveThreshold(int16_t pixels);
void ForgetPendingPress();  // the hold countdown back to idle
void StopPollTimer();       // without forgetting the hovered window

void TrackWindow(Window* window);
void StopTracking();
void SetHoveredWindow(Window* window, HWND hwnd);
void CALLBACK PollTimerProc(HWND, UINT, UINT_PTR, DWORD);
void BeginDrag(int32_t userValue, FrameWindow* window, int x, int y, bool withDC);
void MoveDrag(int x, int y);
// Nothing when no drag runs.
void EndDrag(bool cancel);

// The dispatcher's steps for WM_LBUTTONDOWN (before OnMouseMessage),
// WM_MOUSEMOVE (after it) and WM_LBUTTONUP.
void PressStep(Window* window, int x, int y);
void TrackingStep(Window* window, int x, int y, WPARAM keys);
void ReleaseStep(Window* window, WPARAM keys, int x, int y);
// A window going away takes no drag, hover or press state with it.
void ForgetWindow(Window* window);

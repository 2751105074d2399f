#pragma once
// The frame window: a framework window of class "ZUV_WL_FRAME" with a
// background, a cursor, content larger than its client area that scrolls, the
// drag-source protocol and a nested modal loop.

#include "framework/window.h"

struct DragInfo;

constexpr char kFrameClassName[] = "ZUV_WL_FRAME";
constexpr uint32_t kNoBackground = 0xFFFFFFFFu;
constexpr uint32_t kSystemColourBit = 0x80000000u;

class FrameWindow : public Window {
public:
    FrameWindow();

    // Called on the window itself (not the handler) at each step of a drag;
    // for code 0 the result is the drag mode, 0 refusing it.
    virtual int OnDrag(int code, DragInfo* info);
    virtual void OnModalOk(Window* window);
    virtual void OnModalCancel(Window* window);
    // Never called: keeps the table's length fixed for a later operation, so
    // that classes built against this table need no change when it comes.
    virtual int OnReserved(int argument);

    void CreateFrame(HWND parent,
                     int x,
                     int y,
                     int width,
                     int height,
                     DWORD style,
                     const char* title,
                     Window* handlerObject,
                     HMENU menu,
                     DWORD exStyle);
    void SetBackground(uint32_t value);  // -1 none, else a system colour index
    void SetCursorHandle(HCURSOR newCursor) { cursor = newCursor; }
    void ApplyCursor() { SetCursor(cursor); }
    void SetContentSize(int width, int height, int apply);
    void UpdateScrollBars();
    void ScrollUp(int amount);
    void ScrollDown(int amount);
    void ScrollLeft(int amount);
    void ScrollRight(int amount);

    int RunModal(int disableParent);
    void EndModal(int code);

    uint32_t background;
    HCURSOR cursor;
    int contentWidth;
    int contentHeight;
    int scrollX;
    int scrollY;
    int pageStepX;
    int pageStepY;
    int16_t lineStepX;
    int16_t lineStepY;
    int holdTicks;
    int16_t dragThreshold;
    int inModalLoop;
    int modalResult;

private:
    void ApplyScroll(int bar, int* position, int delta);
};

// The class procedure of "ZUV_WL_FRAME": background, cursor, quit for the
// main window and scroll bars.
LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
bool RegisterFrameClass();
void UnregisterFrameClass();

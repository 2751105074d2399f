#pragma once
// Framework windows: objects whose virtual operations receive the messages
// of one HWND. One window procedure, WindowDispatchProc (dispatch.h), decodes
// every message and calls the operation on the window's handler object. The
// HWND finds its object through a window property named after the process
// id, so a window of another process never yields an object.

#include <windows.h>

#include <cstdint>

class PaintContext;

namespace window_flags {
constexpr uint32_t kOverridesPaint = 0x0001;
constexpr uint32_t kOverridesPaintOverDefault = 0x0002;
constexpr uint32_t kCreated = 0x0004;  // made by Create: the hover countdown applies
constexpr uint32_t kFrame = 0x0010;
constexpr uint32_t kModalCapable = 0x0020;
constexpr uint32_t kOwnCommand = 0x0100;    // as a child, gets its own WM_COMMAND
constexpr uint32_t kOwnNotify = 0x0200;     // ... its own WM_NOTIFY
constexpr uint32_t kOwnOwnerDraw = 0x0400;  // ... its own owner-draw messages
constexpr uint32_t kNoQuitOnDestroy = 0x4000;
}  // namespace window_flags

// Result bits of FilterMessage, OnCommand and OnNotify.
namespace result_bits {
constexpr int kReturnResult = 1;  // return the result instead of the default processing
constexpr int kSkipStep = 2;      // skip the message's own step, or the modal ending check
}  // namespace result_bits

// Default styles for a Create with style 0.
constexpr DWORD kChildStyle = 0x56800000;          // child, visible, clipping, border
constexpr DWORD kTitledPopupStyle = 0x96CF0000;    // popup with caption, frame and boxes
constexpr DWORD kUntitledPopupStyle = 0x968B0000;  // popup with border, system menu and boxes

class Window {
public:
    Window();

    // The table of operations, in this order. Unless noted, the dispatcher
    // calls them on the handler and passes the window first.
    virtual void OnPaintOverDefault(Window* window, PaintContext* context, RECT* update);
    virtual void OnPaint(Window* window, PaintContext* context, RECT* update);
    virtual int OnEraseBackground(Window* window, PaintContext* context);  // 1: background done
    // Destroying the object never destroys its HWND: call Destroy first.
    virtual ~Window();
    virtual void OnSetFocus(Window* window);
    virtual void OnKillFocus(Window* window);
    virtual void OnShow(Window* window);
    virtual void OnHide(Window* window);
    virtual void OnCreate(Window* window);
    virtual void OnDestroy(Window* window);
    virtual void OnSize(Window* window, int width, int height);
    virtual void OnMove(Window* window, int x, int y);
    virtual void OnMouseMove(Window* window, int x, int y, WPARAM keys);
    virtual void OnClick(Window* window, int x, int y);
    virtual void OnRightButtonUp(Window* window, int x, int y);
    virtual void OnDoubleClick(Window* window, int x, int y);
    virtual void OnMouseEnter(Window* window, HWND previous);
    virtual void OnMouseLeave(Window* window, HWND now);
    virtual void OnHover(Window* window, int x, int y, int ended);
    virtual int CanClose(Window* window, Window* requester, int code);  // nonzero: agree
    // Called on the window itself, first for every message.
    virtual int FilterMessage(Window* window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual int OnCommand(Window* window, Window* control, int code, HWND controlHandle, int id);
    virtual void OnChar(Window* window, WPARAM code);
    virtual void OnKeyDown(Window* window, WPARAM key);
    virtual void OnMouseMessage(Window* window, UINT message, WPARAM wParam, int x, int y);
    virtual void OnDrawItem(Window* window, Window* control, DRAWITEMSTRUCT* item);
    virtual void OnMeasureItem(Window* window, Window* control, MEASUREITEMSTRUCT* item);
    virtual void OnCompareItem(Window* window, Window* control, COMPAREITEMSTRUCT* item);
    virtual int OnNotify(Window* window, Window* control, NMHDR* header, LRESULT* result);

    // Style 0 picks a default. The window is created hidden and shown after
    // OnCreate when the style asks for WS_VISIBLE. A non-null userData is
    // stored as GWLP_USERDATA before the dispatcher takes over, for a class
    // procedure that needs its object.
    void Create(HWND parent,
                const char* className,
                int x,
                int y,
                int width,
                int height,
                const char* title,
                Window* handlerObject,
                HMENU menu,
                DWORD exStyle,
                DWORD style,
                void* userData = nullptr);
    void Destroy();
    HWND GetHandle() const { return handle; }
    void Show();
    void Hide();
    void MoveTo(int x, int y);
    void Resize(int width, int height);
    void WindowRect(RECT* rect) const;
    void ClientRect(RECT* rect) const;

    bool IsFrame() const { return (windowFlags & window_flags::kFrame) != 0; }

    int16_t hoverTicks;
    uint32_t windowFlags;
    WNDPROC previousProc;
    HWND handle;
    Window* handler;

    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
};

// Framework-wide state, used on the GUI thread only.
extern char propertyName[16];
extern HWND mainWindow;
extern int modalDepth;  // RunModal loops now running

void SetInstance(HINSTANCE instance);
HINSTANCE GetInstance();
void FormatPropertyName();  // "ZUV%08lx" of the process id, before any window exists
Window* FromHandle(HWND hwnd);
HWND SetMainWindow(HWND hwnd);

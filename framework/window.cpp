#include "framework/window.h"

#include "framework/dispatch.h"
#include "framework/pointer_tracking.h"
#include "util/bounded_text.h"

char propertyName[16];
HWND mainWindow = nullptr;
int modalDepth = 0;

namespace {

HINSTANCE moduleInstance = nullptr;

// Whether `object`'s implementation of an operation is its own and not the
// default. G++ can read the final overrider out of a bound pointer to member
// (an extension documented for this compiler); there is no RTTI to ask.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpmf-conversions"
bool OverridesPaint(Window* object, Window* defaults) {
    return reinterpret_cast<void*>(object->*(&Window::OnPaint)) !=
           reinterpret_cast<void*>(defaults->*(&Window::OnPaint));
}
bool OverridesPaintOverDefault(Window* object, Window* defaults) {
    return reinterpret_cast<void*>(object->*(&Window::OnPaintOverDefault)) !=
           reinterpret_cast<void*>(defaults->*(&Window::OnPaintOverDefault));
}
#pragma GCC diagnostic pop

DWORD DefaultStyle(HWND parent, const char* title) {
    if (parent != nullptr)
        return kChildStyle;
    return title != nullptr ? kTitledPopupStyle : kUntitledPopupStyle;
}

}  // namespace

void SetInstance(HINSTANCE instance) {
    moduleInstance = instance;
}

HINSTANCE GetInstance() {
    return moduleInstance;
}

void FormatPropertyName() {
    FormatText(propertyName, sizeof propertyName, "ZUV%08lx", GetCurrentProcessId());
}

Window* FromHandle(HWND hwnd) {
    return hwnd != nullptr ? static_cast<Window*>(GetPropA(hwnd, propertyName)) : nullptr;
}

HWND SetMainWindow(HWND hwnd) {
    HWND previous = mainWindow;
    mainWindow = hwnd;
    return previous;
}

Window::Window() : hoverTicks(20), windowFlags(0), previousProc(nullptr), handle(nullptr), handler(this) {
    SetMoveThreshold(4);
}

Window::~Window() = default;

void Window::OnPaintOverDefault(Window*, PaintContext*, RECT*) {}
void Window::OnPaint(Window*, PaintContext*, RECT*) {}
int Window::OnEraseBackground(Window*, PaintContext*) {
    return 0;
}
void Window::OnSetFocus(Window*) {}
void Window::OnKillFocus(Window*) {}
void Window::OnShow(Window*) {}
void Window::OnHide(Window*) {}
void Window::OnCreate(Window*) {}
void Window::OnDestroy(Window*) {}
void Window::OnSize(Window*, int, int) {}
void Window::OnMove(Window*, int, int) {}
void Window::OnMouseMove(Window*, int, int, WPARAM) {}
void Window::OnClick(Window*, int, int) {}
void Window::OnRightButtonUp(Window*, int, int) {}
void Window::OnDoubleClick(Window*, int, int) {}
void Window::OnMouseEnter(Window*, HWND) {}
void Window::OnMouseLeave(Window*, HWND) {}
void Window::OnHover(Window*, int, int, int) {}
int Window::CanClose(Window*, Window*, int) {
    return 1;
}
int Window::FilterMessage(Window*, UINT, WPARAM, LPARAM, LRESULT* result) {
    *result = 1;
    return 0;
}
int Window::OnCommand(Window*, Window*, int, HWND, int) {
    return 0;
}
void Window::OnChar(Window*, WPARAM) {}
void Window::OnKeyDown(Window*, WPARAM) {}
void Window::OnMouseMessage(Window*, UINT, WPARAM, int, int) {}
void Window::OnDrawItem(Window*, Window*, DRAWITEMSTRUCT*) {}
void Window::OnMeasureItem(Window*, Window*, MEASUREITEMSTRUCT*) {}
void Window::OnCompareItem(Window*, Window*, COMPAREITEMSTRUCT*) {}
int Window::OnNotify(Window*, Window*, NMHDR*, LRESULT*) {
    return 0;
}

void Window::Create(HWND parent,
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
                    void* userData) {
    windowFlags |= window_flags::kCreated;
    handler = handlerObject != nullptr ? handlerObject : this;
    static Window defaults;  // the table without overrides, to compare with
    if (OverridesPaint(handler, &defaults))
        handler->windowFlags |= window_flags::kOverridesPaint;
    if (OverridesPaintOverDefault(handler, &defaults))
        handler->windowFlags |= window_flags::kOverridesPaintOverDefault;
    if (style == 0) {
        style = DefaultStyle(parent, title);
    }
    handle = CreateWindowExA(exStyle, className, title != nullptr ? title : "", style & ~WS_VISIBLE, x, y, width,
                             height, parent, menu, GetInstance(), nullptr);
    if (handle != nullptr) {
        if (mainWindow == nullptr && parent == nullptr)
            mainWindow = handle;
        if (userData != nullptr)
            SetWindowLongPtrA(handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(userData));
        SetPropA(handle, propertyName, this);
        previousProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(handle, GWLP_WNDPROC));
        SetWindowLongPtrA(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowDispatchProc));
    }
    handler->OnCreate(this);
    if ((style & WS_VISIBLE) && handle != nullptr) {
        ShowWindow(handle, SW_SHOW);
    }
}

void Window::Destroy() {
    if (handle != nullptr) {
        DestroyWindow(handle);
        handle = nullptr;
    }
}

void Window::Show() {
    ShowWindow(handle, SW_SHOW);
}

void Window::Hide() {
    ShowWindow(handle, SW_HIDE);
}

void Window::MoveTo(int x, int y) {
    SetWindowPos(handle, nullptr, x, y, 0, 0, SWP_NOSIZE);
}

void Window::Resize(int width, int height) {
    SetWindowPos(handle, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void Window::WindowRect(RECT* rect) const {
    GetWindowRect(handle, rect);
}

void Window::ClientRect(RECT* rect) const {
    GetClientRect(handle, rect);
}

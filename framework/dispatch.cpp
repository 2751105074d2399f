// The one window procedure of every framework window. It sits above the
// window classes and the pointer tracking, and is the only place that knows
// all of them: each message is decoded once here and handed to the handler's
// operation, the frame window's modal loop or the tracking steps.
#include "framework/dispatch.h"

#include "framework/frame_window.h"
#include "framework/paint_context.h"
#include "framework/pointer_tracking.h"
#include "framework/window.h"
#include "util/owners.h"

namespace {

// Signed halves: a captured pointer left of or above the window has negative
// client coordinates, which the unsigned halves would turn into 65535 and so on.
// (windowsx.h would bring these, but its macros clash with PaintContext.)
int PointX(LPARAM lParam) {
    return static_cast<short>(LOWORD(lParam));
}
int PointY(LPARAM lParam) {
    return static_cast<short>(HIWORD(lParam));
}

FrameWindow* AsModalFrame(Window* window) {
    return window != nullptr && (window->windowFlags & window_flags::kModalCapable) ? static_cast<FrameWindow*>(window)
                                                                                    : nullptr;
}

void Relayout(Window* window) {
    if (!window->IsFrame())
        return;
    auto* frame = static_cast<FrameWindow*>(window);
    if (frame->contentWidth != 0 || frame->contentHeight != 0) {
        frame->SetContentSize(frame->contentWidth, frame->contentHeight, 1);
    }
}

void Paint(Window* w, Window* h, HWND hwnd, WPARAM wParam, LPARAM lParam) {
    RECT update;
    GetUpdateRect(hwnd, &update, FALSE);  // before anything validates the window
    if (h->windowFlags & window_flags::kOverridesPaint) {
        PaintContext context;
        context.OpenPaint(hwnd, true);
        h->OnPaint(w, &context, &update);
        context.RestoreAll();
        EndPaint(hwnd, &context.paint);
        return;
    }
    CallWindowProcA(w->previousProc, hwnd, WM_PAINT, wParam, lParam);
    if (h->windowFlags & window_flags::kOverridesPaintOverDefault) {
        PaintContext context;
        context.OpenWindowDC(hwnd, true);
        {
            GdiObject<HRGN> clip(CreateRectRgnIndirect(&update));
            SelectClipRgn(context.hdc, clip.get());
            h->OnPaintOverDefault(w, &context, &update);
        }
        context.RestoreAll();
        ReleaseDC(hwnd, context.hdc);
    }
}

struct CloseQuery {
    bool refused;
};

BOOL CALLBACK AskChildToClose(HWND child, LPARAM data) {
    Window* x = FromHandle(child);
    if (x == nullptr)
        return TRUE;  // not ours: nothing to ask
    if (!x->handler->CanClose(x, x, 2)) {
        reinterpret_cast<CloseQuery*>(data)->refused = true;
        return FALSE;
    }
    return TRUE;
}

void Close(Window* w, Window* h) {
    if (modalDepth != 0) {
        // While any modal loop runs only the modal window itself may close.
        FrameWindow* frame = AsModalFrame(w);
        if (frame != nullptr && frame->inModalLoop && h->CanClose(w, w, 2)) {
            frame->EndModal(2);
        }
        return;
    }
    if (!h->CanClose(w, w, 2))
        return;
    CloseQuery query{false};
    EnumChildWindows(w->handle, AskChildToClose, reinterpret_cast<LPARAM>(&query));
    if (!query.refused)
        w->Destroy();
}

int RouteCommand(Window* w, Window* h, WPARAM wParam, LPARAM lParam) {
    HWND controlHandle = reinterpret_cast<HWND>(lParam);
    Window* x = FromHandle(controlHandle);
    Window* r = x != nullptr && (x->windowFlags & window_flags::kOwnCommand) ? x : w;
    int code = HIWORD(wParam);
    int id = LOWORD(wParam);
    int bits = r->handler->OnCommand(r, x, code, controlHandle, id);
    FrameWindow* frame = AsModalFrame(w);
    // Only a window whose loop runs can be ended by its buttons; outside its
    // loop an OK or Cancel button is just a command.
    if (!(bits & result_bits::kSkipStep) && frame != nullptr && frame->inModalLoop && code == 0 && id < 32 &&
        h->CanClose(w, x, id)) {
        frame->EndModal(id);
    }
    return bits;
}

int RouteNotify(Window* w, LPARAM lParam, LRESULT* result) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    Window* x = FromHandle(header->hwndFrom);
    Window* r = x != nullptr && (x->windowFlags & window_flags::kOwnNotify) ? x : w;
    *result = 0;
    return r->handler->OnNotify(r, x, header, result);
}

// Returns true when the message went to a control (the dispatcher then
// returns 1); a menu item goes to the handler itself and the message continues.
bool RouteOwnerDraw(Window* w, Window* h, HWND hwnd, UINT message, LPARAM lParam) {
    UINT type;
    HWND control;
    if (message == WM_DRAWITEM) {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        type = item->CtlType;
        control = item->hwndItem;
    } else if (message == WM_MEASUREITEM) {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        type = item->CtlType;
        control = GetDlgItem(hwnd, static_cast<int>(item->CtlID));
    } else {
        auto* item = reinterpret_cast<COMPAREITEMSTRUCT*>(lParam);
        type = item->CtlType;
        control = item->hwndItem;
    }
    Window* x = nullptr;
    Window* target = h;  // a menu item: the handler in the window's place
    if (type != ODT_MENU) {
        x = FromHandle(control);
        target = x != nullptr && (x->windowFlags & window_flags::kOwnOwnerDraw) ? x : w;
    }
    Window* receiver = type == ODT_MENU ? h : target->handler;
    if (message == WM_DRAWITEM) {
        receiver->OnDrawItem(target, x, reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    } else if (message == WM_MEASUREITEM) {
        receiver->OnMeasureItem(target, x, reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
    } else {
        receiver->OnCompareItem(target, x, reinterpret_cast<COMPAREITEMSTRUCT*>(lParam));
    }
    return type != ODT_MENU || message == WM_DRAWITEM;
}

void Destroyed(Window* w, Window* h, HWND hwnd) {
    h->OnDestroy(w);
    ForgetWindow(w);
    if (hwnd == mainWindow) {
        mainWindow = nullptr;
        if (!(w->windowFlags & window_flags::kNoQuitOnDestroy))
            PostQuitMessage(0);
    }
    w->handle = nullptr;
}

void Focused(Window* w, Window* h, WPARAM wParam) {
    Window* losing = FromHandle(reinterpret_cast<HWND>(wParam));
    if (losing != nullptr)
        losing->handler->OnKillFocus(losing);
    h->OnSetFocus(w);
}

void EraseBackground(Window* w, Window* h, WPARAM wParam, int* handled) {
    PaintContext context;
    context.Attach(reinterpret_cast<HDC>(wParam));
    *handled = h->OnEraseBackground(w, &context) == 1;
    context.RestoreAll();
}

}  // namespace

LRESULT CALLBACK WindowDispatchProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* w = FromHandle(hwnd);
    if (w == nullptr) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    Window* h = w->handler;
    LRESULT result = 0;
    int bits = w->FilterMessage(w, message, wParam, lParam, &result);
    if (!(bits & result_bits::kSkipStep)) {
        int x = PointX(lParam);
        int y = PointY(lParam);
        switch (message) {
            case WM_DESTROY:
                Destroyed(w, h, hwnd);
                break;
            case WM_MOVE:
                h->OnMove(w, x, y);
                break;
            case WM_SIZE:
                Relayout(w);
                h->OnSize(w, LOWORD(lParam), HIWORD(lParam));
                break;
            case WM_ACTIVATE:
                if (wParam == WA_INACTIVE)
                    EndDrag(true);
                break;
            case WM_SETFOCUS:
                Focused(w, h, wParam);
                break;
            case WM_KILLFOCUS:
                if (FromHandle(reinterpret_cast<HWND>(wParam)) == nullptr)
                    h->OnKillFocus(w);
                break;
            case WM_PAINT:
                Paint(w, h, hwnd, wParam, lParam);
                return 0;
            case WM_CLOSE:
                Close(w, h);
                return 0;
            case WM_ERASEBKGND: {
                int handled = 0;
                EraseBackground(w, h, wParam, &handled);
                if (handled)
                    return 1;
                break;
            }
            case WM_SHOWWINDOW:
                if (wParam == 1) {
                    Relayout(w);
                    h->OnShow(w);
                } else {
                    h->OnHide(w);
                }
                break;
            case WM_MOUSEACTIVATE:
                // Not a point: a hit-test code, which may be negative (HTERROR,
                // HTTRANSPARENT), and the mouse message that activated the window.
                h->OnMouseMessage(w, message, wParam, static_cast<short>(LOWORD(lParam)), HIWORD(lParam));
                break;
            case WM_DRAWITEM:
            case WM_MEASUREITEM:
            case WM_COMPAREITEM:
                if (RouteOwnerDraw(w, h, hwnd, message, lParam))
                    return 1;
                break;
            case WM_NOTIFY:
                bits = RouteNotify(w, lParam, &result);
                break;
            case WM_NCMOUSEMOVE:
                SetHoveredWindow(w, hwnd);
                break;
            case WM_KEYDOWN:
                for (int repeat = static_cast<int>(lParam & 0xFFFF); repeat > 0; --repeat)
                    h->OnKeyDown(w, wParam);
                break;
            case WM_CHAR:
                if (wParam == VK_ESCAPE)
                    EndDrag(true);
                h->OnChar(w, wParam);
                break;
            case WM_COMMAND:
                bits = RouteCommand(w, h, wParam, lParam);
                break;
            case WM_MOUSEMOVE:
                h->OnMouseMessage(w, message, wParam, x, y);
                TrackingStep(w, x, y, wParam);
                break;
            case WM_LBUTTONDOWN:
                PressStep(w, x, y);
                h->OnMouseMessage(w, message, wParam, x, y);
                break;
            case WM_LBUTTONUP:
                ReleaseStep(w, wParam, x, y);
                break;
            case WM_LBUTTONDBLCLK:
                h->OnMouseMessage(w, message, wParam, x, y);
                h->OnDoubleClick(w, x, y);
                break;
            case WM_RBUTTONDOWN:
                h->OnMouseMessage(w, message, wParam, x, y);
                break;
            case WM_RBUTTONUP:
                h->OnRightButtonUp(w, x, y);
                break;
            case WM_RBUTTONDBLCLK:
            case WM_MBUTTONDOWN:
            case WM_MBUTTONUP:
            case WM_MBUTTONDBLCLK:
            case WM_MOUSEWHEEL:
                h->OnMouseMessage(w, message, wParam, x, y);
                break;
            case WM_CAPTURECHANGED:
                h->OnMouseMessage(w, message, static_cast<WPARAM>(lParam), 0, 0);
                EndDrag(true);
                break;
            default:
                break;
        }
    }
    if (bits & result_bits::kReturnResult) {
        return result;
    }
    return CallWindowProcA(w->previousProc, hwnd, message, wParam, lParam);
}

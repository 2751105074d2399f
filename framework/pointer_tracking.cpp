#include "framework/pointer_tracking.h"

#include "framework/frame_window.h"
#include "framework/window.h"

namespace rules = tracking_rules;
using rules::Step;

namespace {

constexpr int kPollMilliseconds = 100;

TrackingState tracking;

rules::WindowFacts FactsOf(Window* w) {
    if (w == nullptr)
        return {};
    FrameWindow* frame = w->IsFrame() ? static_cast<FrameWindow*>(w) : nullptr;
    bool created = (w->windowFlags & window_flags::kCreated) != 0;
    return {w,
            frame,
            w->handle,
            created,
            w->hoverTicks,
            frame ? frame->holdTicks : 0,
            frame ? frame->dragThreshold : int16_t{0}};
}

// Framework windows are never mirrored (WS_EX_LAYOUTRTL), so a client point
// lies at this origin plus the point on the screen.
TrackPoint ClientOrigin(HWND hwnd) {
    POINT origin = {0, 0};
    ClientToScreen(hwnd, &origin);
    return {origin.x, origin.y};
}

// Each step in turn. What a step brings goes back to the rules at once, and
// the steps they list for it come before the rest; the state is theirs to
// change.
void Apply(const rules::Actions& actions) {
    for (int i = 0; i < actions.count; ++i) {
        const rules::Action& a = actions.steps[i];
        DragInfo& drag = tracking.drag;
        FrameWindow* source = drag.source;
        Window* w = a.window;
        rules::Answer answer;
        switch (a.step) {
            case Step::kStartTimer:
                answer.timer = SetTimer(nullptr, 0, kPollMilliseconds, PollTimerProc);
                break;
            case Step::kStopTimer:
                KillTimer(nullptr, a.value);
                break;
            case Step::kCapture:
                SetCapture(source->handle);
                break;
            case Step::kReleaseCapture:
                ReleaseCapture();
                break;
            case Step::kConfine: {
                RECT r;
                GetClientRect(source->handle, &r);
                TrackPoint origin = ClientOrigin(source->handle);
                OffsetRect(&r, origin.x, origin.y);
                ClipCursor(&r);
                break;
            }
            case Step::kUnconfine:
                ClipCursor(nullptr);
                break;
            case Step::kGetDC:
            case Step::kGetScreenDC:
                answer.dc = GetDC(a.step == Step::kGetDC ? source->handle : nullptr);
                break;
            case Step::kReleaseDC:
            case Step::kReleaseScreenDC:
                ReleaseDC(a.step == Step::kReleaseDC ? source->handle : nullptr, static_cast<HDC>(drag.dc));
                break;
            case Step::kOnMouseEnter:
                w->handler->OnMouseEnter(w, static_cast<HWND>(a.hwnd));
                break;
            case Step::kOnMouseLeave:
                w->handler->OnMouseLeave(w, static_cast<HWND>(a.hwnd));
                break;
            case Step::kOnHover:
                w->handler->OnHover(w, a.point.x, a.point.y, static_cast<int>(a.value));
                break;
            case Step::kOnMouseMove:
                w->handler->OnMouseMove(w, a.point.x, a.point.y, a.value);
                break;
            case Step::kOnButtonUp:
                w->handler->OnMouseMessage(w, WM_LBUTTONUP, a.value, a.point.x, a.point.y);
                break;
            case Step::kOnClick:
                w->handler->OnClick(w, a.point.x, a.point.y);
                break;
            case Step::kOnDrag:
                source->OnDrag(static_cast<int>(a.value), &drag);
                break;
            case Step::kAskDragMode:
                answer.mode = source->OnDrag(drag_code::kBegin, &drag);
                answer.origin = ClientOrigin(source->handle);
                break;
            case Step::kAskScreenPoint:
                answer.origin = ClientOrigin(source->handle);
                break;
            case Step::kScroll: {
                TrackPoint before = {source->scrollX, source->scrollY};
                if (a.value & rules::kScrollLeft)
                    source->ScrollLeft(source->lineStepX);
                if (a.value & rules::kScrollRight)
                    source->ScrollRight(source->lineStepX);
                if (a.value & rules::kScrollUp)
                    source->ScrollUp(source->lineStepY);
                if (a.value & rules::kScrollDown)
                    source->ScrollDown(source->lineStepY);
                answer.moved = {source->scrollX - before.x, source->scrollY - before.y};
                break;
            }
            case Step::kAskDropTarget:
                answer.overFramework = FromHandle(WindowFromPoint({drag.current.x, drag.current.y})) != nullptr;
                break;
            case Step::kForgetPress:
                break;
        }
        Apply(rules::Answered(&tracking, a, answer));
    }
}

}  // namespace

const TrackingState& Tracking() {
    return tracking;
}

void SetMoveThreshold(int16_t pixels) {
    tracking.moveThreshold = pixels;
}

void ForgetPendingPress() {
    tracking.drag.holdCountdown = kHoldIdle;
}

void StopPollTimer() {
    if (tracking.pollTimer != 0) {
        KillTimer(nullptr, tracking.pollTimer);
        tracking.pollTimer = 0;
    }
}

void TrackWindow(Window* window) {
    Apply(rules::Track(&tracking, FactsOf(window)));
}

void StopTracking() {
    Apply(rules::Stop(&tracking));
}

void SetHoveredWindow(Window* window, HWND hwnd) {
    Apply(rules::Hover(&tracking, FactsOf(window), hwnd));
}

void CALLBACK PollTimerProc(HWND, UINT, UINT_PTR, DWORD) {
    POINT p;
    GetCursorPos(&p);
    rules::PollFacts facts;
    FrameWindow* source = tracking.drag.source;
    if (tracking.drag.mode != drag_mode::kNone) {
        // A drag asks nothing of the window under the pointer: WindowFromPoint
        // would send WM_NCHITTEST to our own windows.
        facts.captureHeld = GetCapture() == source->handle;
        RECT r;
        GetClientRect(source->handle, &r);
        ScreenToClient(source->handle, &p);
        facts.pointer = {p.x, p.y};
        facts.client = {r.right, r.bottom};
    } else {
        HWND under = WindowFromPoint(p);
        facts.under = FactsOf(FromHandle(under));
        facts.hwnd = under;
    }
    Apply(rules::Poll(&tracking, facts));
}

void BeginDrag(int32_t userValue, FrameWindow* window, int x, int y, bool withDC) {
    Apply(rules::BeginDrag(&tracking, window, {x, y}, userValue, withDC));
}

void MoveDrag(int x, int y) {
    Apply(rules::MoveDrag(&tracking, {x, y}));
}

void EndDrag(bool cancel) {
    Apply(rules::EndDrag(&tracking, cancel));
}

void PressStep(Window* window, int x, int y) {
    Apply(rules::Press(&tracking, FactsOf(window), {x, y}));
}

void TrackingStep(Window* window, int x, int y, WPARAM keys) {
    Apply(rules::Move(&tracking, FactsOf(window), {x, y}, keys));
}

void ReleaseStep(Window* window, WPARAM keys, int x, int y) {
    Apply(rules::Release(&tracking, FactsOf(window), {x, y}, keys));
}

void ForgetWindow(Window* window) {
    Apply(rules::WindowGone(&tracking, FactsOf(window)));
}

#include "framework/tracking_rules.h"

#include <cstdlib>

namespace tracking_rules {
namespace {

constexpr int kEdge = 2;  // pixels at the client edge that autoscroll a drag

Action Call(Step step, Window* window, TrackPoint point = {0, 0}, uintptr_t value = 0, void* hwnd = nullptr) {
    return {step, window, point, value, hwnd};
}

Action Do(Step step, uintptr_t value = 0) {
    return {step, nullptr, {0, 0}, value, nullptr};
}

bool Dragging(const TrackingState* s) {
    return s->drag.mode != drag_mode::kNone;
}

TrackPoint Offset(TrackPoint p, TrackPoint by) {
    return {p.x + by.x, p.y + by.y};
}

void ReportHoverEnded(const TrackingState* s, Window* window, Actions* out) {
    if (s->hoverCountdown == kHoverDone)
        out->Add(Call(Step::kOnHover, window, {0, 0}, 1));
}

// Mode 1: the pointer held at a client edge scrolls the content one line per
// poll; the answer keeps the drag's start on the content it began on.
void Autoscroll(const PollFacts& facts, Actions* out) {
    TrackPoint q = facts.pointer;
    uintptr_t edges = (q.x < kEdge ? kScrollLeft : 0) | (q.x > facts.client.x - kEdge ? kScrollRight : 0) |
                      (q.y < kEdge ? kScrollUp : 0) | (q.y > facts.client.y - kEdge ? kScrollDown : 0);
    if (edges != 0) {
        out->Add(Do(Step::kOnDrag, drag_code::kHide));
        out->Add(Do(Step::kScroll, edges));
    }
}

}  // namespace

Actions& Actions::operator+=(const Actions& more) {
    for (int i = 0; i < more.count; ++i)
        Add(more.steps[i]);
    return *this;
}

Actions Track(TrackingState* state, const WindowFacts& window) {
    Actions out;
    if (state->pollTimer == 0)
        out.Add(Do(Step::kStartTimer));
    state->hoveredWindow = window.window;
    state->hoveredFrame = window.frame != nullptr;
    state->hoveredHandle = window.handle;
    return out;
}

Actions Stop(TrackingState* state) {
    Actions out;
    if (state->pollTimer != 0)
        out.Add(Do(Step::kStopTimer, state->pollTimer));
    state->pollTimer = 0;
    state->hoveredWindow = nullptr;
    return out;
}

Actions EndDrag(TrackingState* state, bool cancel) {
    Actions out;
    DragInfo& drag = state->drag;
    int32_t mode = drag.mode;
    if (mode == drag_mode::kNone)
        return out;
    // Ended before anything is called: releasing the capture sends
    // WM_CAPTURECHANGED, whose cancel must find no drag.
    drag.holdCountdown = kHoldIdle;
    drag.mode = drag_mode::kNone;
    out.Add(Do(Step::kOnDrag, drag_code::kHide));
    out.Add(Do(Step::kOnDrag, cancel ? drag_code::kCancel : drag_code::kDrop));
    if (mode == drag_mode::kOnScreen) {
        if (!cancel)
            out.Add(Do(Step::kAskDropTarget));
        if (drag.dc != nullptr)
            out.Add(Do(Step::kReleaseScreenDC));
    } else {
        out.Add(Do(Step::kUnconfine));
        if (drag.dc != nullptr)
            out.Add(Do(Step::kReleaseDC));
    }
    out.Add(Do(Step::kReleaseCapture));
    return out;
}

Actions Hover(TrackingState* state, const WindowFacts& now, void* hwnd) {
    Actions out;
    Window* previous = state->hoveredWindow;
    if (now.window == previous)
        return out;
    state->pressPoint.x = -1;
    state->lastMouse = {-1, -1};
    state->pressStill = false;
    if (previous != nullptr) {
        if (state->hoveredFrame)
            out += EndDrag(state, true);
        ReportHoverEnded(state, previous, &out);
        out.Add(Call(Step::kOnMouseLeave, previous, {0, 0}, 0, hwnd));
    }
    if (now.window == nullptr)
        return out += Stop(state);
    void* left = previous != nullptr ? state->hoveredHandle : nullptr;
    state->hoverCountdown = now.hoverTicks;
    if (now.frame != nullptr)
        state->drag.holdCountdown = kHoldIdle;  // a pending press is forgotten
    out += Track(state, now);
    out.Add(Call(Step::kOnMouseEnter, now.window, {0, 0}, 0, left));
    return out;
}

Actions Press(TrackingState* state, const WindowFacts& window, TrackPoint point) {
    if (window.frame != nullptr) {
        state->pressPoint = point;
        state->drag.source = window.frame;
        state->drag.clickState = click_state::kPressed;
        state->drag.holdCountdown = window.holdTicks;
        state->pressStill = true;
    }
    return Actions();
}

Actions Move(TrackingState* state, const WindowFacts& window, TrackPoint point, uintptr_t keys) {
    Actions out = Hover(state, window, window.handle);
    int threshold = state->moveThreshold;
    if (abs(point.x - state->lastMouse.x) > threshold || abs(point.y - state->lastMouse.y) > threshold) {
        state->lastMouse = point;
        ReportHoverEnded(state, window.window, &out);
        state->hoverCountdown = window.hoverTicks;
    }
    if (Dragging(state))
        return out += MoveDrag(state, point);
    out.Add(Call(Step::kOnMouseMove, window.window, point, keys));
    if (window.frame != nullptr && state->drag.holdCountdown < kHoldPending) {
        TrackPoint press = state->pressPoint;
        state->pressStill =
            abs(point.x - press.x) < window.dragThreshold && abs(point.y - press.y) < window.dragThreshold;
        if (!state->pressStill)
            state->drag.holdCountdown = 0;  // the next poll starts the drag
    }
    return out;
}

Actions Release(TrackingState* state, const WindowFacts& window, TrackPoint point, uintptr_t keys) {
    Actions out;
    // The press ends here, not after the click: a click handler that runs a
    // message loop (an error box) lets polls in, and one of them would start
    // a drag from a button that is up, capturing and confining the pointer.
    state->pressStill = false;
    state->drag.holdCountdown = kHoldIdle;
    out.Add(Call(Step::kOnButtonUp, window.window, point, keys));
    if (Dragging(state)) {
        out += EndDrag(state, false);
    } else if (state->drag.clickState == click_state::kDragged) {
        state->drag.clickState = click_state::kReleased;  // the release of a press whose drag already ended
    } else {
        out.Add(Call(Step::kOnClick, window.window, point));
    }
    out.Add(Do(Step::kForgetPress));  // only now: the drop's handlers still see the source
    return out;
}

Actions Poll(TrackingState* state, const PollFacts& facts) {
    Actions out;
    if (Dragging(state)) {
        if (!facts.captureHeld)
            return EndDrag(state, true);
        if (state->drag.mode == drag_mode::kInWindow)
            Autoscroll(facts, &out);
        return out;
    }
    const WindowFacts& under = facts.under;
    if (under.window == nullptr)
        return Hover(state, under, facts.hwnd);
    // Any change of the hovered window forgets a pending press, so the frame
    // under the pointer is the pressed one.
    if (under.frame != nullptr) {
        if (state->pressStill)
            --state->drag.holdCountdown;
        if (state->drag.holdCountdown == 0)
            out += BeginDrag(state, under.frame, state->pressPoint, 0, true);
    }
    if (under.created) {
        if (state->hoverCountdown == 1)
            out.Add(Call(Step::kOnHover, under.window, state->lastMouse, 0));
        if (state->hoverCountdown != kHoverDone)
            --state->hoverCountdown;
    }
    return out;
}

Actions BeginDrag(TrackingState* state, FrameWindow* source, TrackPoint point, int32_t userValue, bool withDC) {
    state->drag.userValue = userValue;
    state->drag.start = point;
    state->drag.holdCountdown = kHoldIdle;
    state->drag.source = source;
    Actions out;
    out.Add(Do(Step::kAskDragMode, withDC));
    return out;
}

// The feedback is hidden at the old point and shown at the new one.
Actions MoveDrag(TrackingState* state, TrackPoint point) {
    Actions out;
    if (Dragging(state)) {
        out.Add(Do(Step::kOnDrag, drag_code::kHide));
        out.Add(Call(Step::kAskScreenPoint, nullptr, point));
    }
    return out;
}

Actions WindowGone(TrackingState* state, const WindowFacts& window) {
    Actions out;
    if (window.frame != nullptr && state->drag.source == window.frame) {
        out += EndDrag(state, true);
        out.Add(Do(Step::kForgetPress));
    }
    if (state->hoveredWindow == window.window)
        out += Stop(state);
    return out;
}

Actions Answered(TrackingState* state, const Action& question, const Answer& answer) {
    DragInfo& drag = state->drag;
    Actions out;
    switch (question.step) {
        case Step::kStartTimer:
            state->pollTimer = answer.timer;
            break;
        case Step::kGetDC:
        case Step::kGetScreenDC:
        case Step::kReleaseDC:
        case Step::kReleaseScreenDC:
            drag.dc = answer.dc;
            break;
        case Step::kAskDragMode:
            drag.mode = answer.mode;
            if (drag.mode == drag_mode::kNone)
                return out;  // refused: the release will still click
            if (drag.clickState == click_state::kPressed)
                drag.clickState = click_state::kDragged;
            drag.dc = nullptr;
            if (drag.mode == drag_mode::kOnScreen) {
                if (question.value != 0)
                    out.Add(Do(Step::kGetScreenDC));
                drag.start = Offset(drag.start, answer.origin);
            } else {
                if (question.value != 0)
                    out.Add(Do(Step::kGetDC));
                out.Add(Do(Step::kConfine));
            }
            drag.current = drag.start;
            out.Add(Do(Step::kOnDrag, drag_code::kShow));
            out.Add(Do(Step::kCapture));
            break;
        case Step::kAskScreenPoint:
            drag.current = drag.mode == drag_mode::kOnScreen ? Offset(question.point, answer.origin) : question.point;
            out.Add(Do(Step::kOnDrag, drag_code::kShow));
            break;
        case Step::kScroll:
            drag.start = {drag.start.x - answer.moved.x, drag.start.y - answer.moved.y};
            out.Add(Do(Step::kOnDrag, drag_code::kShow));
            break;
        case Step::kAskDropTarget:
            if (answer.overFramework)
                out.Add(Do(Step::kOnDrag, drag_code::kDropOnFramework));
            break;
        case Step::kForgetPress:
            drag.source = nullptr;
            drag.holdCountdown = kHoldIdle;
            break;
        default:
            break;
    }
    return out;
}

}  // namespace tracking_rules

#pragma once
// What the pointer tracking decides, apart from Windows. Each rule takes the
// tracking state and one event with what the Win32 side knows of it, moves
// the state on and lists the steps the Win32 side must then take, in order.
// Some steps are questions that only Windows or a handler can answer (the
// drag mode, where the source lies on the screen, how far the content
// scrolled, the window under a drop); the answer goes to Answered at once, and
// the steps it lists come before the rest of the list.

#include <cstdint>

class FrameWindow;
class Window;

// Laid out as POINT: DragInfo reaches the OnDrag handlers as it is.
struct TrackPoint {
    int32_t x;
    int32_t y;
};

// The hold countdown when no press is pending: far beyond any countdown.
constexpr int32_t kHoldIdle = 2000000000;
// A countdown below this: a still press is pending.
constexpr int32_t kHoldPending = 1999999999;
// The hover countdown once OnHover has fired, or with none to come.
constexpr int16_t kHoverDone = 0;

namespace drag_code {
constexpr int kBegin = 0;  // may a drag begin? result: the mode
constexpr int kHide = 1;
constexpr int kShow = 2;
constexpr int kDrop = 3;
constexpr int kCancel = 4;
constexpr int kDropOnFramework = 5;  // mode 2, after kDrop
}  // namespace drag_code

namespace drag_mode {
constexpr int32_t kNone = 0;
constexpr int32_t kInWindow = 1;  // points in the source's client coordinates; the cursor kept inside
constexpr int32_t kOnScreen = 2;  // points in screen coordinates
}  // namespace drag_mode

namespace click_state {
constexpr int32_t kReleased = 0;  // also before the first press
constexpr int32_t kPressed = -1;  // a press on a frame window
constexpr int32_t kDragged = 1;   // a drag began from the press: its release is no click
}  // namespace click_state

struct DragInfo {
    FrameWindow* source = nullptr;  // pressed or dragged from, null outside a press
    void* dc = nullptr;             // HDC for feedback, or null
    TrackPoint start = {0, 0};      // client coordinates in mode 1, screen in mode 2
    TrackPoint current = {0, 0};
    int32_t holdCountdown = kHoldIdle;  // polls before a still press drags
    int32_t mode = drag_mode::kNone;
    int32_t clickState = click_state::kReleased;
    int32_t userValue = 0;
    unsigned char user[32] = {};  // the source's own, never touched here
};

// The one set of tracking state of the process (GUI thread only).
struct TrackingState {
    uintptr_t pollTimer = 0;  // the thread timer's id, 0 while none runs
    Window* hoveredWindow = nullptr;
    bool hoveredFrame = false;            // of hoveredWindow, for when the pointer leaves it
    void* hoveredHandle = nullptr;        // its HWND
    int16_t hoverCountdown = kHoverDone;  // polls before OnHover
    int16_t moveThreshold = 4;            // pixels a move must exceed on one axis to count for hovering
    TrackPoint lastMouse = {-1, -1};      // the last counted move
    TrackPoint pressPoint = {-1, -1};
    bool pressStill = false;  // the pressed pointer stayed within the drag threshold
    DragInfo drag;
};

namespace tracking_rules {

// The drag's steps act on its source, the handler operations on `window`.
// Each step goes to Answered once it is done, with what it brought (an id, a
// DC) or the answer to its question.
enum class Step : uint8_t {
    kStartTimer,  // brings the timer's id
    kStopTimer,   // value: the id
    kCapture,
    kReleaseCapture,
    kConfine,  // the cursor to the source's client area
    kUnconfine,
    kGetDC,  // brings the feedback DC
    kGetScreenDC,
    kReleaseDC,
    kReleaseScreenDC,
    kOnMouseEnter,  // hwnd: the window left
    kOnMouseLeave,  // hwnd: the window now under the pointer
    kOnHover,       // value: 1 when the rest ended
    kOnMouseMove,   // value: the keys
    kOnButtonUp,    // OnMouseMessage for the left button's release; value: the keys
    kOnClick,
    kOnDrag,          // value: the code
    kAskDragMode,     // OnDrag(kBegin); value: 1 for a feedback DC
    kAskScreenPoint,  // where the source lies on the screen, for point
    kScroll,          // a line at each edge in value; how far the content moved
    kAskDropTarget,   // a framework window under `current`?
    kForgetPress,     // nothing to answer: only its turn in the list
};

// The edges in a kScroll step's value.
constexpr uintptr_t kScrollLeft = 1, kScrollRight = 2, kScrollUp = 4, kScrollDown = 8;

struct Action {
    Step step;
    Window* window;
    TrackPoint point;  // client coordinates of `window`, or of the drag's source
    uintptr_t value;
    void* hwnd;
};

struct Actions {
    static constexpr int kCapacity = 16;  // more than any rule lists
    Actions& operator+=(const Actions& more);
    void Add(const Action& action) {
        if (count < kCapacity)
            steps[count++] = action;
    }
    Action steps[kCapacity];
    int count = 0;
};

// What the rules need to know of a framework window (all empty for none).
struct WindowFacts {
    Window* window = nullptr;
    FrameWindow* frame = nullptr;  // the same object, when it is a frame window
    void* handle = nullptr;        // its HWND
    bool created = false;          // made by Create: the hover countdown applies
    int16_t hoverTicks = 0;
    int32_t holdTicks = 0;  // frames only
    int16_t dragThreshold = 0;
};

// What a poll finds: while a drag runs the first three, otherwise the rest.
struct PollFacts {
    bool captureHeld = false;     // by the drag's source
    TrackPoint pointer = {0, 0};  // in the source's client coordinates
    TrackPoint client = {0, 0};   // the source's client size
    WindowFacts under;            // the framework window under the pointer
    void* hwnd = nullptr;         // whatever window is under the pointer
};

// The answer to a question, or what a step brought: only the part it asks for.
struct Answer {
    uintptr_t timer = 0;              // kStartTimer
    void* dc = nullptr;               // kGetDC, kGetScreenDC
    int32_t mode = drag_mode::kNone;  // kAskDragMode
    TrackPoint origin = {0, 0};       // kAskDragMode, kAskScreenPoint: the source's client origin on the screen
    TrackPoint moved = {0, 0};        // kScroll: how far the content moved
    bool overFramework = false;       // kAskDropTarget
};

// TrackWindow, StopTracking and SetHoveredWindow.
Actions Track(TrackingState* state, const WindowFacts& window);
Actions Stop(TrackingState* state);
Actions Hover(TrackingState* state, const WindowFacts& now, void* hwnd);
// WM_LBUTTONDOWN, WM_MOUSEMOVE and WM_LBUTTONUP on a framework window.
Actions Press(TrackingState* state, const WindowFacts& window, TrackPoint point);
Actions Move(TrackingState* state, const WindowFacts& window, TrackPoint point, uintptr_t keys);
Actions Release(TrackingState* state, const WindowFacts& window, TrackPoint point, uintptr_t keys);
Actions Poll(TrackingState* state, const PollFacts& facts);
Actions BeginDrag(TrackingState* state, FrameWindow* source, TrackPoint point, int32_t userValue, bool withDC);
Actions MoveDrag(TrackingState* state, TrackPoint point);
// Also the cancel of Escape, deactivation and a lost capture.
Actions EndDrag(TrackingState* state, bool cancel);
Actions WindowGone(TrackingState* state, const WindowFacts& window);
// Where a step brings something, the state takes it in; nothing for the others.
Actions Answered(TrackingState* state, const Action& question, const Answer& answer);

}  // namespace tracking_rules

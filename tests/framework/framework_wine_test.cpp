// Messages to framework windows, seen as the operations they call: dispatch,
// the nested modal loop and the ways it ends, and the pointer over frame
// windows (hover, leave, press-and-hold, drag, drop and cancel) driven by the
// real pointer position, mouse messages and direct calls of the poll
// procedure, so that no poll comes unbidden while a script runs.
// RecordingFrame writes one line to a log for every operation it receives and
// answers as a test sets it; expected behaviour is a list of lines compared
// with the log.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "framework/frame_window.h"
#include "framework/pointer_tracking.h"
#include "framework/window.h"
#include "tests/support/pump.h"

namespace {

using CallLog = std::vector<std::string>;

class RecordingFrame : public FrameWindow {
public:
    RecordingFrame(const char* name, CallLog* log) : name_(name), log_(log) {}

    bool recordMouseMessages = true;                                  // OnMouseMessage, which most messages also call
    int filterBits = 0, commandBits = 0, canClose = 1, dragMode = 0;  // dragMode: the answer to kBegin
    LRESULT filterResult = 1;
    bool visibleDuringCreate = true;

    // Operations that answer return what the test set, after logging.
    void OnSetFocus(Window* w) override { Log(w, "OnSetFocus"); }
    void OnKillFocus(Window* w) override { Log(w, "OnKillFocus"); }
    void OnShow(Window* w) override { Log(w, "OnShow"); }
    void OnHide(Window* w) override { Log(w, "OnHide"); }
    void OnCreate(Window* w) override { visibleDuringCreate = IsWindowVisible(w->handle) != FALSE; }
    void OnDestroy(Window* w) override { Log(w, "OnDestroy"); }
    void OnSize(Window* w, int width, int height) override { Log(w, "OnSize %d %d", width, height); }
    void OnMove(Window* w, int x, int y) override { Log(w, "OnMove %d %d", x, y); }
    void OnMouseMove(Window* w, int x, int y, WPARAM k) override { Log(w, "OnMouseMove %d %d %lld", x, y, 0LL + k); }
    void OnClick(Window* w, int x, int y) override { Log(w, "OnClick %d %d", x, y); }
    void OnRightButtonUp(Window* w, int x, int y) override { Log(w, "OnRightButtonUp %d %d", x, y); }
    void OnDoubleClick(Window* w, int x, int y) override { Log(w, "OnDoubleClick %d %d", x, y); }
    void OnMouseEnter(Window* w, HWND previous) override { Log(w, "OnMouseEnter %s", NameOf(previous)); }
    void OnMouseLeave(Window* w, HWND now) override { Log(w, "OnMouseLeave %s", NameOf(now)); }
    void OnHover(Window* w, int x, int y, int ended) override { Log(w, "OnHover %d %d %d", x, y, ended); }
    int CanClose(Window* w, Window* r, int code) override {
        return Log(w, "CanClose %s %d", NameOf(r), code), canClose;
    }
    int FilterMessage(Window*, UINT, WPARAM, LPARAM, LRESULT* result) override {
        return *result = filterResult, filterBits;
    }
    int OnCommand(Window* w, Window* c, int code, HWND, int id) override {
        return Log(w, "OnCommand %s %d %d", NameOf(c), code, id), commandBits;
    }
    void OnChar(Window* w, WPARAM code) override { Log(w, "OnChar %lld", 0LL + code); }
    void OnKeyDown(Window* w, WPARAM key) override { Log(w, "OnKeyDown %lld", 0LL + key); }
    void OnMouseMessage(Window* w, UINT message, WPARAM wParam, int x, int y) override {
        if (recordMouseMessages)
            Log(w, "OnMouseMessage %u %lld %d %d", message, 0LL + wParam, x, y);
    }
    int OnDrag(int code, DragInfo*) override {
        return Log(this, "OnDrag %d", code), code == drag_code::kBegin ? dragMode : 0;
    }
    void OnModalOk(Window* w) override { Log(w, "OnModalOk"); }
    void OnModalCancel(Window* w) override { Log(w, "OnModalCancel"); }

    // "-" for none, "?" for a window not recorded, "hwnd" for a window not ours.
    static const char* NameOf(Window* w) {
        return !w ? "-" : w->IsFrame() ? static_cast<RecordingFrame*>(w)->name_ : "?";
    }
    static const char* NameOf(HWND hwnd) { return FromHandle(hwnd) ? NameOf(FromHandle(hwnd)) : hwnd ? "hwnd" : "-"; }

private:
    void Log(Window* w, const char* format, ...) {
        char line[128];
        va_list args;
        va_start(args, format);
        vsnprintf(line, sizeof line, format, args);
        va_end(args);
        log_->push_back(std::string(NameOf(w)) + "." + line);
    }
    const char* name_;
    CallLog* log_;
};

// The pointer parked away from every test window, frame "W" (200 x 150 at
// 40,40) created and settled, no hover tracking and an empty log; the frame
// destroyed afterwards without posting a quit.
class FrameworkTest : public ::testing::Test {
protected:
    // Each suite starts as the product does: the module instance, the property name and the frame class.
    static void SetUpTestSuite() {
        SetInstance(GetModuleHandleA(nullptr));
        FormatPropertyName();
        RegisterFrameClass();
    }
    static void TearDownTestSuite() { UnregisterFrameClass(); }
    void SetUp() override { MakeFrame(0); }
    void MakeFrame(DWORD exStyle) {
        SetCursorPos(1000, 740);  // moves reported for windows appearing under the pointer would add calls
        mainWindow = nullptr;
        frame = std::make_unique<RecordingFrame>("W", &log);
        frame->windowFlags |= window_flags::kNoQuitOnDestroy;
        frame->CreateFrame(nullptr, 40, 40, 200, 150, WS_POPUP | WS_VISIBLE, "W", nullptr, nullptr, exStyle);
        ASSERT_NE(frame->handle, nullptr);
        testing_support::PumpUntilQuiet(30, 2000);
        StopTracking();
        dragInfo.holdCountdown = kHoldIdle;
        dragInfo.clickState = 0;
        log.clear();
    }
    void TearDown() override {
        EndDrag(true);
        StopTracking();
        frame->windowFlags |= window_flags::kNoQuitOnDestroy;
        frame->Destroy();
        MSG msg;
        while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        mainWindow = nullptr;
    }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageA(frame->handle, message, wParam, lParam);
    }

    CallLog log;
    std::unique_ptr<RecordingFrame> frame;
};

using DispatchTest = FrameworkTest;

TEST_F(DispatchTest, EachMessageCallsItsOperations) {
    // Points are signed halves: a captured pointer left of or above the window is negative.
    // clang-format off
    const struct { UINT message; WPARAM wParam; LPARAM lParam; CallLog expected; } rows[] = {
        {WM_MOVE, 0, MAKELPARAM(-12, 34), {"W.OnMove -12 34"}}, {WM_SIZE, 0, MAKELPARAM(120, 80), {"W.OnSize 120 80"}},
        {WM_SHOWWINDOW, 2, 0, {"W.OnHide"}}, {WM_SHOWWINDOW, 1, 0, {"W.OnShow"}},
        {WM_MOUSEACTIVATE, 0, MAKELPARAM(HTERROR, WM_LBUTTONDOWN), {"W.OnMouseMessage 33 0 -2 513"}},  // hit test, message
        {WM_KEYDOWN, 'A', 3, {"W.OnKeyDown 65", "W.OnKeyDown 65", "W.OnKeyDown 65"}}, {WM_KEYDOWN, 'A', 0x10000, {}},
        {WM_CHAR, 'x', 1, {"W.OnChar 120"}}, {WM_RBUTTONUP, 0, MAKELPARAM(-5, -3), {"W.OnRightButtonUp -5 -3"}},
        {WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 6), {"W.OnMouseMessage 515 1 5 6", "W.OnDoubleClick 5 6"}},
        {WM_MBUTTONUP, 0, MAKELPARAM(-3, 2), {"W.OnMouseMessage 520 0 -3 2"}},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, 120), MAKELPARAM(-300, 400), {"W.OnMouseMessage 522 7864320 -300 400"}},
        {WM_CAPTURECHANGED, 0, 0x1234, {"W.OnMouseMessage 533 4660 0 0"}},
        {WM_MOUSEMOVE, 0, MAKELPARAM(-20, 10), {"W.OnMouseMessage 512 0 -20 10", "W.OnMouseEnter -", "W.OnMouseMove -20 10 0"}}};
    // clang-format on
    for (const auto& row : rows) {
        log.clear();
        Send(row.message, row.wParam, row.lParam);
        EXPECT_EQ(log, row.expected) << "message 0x" << std::hex << row.message;
    }
}

TEST_F(DispatchTest, FilterBitsSkipTheStepOrReturnTheResult) {
    SetWindowTextA(frame->handle, "before");
    frame->filterResult = 77;
    const LPARAM after = reinterpret_cast<LPARAM>("after");
    // 3: neither the step nor the default processing; 1: the step, then the
    // filter's result; 2: no step, the default processing. A step that
    // returns by itself (a refused close) keeps its own result.
    // clang-format off
    const struct { int bits, canClose; UINT message; LPARAM lParam; LRESULT result; const char* text; } rows[] = {
        {3, 1, WM_SETTEXT, after, 77, "before"}, {3, 1, WM_CLOSE, 0, 77, "before"}, {1, 1, WM_MOVE, MAKELPARAM(2, 3), 77, "before"},
        {1, 1, WM_SETTEXT, after, 77, "before"}, {1, 0, WM_CLOSE, 0, 0, "before"}, {2, 1, WM_MOVE, 0, 0, "before"},
        {2, 1, WM_SETTEXT, after, TRUE, "after"}};
    // clang-format on
    for (const auto& row : rows) {
        frame->filterBits = row.bits;
        frame->canClose = row.canClose;
        EXPECT_EQ(Send(row.message, 0, row.lParam), row.result) << &row - rows;
        char text[32] = "";
        DefWindowProcA(frame->handle, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));  // past the filter
        EXPECT_STREQ(text, row.text) << &row - rows;
    }
    EXPECT_EQ(log, (CallLog{"W.OnMove 2 3", "W.CanClose W 2"}));  // and the window still stands
}

class PaintingFrame : public RecordingFrame {
public:
    using RecordingFrame::RecordingFrame;
    void OnPaint(Window*, PaintContext*, RECT*) override {}
};

TEST_F(DispatchTest, PaintFlagAndTheMainWindow) {
    EXPECT_FALSE(frame->visibleDuringCreate);  // shown after OnCreate
    EXPECT_EQ(mainWindow, frame->handle);      // the first parentless window
    PaintingFrame painter("P", &log);          // a handler that paints is flagged so; the window it serves is not
    RecordingFrame plain("Q", &log);
    plain.CreateFrame(frame->handle, 0, 0, 10, 10, 0, nullptr, &painter, nullptr, 0);
    EXPECT_TRUE((painter.windowFlags & window_flags::kOverridesPaint) &&
                !(plain.windowFlags & window_flags::kOverridesPaint));
    plain.Destroy();

    // Destroying the main window posts one quit, unless the window asks not to.
    log.clear();
    frame->windowFlags &= ~window_flags::kNoQuitOnDestroy;
    frame->Destroy();
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(mainWindow, nullptr);
    EXPECT_EQ(log.back(), "W.OnDestroy");
    MakeFrame(0);
    frame->Destroy();
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(DispatchTest, FocusCommandsAndClose) {
    RecordingFrame a("A", &log), control("X", &log);
    a.CreateFrame(frame->handle, 0, 0, 50, 50, 0, nullptr, nullptr, nullptr, 0);
    control.CreateFrame(frame->handle, 60, 0, 20, 20, 0, nullptr, nullptr, reinterpret_cast<HMENU>(7), 0);
    HWND edit =
        CreateWindowA("EDIT", "", WS_CHILD | WS_VISIBLE, 120, 0, 50, 20, frame->handle, nullptr, nullptr, nullptr);
    SetForegroundWindow(frame->handle);
    SetFocus(a.handle);
    log.clear();
    SetFocus(control.handle);
    SetFocus(edit);  // the edit reports its own focus changes (EN_SETFOCUS, EN_KILLFOCUS)
    SetFocus(a.handle);
    EXPECT_EQ(log, (CallLog{"A.OnKillFocus", "X.OnSetFocus", "X.OnKillFocus", "W.OnCommand - 256 0",
                            "W.OnCommand - 512 0", "A.OnSetFocus"}));
    log.clear();
    frame->commandBits = 1;
    frame->filterResult = 5;  // what FilterMessage leaves in the result comes back
    EXPECT_EQ(Send(WM_COMMAND, MAKEWPARAM(40, 3), reinterpret_cast<LPARAM>(control.handle)), 5);
    Send(WM_COMMAND, MAKEWPARAM(41, 0), reinterpret_cast<LPARAM>(edit));
    Send(WM_COMMAND, MAKEWPARAM(42, 0), 0);  // a menu
    control.windowFlags |= window_flags::kOwnCommand;
    Send(WM_COMMAND, MAKEWPARAM(43, 0), reinterpret_cast<LPARAM>(control.handle));
    // Notifications and owner drawing route as commands do; nothing of ours uses them.
    EXPECT_EQ(log, (CallLog{"W.OnCommand X 3 40", "W.OnCommand - 0 41", "W.OnCommand - 0 42", "X.OnCommand X 0 43"}));

    // A close asks the window, then each framework child; one refusal keeps them all.
    log.clear();
    frame->canClose = 0;
    EXPECT_EQ(Send(WM_CLOSE), 0);
    frame->canClose = 1;
    control.canClose = 0;
    Send(WM_CLOSE);
    EXPECT_EQ(log, (CallLog{"W.CanClose W 2", "W.CanClose W 2", "A.CanClose A 2", "X.CanClose X 2"}));
    control.canClose = 1;
    Send(WM_CLOSE);
    EXPECT_TRUE(frame->handle == nullptr && a.handle == nullptr && control.handle == nullptr);
}

using ModalTest = FrameworkTest;

RecordingFrame* innerFrame;
int innerResult, depthInside;
bool parentEnabledInside;

// Timer procedures that act from inside a running loop.
void CALLBACK AgreeAndConfirm(HWND hwnd, UINT, UINT_PTR id, DWORD) {
    KillTimer(hwnd, id);
    static_cast<RecordingFrame*>(FromHandle(hwnd))->canClose = 1;
    parentEnabledInside = IsWindowEnabled(GetParent(hwnd)) != FALSE;
    depthInside = modalDepth;
    PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
}

void CALLBACK RunInnerLoop(HWND hwnd, UINT, UINT_PTR id, DWORD) {
    KillTimer(hwnd, id);
    SetTimer(innerFrame->handle, 2, 1, AgreeAndConfirm);
    innerResult = innerFrame->RunModal(1);
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
}

TEST_F(ModalTest, WaysTheLoopEnds) {
    CallLog otherLog;
    RecordingFrame other("O", &otherLog);
    other.windowFlags |= window_flags::kNoQuitOnDestroy;
    other.CreateFrame(nullptr, 300, 40, 100, 100, WS_POPUP | WS_VISIBLE, "O", nullptr, nullptr, 0);
    testing_support::PumpUntilQuiet(30, 2000);
    HWND w = frame->handle;
    const WPARAM close = WPARAM(-1);  // a WM_CLOSE; any other word is a WM_COMMAND's wParam
    // clang-format off
    const struct { std::vector<std::pair<HWND, WPARAM>> posts; int canClose, commandBits, result; CallLog expected; } rows[] = {
        // Only the modal window may close while its loop runs: O is not even asked.
        {{{other.handle, close}, {w, close}}, 1, 0, 2, {"W.CanClose W 2", "W.OnModalCancel"}},
        // Refused twice, then agreed to by the timer.
        {{{w, close}, {w, IDOK}}, 0, 0, 1, {"W.CanClose W 2", "W.OnCommand - 0 1", "W.CanClose - 1", "W.OnCommand - 0 1",
                                            "W.CanClose - 1", "W.OnModalOk"}},
        // Only an id below 32 without a notification code ends the loop.
        {{{w, 32}, {w, MAKEWPARAM(IDOK, BN_DOUBLECLICKED)}, {w, IDOK}}, 1, 0, 1,
         {"W.OnCommand - 0 32", "W.OnCommand - 5 1", "W.OnCommand - 0 1", "W.CanClose - 1", "W.OnModalOk"}},
        // Bit 2 of the command's result skips the ending check.
        {{{w, IDCANCEL}, {w, close}}, 1, 2, 2, {"W.OnCommand - 0 2", "W.CanClose W 2", "W.OnModalCancel"}}};
    // clang-format on
    for (const auto& row : rows) {
        log.clear();
        frame->canClose = row.canClose;
        frame->commandBits = row.commandBits;
        for (const auto& post : row.posts)
            PostMessageA(post.first, post.second == close ? WM_CLOSE : WM_COMMAND, post.second, 0);
        if (row.canClose == 0)
            SetTimer(w, 1, 10, AgreeAndConfirm);
        EXPECT_EQ(frame->RunModal(1), row.result) << row.expected[0];
        log.erase(std::remove(log.begin(), log.end(), "W.OnHide"), log.end());  // only where it was shown
        EXPECT_EQ(log, row.expected);
        EXPECT_TRUE(!IsWindowVisible(w) && modalDepth + frame->inModalLoop == 0 && IsWindow(other.handle));
    }

    // The quit message ends the loop and is consumed; the loop then no
    // longer counts, so a close request is no longer dropped. The result is
    // this loop's, not what the rows above left behind.
    PostQuitMessage(9);
    EXPECT_EQ(frame->RunModal(0), 0);
    EXPECT_EQ(modalDepth + frame->inModalLoop, 0);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    SendMessageA(other.handle, WM_CLOSE, 0, 0);
    EXPECT_EQ(other.handle, nullptr);

    // Outside its loop an OK is just a command, and EndModal changes nothing.
    log.clear();
    frame->modalResult = 5;
    frame->EndModal(1);
    Send(WM_COMMAND, MAKEWPARAM(IDOK, 0));
    EXPECT_EQ(frame->modalResult, 5);
    EXPECT_EQ(log, CallLog{"W.OnCommand - 0 1"});

    // Nested loops end one at a time, the parent disabled meanwhile.
    RecordingFrame child("C", &otherLog);
    child.CreateFrame(w, 0, 0, 50, 50, 0, nullptr, nullptr, nullptr, 0);
    innerFrame = &child;
    SetTimer(w, 1, 1, RunInnerLoop);
    EXPECT_EQ(frame->RunModal(0), 2);
    EXPECT_TRUE(innerResult == 1 && depthInside == 2 && !parentEnabledInside && IsWindowEnabled(w) && modalDepth == 0);
    child.Destroy();
}

class TrackingTest : public FrameworkTest {
protected:
    void SetUp() override { GetClipCursor(&unclipped_); }
    bool ClipIs(RECT expected) {
        RECT clip;
        GetClipCursor(&clip);
        return EqualRect(&clip, &expected) != FALSE;
    }
    void PointAt(int x, int y) {
        POINT p = {x, y}, now;
        ClientToScreen(frame->handle, &p);
        SetCursorPos(p.x, p.y);
        // Polls read the position back: wait until the system reports it.
        for (int i = 0; i < 200 && GetCursorPos(&now) && (now.x != p.x || now.y != p.y); ++i)
            Sleep(5);
    }
    // One action a word: M move, p pointer only, P press, R release (each
    // with x,y); T polls (alone: holdTicks, T-1 one less), V the same with
    // hoverTicks; E Escape, C capture lost, A deactivated, X window
    // destroyed, S content to scroll; | K Y log a mark, the drag state, the
    // scroll state.
    void Run(const std::string& script) {
        std::istringstream words(script);
        for (std::string a; words >> a;) {
            int x = 0, y = 0;
            sscanf(a.c_str() + 1, "%d,%d", &x, &y);
            int ticks = a[0] == 'T' ? frame->holdTicks : a[0] == 'V' ? frame->hoverTicks : 0;
            for (int i = 0, polls = a.size() == 1 ? ticks : x < 0 ? ticks + x : x; i < polls && ticks; ++i)
                PollTimerProc(nullptr, WM_TIMER, 0, 0);
            RECT client;
            GetClientRect(frame->handle, &client);
            MapWindowPoints(frame->handle, nullptr, reinterpret_cast<POINT*>(&client), 2);
            char state[64];
            snprintf(state, sizeof state, "K%ld,%ld%s%s%s", dragInfo.start.x, dragInfo.start.y,
                     GetCapture() == frame->handle ? "c" : "", ClipIs(client) ? "k" : "", dragInfo.dc ? "d" : "");
            // clang-format off
            switch (a[0]) {
                case 'M': PointAt(x, y); Send(WM_MOUSEMOVE, pressed_ ? MK_LBUTTON : 0, MAKELPARAM(x, y)); break;
                case 'p': PointAt(x, y); break;
                case 'P': pressed_ = true; Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); break;
                case 'R': pressed_ = false; Send(WM_LBUTTONUP, 0, MAKELPARAM(x, y)); break;
                case 'E': Send(WM_CHAR, VK_ESCAPE, 1); break;
                case 'C': ReleaseCapture(); break;
                case 'A': Send(WM_ACTIVATE, WA_INACTIVE, 0); break;
                case 'X': frame->Destroy(); break;
                case 'S': frame->SetContentSize(0, 1000, 1), frame->scrollY = 100; break;
                case '|': log.push_back("|"); break;
                case 'K': log.push_back(state); break;
                case 'Y': log.push_back("Y" + std::to_string(frame->scrollY) + "/" + std::to_string(dragInfo.start.y + frame->scrollY));
            }
            // clang-format on
        }
    }
    // The log as tokens (D2 for OnDrag 2, C5,6 OnClick, H5,6,0 OnHover):
    // clicks always, the other kinds where `expected` has them.
    std::string Tokens(const std::string& expected) {
        std::string tokens;
        for (std::string line : log) {
            for (const char* kind : {"W.OnDrag ", "W.OnClick ", "W.OnHover "})
                line = line.rfind(kind, 0) == 0 ? kind[4] + line.substr(strlen(kind)) : line;
            std::replace(line.begin(), line.end(), ' ', ',');
            if (line[1] != '.' && (line[0] == 'C' || expected.find(line[0]) != std::string::npos))
                tokens += (tokens.empty() ? "" : " ") + line;
        }
        return tokens;
    }

    RECT unclipped_{};
    bool pressed_ = false;
};

TEST_F(TrackingTest, Scripts) {
    const struct {
        int dragMode;
        const char* script;
        const char* expected;
    } rows[] = {
        // A still press starts the drag at the holdTicks-th poll, clipped and captured.
        {1, "M50,60 P50,60 T-1 | T1 K | M70,90 R70,90", "| D0 D2 K50,60ckd | D1 D2 D1 D3"},
        // Four pixels start it at the next poll, from the press point; three do not.
        {1, "M50,60 P50,60 M53,60 M50,57 T1 | M50,64 | T1 K R50,64", "| | D0 D2 K50,60ckd D1 D3"},
        {1, "M50,60 P50,60 M54,60 T1 K R54,60", "D0 D2 K50,60ckd D1 D3"},  // across as well as down
        // A release before the drag, or after a refusal, is a click.
        {0, "M50,60 P50,60 T3 R50,60 P20,30 T R21,30", "C50,60 D0 C21,30"},
        // Escape, a lost capture or deactivation cancels; the later release is no click.
        {1, "M50,60 P50,60 T | E | R50,60", "D0 D2 | D1 D4 |"},
        {1, "M50,60 P50,60 T C P50,60 T A", "D0 D2 D1 D4 D0 D2 D1 D4"},
        // A screen drag starts in screen points and drops onto framework windows too.
        {2, "M50,60 P50,60 T K M60,70 R60,70", "D0 D2 K90,100cd D1 D2 D1 D3 D5"},
        // A destroyed window leaves no drag behind, and later polls find nothing.
        {1, "M50,60 P50,60 T X T2", "D0 D2 D1 D4"},
        // Autoscroll at the top edge keeps the drag's start on its content.
        {1, "S M50,120 P50,120 M50,125 T1 p50,1 T1 Y T20 Y p50,100 T1 Y R50,100", "Y92/220 Y0/220 Y0/220"},
        // Hover comes once after the rest and ends at the next real move (five pixels).
        {0, "M50,60 V-1 | T1 | T5 M54,56 V M60,60", "| H50,60,0 | H0,0,1"},
    };
    for (const auto& row : rows) {
        MakeFrame(WS_EX_TOPMOST);
        frame->recordMouseMessages = false;
        frame->dragMode = row.dragMode;
        Run(row.script);
        EXPECT_EQ(Tokens(row.expected), row.expected) << row.script << ::testing::PrintToString(log);
        EXPECT_TRUE(GetCapture() == nullptr && ClipIs(unclipped_) && dragInfo.mode == 0 && dragInfo.dc == nullptr);
        EXPECT_TRUE(!strchr(row.script, 'X') || (pollTimer == 0 && hoveredWindow == nullptr)) << row.script;
        FrameworkTest::TearDown();
    }
    // The real timer polls while the pointer stays over the window, and
    // stops once it has reported the pointer leaving for another window.
    MakeFrame(WS_EX_TOPMOST);
    frame->hoverTicks = 2;
    Run("M50,60");
    EXPECT_TRUE(testing_support::PumpUntil([&] { return !log.empty() && log.back() == "W.OnHover 50 60 0"; }));
    SetCursorPos(450, 150);
    EXPECT_TRUE(testing_support::PumpUntil([] { return pollTimer == 0; }));
    EXPECT_TRUE(std::count(log.begin(), log.end(), "W.OnMouseLeave hwnd") == 1 && hoveredWindow == nullptr)
        << ::testing::PrintToString(log);
}

}  // namespace

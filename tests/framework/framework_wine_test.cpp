// Messages to a frame window, seen as the operations they call: dispatch,
// closing, the modal loop and the ways it ends, and the pointer (press-and-
// hold, drag, drop and cancel) driven by the real pointer position, mouse
// messages and direct calls of the poll procedure, so that no poll comes
// unbidden while a script runs. RecordingFrame adds one word to a log for
// each operation and answers as a test sets it. Leaving the window is the
// launcher walk's to check, on the launcher's own window.

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "framework/frame_window.h"
#include "framework/pointer_tracking.h"
#include "tests/support/pump.h"

namespace {

void Append(std::string* log, const std::string& word) {
    *log += (log->empty() ? "" : " ") + word;
}

class RecordingFrame : public FrameWindow {
public:
    RecordingFrame(const char* name, std::string* log) : name_(name), log_(log) {}

    int filterBits = 0, commandBits = 0, canClose = 1, dragMode = 0;  // dragMode: the answer to kBegin
    LRESULT filterResult = 1;

    void OnShow(Window*) override { Log("Show"); }
    void OnHide(Window*) override { Log("Hide"); }
    void OnMove(Window*, int x, int y) override { Log("Move(%d,%d)", x, y); }
    void OnMouseMessage(Window*, UINT message, WPARAM wParam, int x, int y) override {
        if (message == WM_MOUSEACTIVATE)  // the pointer's messages call it too
            Log("Mouse(%u,%lld,%d,%d)", message, 0LL + wParam, x, y);
    }
    int CanClose(Window*, Window* r, int code) override {
        return Log("CanClose(%s,%d)", r ? static_cast<RecordingFrame*>(r)->name_ : "-", code), canClose;
    }
    // WM_APP, posted by a test, agrees to close from inside a running loop.
    int FilterMessage(Window*, UINT message, WPARAM, LPARAM, LRESULT* result) override {
        canClose |= message == WM_APP;
        return *result = filterResult, filterBits;
    }
    int OnCommand(Window*, Window*, int code, HWND, int id) override {
        return Log("Command(%d,%d)", code, id), commandBits;
    }
    void OnModalOk(Window*) override { Log("ModalOk"); }
    void OnModalCancel(Window*) override { Log("ModalCancel"); }
    // Drags and clicks as tokens: D2 for code 2, C5,6 for a click at 5,6.
    int OnDrag(int code, DragInfo*) override { return Log("D%d", code), code == drag_code::kBegin ? dragMode : 0; }
    void OnClick(Window*, int x, int y) override { Log("C%d,%d", x, y); }

private:
    template <typename... Args>
    void Log(const char* format, Args... args) {
        char word[128];
        snprintf(word, sizeof word, format, args...);
        Append(log_, word);
    }
    const char* name_;
    std::string* log_;
};

// Frame "W" on the screen; without a frame, its client area is all of it.
constexpr RECT kFrame = {40, 40, 240, 190};

// The pointer parked away from every test window, frame "W" created and
// settled, no hover tracking and an empty log; the frame destroyed afterwards
// without posting a quit.
class FrameworkTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {  // as the program starts
        SetInstance(GetModuleHandleA(nullptr));
        FormatPropertyName();
        RegisterFrameClass();
    }
    void SetUp() override { MakeFrame(); }
    void MakeFrame() {
        SetCursorPos(1000, 740);  // moves reported for windows appearing under the pointer would add calls
        frame = std::make_unique<RecordingFrame>("W", &log);
        frame->windowFlags |= window_flags::kNoQuitOnDestroy;
        frame->CreateFrame(nullptr, kFrame.left, kFrame.top, kFrame.right - kFrame.left, kFrame.bottom - kFrame.top,
                           WS_POPUP | WS_VISIBLE, "W", nullptr, nullptr, WS_EX_TOPMOST);
        testing_support::PumpUntilQuiet();
        StopTracking();
        log.clear();
    }
    void TearDown() override { frame->Destroy(); }  // which ends its drag and tracking
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageA(frame->handle, message, wParam, lParam);
    }

    bool ClipIs(RECT expected) {
        RECT clip;
        GetClipCursor(&clip);
        return EqualRect(&clip, &expected) != FALSE;
    }
    // One action a word: M move, P press, R release (each with x,y); Tn n
    // polls; E Escape, C capture lost, A deactivated, X window destroyed;
    // | K log a mark, the drag state.
    void Run(const std::string& script) {
        std::istringstream words(script);
        for (std::string a; words >> a;) {
            int x = 0, y = 0;
            sscanf(a.c_str() + 1, "%d,%d", &x, &y);
            for (int i = 0; a[0] == 'T' && i < x; ++i)
                PollTimerProc(nullptr, WM_TIMER, 0, 0);
            char state[64];  // "k": clipped to the client area
            snprintf(state, sizeof state, "K%d,%d%s%s%s", Tracking().drag.start.x, Tracking().drag.start.y,
                     GetCapture() == frame->handle ? "c" : "", ClipIs(kFrame) ? "k" : "",
                     Tracking().drag.dc ? "d" : "");
            // clang-format off
            switch (a[0]) {
                case 'M': PointAt(x, y); Send(WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); break;
                case 'P': Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); break;
                case 'R': Send(WM_LBUTTONUP, 0, MAKELPARAM(x, y)); break;
                case 'E': Send(WM_CHAR, VK_ESCAPE, 1); break;
                case 'C': ReleaseCapture(); break;
                case 'A': Send(WM_ACTIVATE, WA_INACTIVE, 0); break;
                case 'X': frame->Destroy(); break;
                case '|': Append(&log, "|"); break;
                case 'K': Append(&log, state); break;
            }
            // clang-format on
        }
    }
    void PointAt(int x, int y) {
        POINT p = {kFrame.left + x, kFrame.top + y}, now;
        SetCursorPos(p.x, p.y);
        // Polls read the position back: wait until the system reports it.
        for (int i = 0; i < 200 && GetCursorPos(&now) && (now.x != p.x || now.y != p.y); ++i)
            Sleep(5);
    }

    std::string log;
    std::unique_ptr<RecordingFrame> frame;
};

TEST_F(FrameworkTest, MessagesFiltersModalLoopClosingAndThePointer) {
    // Points are signed halves: a captured pointer left of or above the
    // window is negative. Filter bits 3: neither the step nor the default
    // processing; 1: the step, then the filter's result; 2: no step, the
    // default processing. A step that returns by itself (a refused close)
    // keeps its own result. WM_MOUSEACTIVATE carries a signed hit-test code
    // and a message. Each row: the log, the result, the title.
    const LPARAM after = reinterpret_cast<LPARAM>("after");
    // clang-format off
    const struct { int bits; UINT message; WPARAM wParam; LPARAM lParam; const char* expected; } rows[] = {
        {0, WM_MOVE, 0, MAKELPARAM(-12, 34), "Move(-12,34) =0 W"}, {0, WM_SHOWWINDOW, 2, 0, "Hide =0 W"}, {0, WM_SHOWWINDOW, 1, 0, "Show =0 W"},
        {0, WM_MOUSEACTIVATE, 0, MAKELPARAM(HTERROR, WM_LBUTTONDOWN), "Mouse(33,0,-2,513) =1 W"}, {3, WM_SETTEXT, 0, after, "=77 W"}, {3, WM_CLOSE, 0, 0, "=77 W"},
        {1, WM_MOVE, 0, MAKELPARAM(2, 3), "Move(2,3) =77 W"}, {1, WM_SETTEXT, 0, after, "=77 W"}, {1, WM_CLOSE, 0, 0, "CanClose(W,2) =0 W"},
        {2, WM_MOVE, 0, 0, "=0 W"}, {2, WM_SETTEXT, 0, after, "=1 after"}};
    // clang-format on
    frame->canClose = 0;
    frame->filterResult = 77;
    for (const auto& row : rows) {
        log.clear();
        frame->filterBits = row.bits;
        LRESULT result = Send(row.message, row.wParam, row.lParam);
        char text[32] = "";
        DefWindowProcA(frame->handle, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));  // past the filter
        Append(&log, "=" + std::to_string(result) + " " + text);
        EXPECT_EQ(log, row.expected) << &row - rows;
    }

    frame->filterBits = 0;
    RecordingFrame other("O", &log);
    other.CreateFrame(frame->handle, 0, 0, 50, 50, 0, nullptr, nullptr, nullptr, 0);
    HWND w = frame->handle;
    // Sentinels for a WM_CLOSE and a WM_APP; any other word is a WM_COMMAND's wParam.
    const WPARAM close = WPARAM(-1), agree = WPARAM(-2);
    // clang-format off
    const struct { std::vector<std::pair<HWND, WPARAM>> posts; int canClose, commandBits, result; const char* expected; } loops[] = {
        // Only the modal window may close while its loop runs: O is not even asked.
        {{{other.handle, close}, {w, close}}, 1, 0, 2, "CanClose(W,2) ModalCancel"},
        // Refused twice, then agreed to.
        {{{w, close}, {w, IDOK}, {w, agree}, {w, IDOK}}, 0, 0, 1, "CanClose(W,2) Command(0,1) CanClose(-,1) Command(0,1) CanClose(-,1) ModalOk"},
        // Only an id below 32 without a notification code ends the loop.
        {{{w, 32}, {w, MAKEWPARAM(IDOK, BN_DOUBLECLICKED)}, {w, IDOK}}, 1, 0, 1, "Command(0,32) Command(5,1) Command(0,1) CanClose(-,1) ModalOk"},
        // Bit 2 of the command's result skips the ending check.
        {{{w, IDCANCEL}, {w, close}}, 1, 2, 2, "Command(0,2) CanClose(W,2) ModalCancel"}};
    // clang-format on
    for (const auto& row : loops) {
        log.clear();
        frame->canClose = row.canClose;
        frame->commandBits = row.commandBits;
        for (const auto& [to, word] : row.posts)
            PostMessageA(to, word == close ? WM_CLOSE : word == agree ? WM_APP : WM_COMMAND, word, 0);
        EXPECT_EQ(frame->RunModal(1), row.result) << row.expected;
        EXPECT_EQ(log.substr(0, log.find(" Hide")), row.expected);  // hidden where it was shown
        EXPECT_TRUE(!IsWindowVisible(w) && modalDepth + frame->inModalLoop == 0 && IsWindow(other.handle));
    }

    // The quit message ends the loop and is consumed; the loop then no
    // longer counts, so a close request is no longer dropped. The result is
    // this loop's, not what the rows above left behind. Outside its loop an
    // OK is just a command, and EndModal changes nothing.
    PostQuitMessage(9);
    EXPECT_EQ(frame->RunModal(0), 0);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    log.clear();
    frame->EndModal(1);
    Send(WM_COMMAND, MAKEWPARAM(IDOK, 0));
    EXPECT_EQ(frame->modalResult, 0);
    // A close asks the window, then each framework child, and destroys them.
    // (The real program's Quit shows that the main window's end posts a quit.)
    Send(WM_CLOSE);
    EXPECT_EQ(log, "Command(0,1) CanClose(W,2) CanClose(O,2)");
    EXPECT_TRUE(frame->handle == nullptr && other.handle == nullptr);

    // The pointer, one script a row on a fresh frame.
    // clang-format off
    const struct { int dragMode; const char *script, *expected; } scripts[] = {
        // A still press starts the drag at the holdTicks-th poll, clipped and captured.
        {1, "M50,60 P50,60 T2 | T1 K | M70,90 R70,90", "| D0 D2 K50,60ckd | D1 D2 D1 D3"},
        // Four pixels start it at the next poll, from the press point; three do not.
        {1, "M50,60 P50,60 M53,57 T1 | M54,60 T1 K R54,60", "| D0 D2 K50,60ckd D1 D3"},
        // A release before the drag, or after a refusal, is a click.
        {0, "M50,60 P50,60 T2 R50,60 P20,30 T3 R21,30", "C50,60 D0 C21,30"},
        // Escape, a lost capture or deactivation cancels; the later release is no click.
        {1, "M50,60 P50,60 T3 | E | R50,60 P50,60 T3 C P50,60 T3 A", "D0 D2 | D1 D4 | D0 D2 D1 D4 D0 D2 D1 D4"},
        // A screen drag starts in screen points and drops onto framework windows too.
        {2, "M50,60 P50,60 T3 K M60,70 R60,70", "D0 D2 K90,100cd D1 D2 D1 D3 D5"},
        // A destroyed window leaves no drag behind, and later polls find nothing.
        {1, "M50,60 P50,60 T3 X T2", "D0 D2 D1 D4"}};
    // clang-format on
    for (const auto& row : scripts) {
        TearDown();
        MakeFrame();
        frame->holdTicks = 3;
        frame->dragMode = row.dragMode;
        Run(row.script);
        EXPECT_EQ(log, row.expected) << row.script;
        RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};  // unclipped
        EXPECT_TRUE(GetCapture() == nullptr && ClipIs(screen) && Tracking().drag.mode == 0 &&
                    Tracking().drag.dc == nullptr);
        EXPECT_TRUE(!strchr(row.script, 'X') || (Tracking().pollTimer == 0 && Tracking().hoveredWindow == nullptr))
            << row.script;
    }
}

}  // namespace

// Messages to a frame window, seen as the operations they call: dispatch and
// the filter's bits, the modal loop and the ways it ends, closing, and one walk
// of the pointer through real messages and polls that shows the tracking is
// wired to them (its decisions have their table in tracking_rules_test.cpp;
// leaving a window is the launcher walk's to check). RecordingFrame adds one
// word to the log for each operation and answers as a test sets it.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "framework/frame_window.h"
#include "framework/pointer_tracking.h"
#include "tests/support/pump.h"

namespace {

const char* const kDragSteps[] = {"begin", "hide", "show", "drop", "cancel", "framework"};
std::string log;

class RecordingFrame : public FrameWindow {
public:
    explicit RecordingFrame(const char* name) : name_(name) {}

    int filterBits = 0, commandBits = 0, canClose = 1;
    LRESULT filterResult = 77;

    void OnShow(Window*) override { Log("Show"); }
    void OnHide(Window*) override { Log("Hide"); }
    void OnMove(Window*, int x, int y) override { Log("Move(%d,%d)", x, y); }
    void OnMouseMessage(Window*, UINT message, WPARAM wParam, int x, int y) override {
        if (message == WM_MOUSEACTIVATE)  // the pointer's messages call it too
            Log("Mouse(%u,%lld,%d,%d)", message, 0LL + wParam, x, y);
    }
    // The requester is the window itself or, for a menu command, nobody.
    int CanClose(Window*, Window* r, int c) override { return Log("CanClose(%s,%d)", r ? name_ : "-", c), canClose; }
    // WM_APP, posted by a test, agrees to close from inside a running loop.
    int FilterMessage(Window*, UINT message, WPARAM, LPARAM, LRESULT* result) override {
        canClose |= message == WM_APP;
        return *result = filterResult, filterBits;
    }
    int OnCommand(Window*, Window*, int c, HWND, int id) override { return Log("Command(%d,%d)", c, id), commandBits; }
    void OnModalOk(Window*) override { Log("ModalOk"); }
    void OnModalCancel(Window*) override { Log("ModalCancel"); }
    // Every drag is accepted as one inside the window.
    int OnDrag(int code, DragInfo*) override { return Log("%s", kDragSteps[code]), drag_mode::kInWindow; }

private:
    template <typename... Args>
    void Log(const char* format, Args... args) {
        char word[128];
        snprintf(word, sizeof word, format, args...);
        log += (log.empty() ? "" : " ") + std::string(word);
    }
    const char* name_;
};

TEST(Framework, MessagesFiltersModalLoopClosingAndThePointer) {
    SetInstance(GetModuleHandleA(nullptr));  // as the program starts
    FormatPropertyName();
    RegisterFrameClass();
    RecordingFrame frame("W");
    frame.windowFlags |= window_flags::kNoQuitOnDestroy;
    frame.CreateFrame(nullptr, 40, 40, 200, 150, WS_POPUP | WS_VISIBLE, "W", nullptr, nullptr, WS_EX_TOPMOST);
    HWND w = frame.handle;
    auto send = [w](UINT message, WPARAM wParam, LPARAM lParam) { return SendMessageA(w, message, wParam, lParam); };

    // Points are signed halves: a captured pointer left of or above the
    // window is negative; WM_MOUSEACTIVATE carries a signed hit-test code and
    // a message, and its default processing returns 1. Filter bits 1: the
    // step, then the filter's result (77), unless the step returns by itself
    // (a refused close); 2: the default processing without the step; 3:
    // neither.
    const struct {
        const char *name, *log;
        int bits, message;
        LPARAM lParam, result;
    } rows[] = {
        {"negative point", "Move(-12,34)", 1, WM_MOVE, MAKELPARAM(-12, 34), 77},
        {"a refused close", "CanClose(W,2)", 1, WM_CLOSE, 0, 0},
        {"default only", "", 2, WM_MOUSEACTIVATE, 0, 1},
        {"neither", "", 3, WM_MOUSEACTIVATE, 0, 77},
        {"hit-test code", "Mouse(33,0,-2,513)", 0, WM_MOUSEACTIVATE, MAKELPARAM(HTERROR, WM_LBUTTONDOWN), 1},
    };
    frame.canClose = 0;
    for (const auto& row : rows) {
        log.clear();
        frame.filterBits = row.bits;
        EXPECT_EQ(send(row.message, 0, row.lParam), row.result) << row.name;
        EXPECT_EQ(log, row.log) << row.name;
    }

    RecordingFrame other("O");
    other.CreateFrame(w, 0, 0, 50, 50, 0, nullptr, nullptr, nullptr, 0);
    // Sentinels for a WM_CLOSE and a WM_APP; any other word is a WM_COMMAND's wParam.
    const WPARAM close = WPARAM(-1), agree = WPARAM(-2);
    const struct {
        std::vector<std::pair<HWND, WPARAM>> posts;
        int commandBits, result;
        const char* log;  // names the row
    } loops[] = {
        // Refused twice (the window still refuses), then agreed to; only an id
        // below 32 without a notification code ends the loop, which hides the
        // window.
        {{{w, close}, {w, IDOK}, {w, agree}, {w, 32}, {w, MAKEWPARAM(IDOK, BN_DOUBLECLICKED)}, {w, IDOK}},
         0,
         1,
         "CanClose(W,2) Command(0,1) CanClose(-,1) Command(0,32) Command(5,1) Command(0,1) CanClose(-,1) ModalOk Hide"},
        // Only the modal window may close while its loop runs: O is not even
        // asked. Bit 2 of the command's result skips the ending check.
        {{{other.handle, close}, {w, IDCANCEL}, {w, close}}, 2, 2, "Command(0,2) CanClose(W,2) ModalCancel"},
    };
    for (const auto& row : loops) {
        log.clear();
        frame.commandBits = row.commandBits;
        for (const auto& [to, word] : row.posts)
            PostMessageA(to, word == close ? WM_CLOSE : word == agree ? WM_APP : WM_COMMAND, word, 0);
        EXPECT_EQ(frame.RunModal(1), row.result) << row.log;
        EXPECT_EQ(log, row.log);
    }

    // The pointer, over the shown window: a still press drags at the
    // holdTicks-th poll, confined to the client area and captured; the drop,
    // Escape, a lost capture and deactivation (WA_INACTIVE is 0) each let go
    // of both.
    log.clear();
    frame.Show();
    SetCursorPos(90, 100);  // polls read it back: (50, 60) in the client area
    ASSERT_TRUE(testing_support::PumpUntil([] {
        POINT p;
        return GetCursorPos(&p) && p.x == 90 && p.y == 100;
    }));
    RECT clip, in = {40, 40, 240, 190}, all = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    for (UINT end : {WM_LBUTTONUP, WM_CHAR, WM_CAPTURECHANGED, WM_ACTIVATE}) {
        send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 60));
        for (int poll = 0; poll < frame.holdTicks; ++poll)
            PollTimerProc(nullptr, WM_TIMER, 0, 0);
        EXPECT_EQ(GetCapture(), w) << end;
        EXPECT_TRUE(GetClipCursor(&clip) && EqualRect(&clip, &in)) << end;  // without a frame, all of the window
        send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, 70));
        send(end, end == WM_CHAR ? VK_ESCAPE : 0, 0);
        send(WM_LBUTTONUP, 0, 0);
        EXPECT_EQ(GetCapture(), nullptr) << end;
        EXPECT_TRUE(GetClipCursor(&clip) && EqualRect(&clip, &all)) << end;
    }
    const std::string drag = " begin show hide show hide ";
    EXPECT_EQ(log, "Show" + drag + "drop" + drag + "cancel" + drag + "cancel" + drag + "cancel");

    // The quit message ends the loop and is consumed; the loop then no longer
    // counts, so a close request is no longer dropped. The result is this
    // loop's, not what the rows above left behind. Outside its loop an OK is
    // just a command, and EndModal changes nothing. A close asks the window,
    // then each framework child, and destroys them; the tracking lets go of
    // the window. (The real program's Quit shows that the main window's end
    // posts a quit.)
    log.clear();
    PostQuitMessage(9);
    EXPECT_EQ(frame.RunModal(0), 0);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    frame.EndModal(1);
    send(WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
    send(WM_CLOSE, 0, 0);
    EXPECT_EQ(log, "Hide Command(0,1) CanClose(W,2) CanClose(O,2)");
    EXPECT_EQ(frame.handle, nullptr);  // and O with it
    EXPECT_EQ(Tracking().hoveredWindow, nullptr);
}

}  // namespace

// The pointer over frame windows: hover, leave, press-and-hold, drag, drop
// and cancel, driven by a real pointer position, mouse messages and direct
// calls of the poll procedure (so that no poll comes unbidden, the tests do
// not pump messages while they drive).

#include <gtest/gtest.h>

#include <algorithm>

#include "framework/frame_window.h"
#include "framework/pointer_tracking.h"
#include "tests/framework/recording_window.h"
#include "tests/support/pump.h"

namespace {

using namespace framework_testing;

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

class TrackingTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetCursorPos(1000, 740);
        GetClipCursor(&unclipped_);
        frame_.windowFlags |= window_flags::kNoQuitOnDestroy;
        frame_.recordMouseMessages = false;
        frame_.CreateFrame(nullptr, 100, 100, 200, 300, WS_POPUP | WS_VISIBLE, "T", nullptr, nullptr, WS_EX_TOPMOST);
        other_ = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "", WS_POPUP | WS_VISIBLE, 400, 100, 100, 100, nullptr,
                                 nullptr, nullptr, nullptr);
        Settle();
        StopTracking();
        dragInfo.holdCountdown = kHoldIdle;
        dragInfo.clickState = 0;
        log_.clear();
    }
    void TearDown() override {
        EndDrag(true);
        StopTracking();
        frame_.Destroy();
        DestroyWindow(other_);
        mainWindow = nullptr;
    }

    // The real pointer over client point (x, y), and the move the window gets.
    void Move(int x, int y) {
        PointAt(x, y);
        SendMessageA(frame_.handle, WM_MOUSEMOVE, pressed_ ? MK_LBUTTON : 0, MAKELPARAM(x, y));
    }
    void PointAt(int x, int y) {
        POINT p = {x, y};
        ClientToScreen(frame_.handle, &p);
        SetCursorPos(p.x, p.y);
    }
    void Press(int x, int y) {
        pressed_ = true;
        SendMessageA(frame_.handle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    }
    void Release(int x, int y) {
        pressed_ = false;
        SendMessageA(frame_.handle, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    void Poll(int times = 1) {
        for (int i = 0; i < times; ++i)
            PollTimerProc(nullptr, WM_TIMER, 0, 0);
    }
    // The log without the hover reports, which every poll may add.
    CallLog DragCalls() const {
        CallLog calls;
        std::copy_if(log_.begin(), log_.end(), std::back_inserter(calls), [](const std::string& line) {
            return line.find("OnDrag") != std::string::npos || line.find("OnClick") != std::string::npos;
        });
        return calls;
    }
    RECT ClientOnScreen() const {
        RECT r;
        GetClientRect(frame_.handle, &r);
        POINT origin = {0, 0};
        ClientToScreen(frame_.handle, &origin);
        OffsetRect(&r, origin.x, origin.y);
        return r;
    }

    CallLog log_;
    RecordingFrame frame_{"T", &log_};
    HWND other_ = nullptr;
    RECT unclipped_{};
    bool pressed_ = false;
};

TEST_F(TrackingTest, AStillPressStartsTheDragAtTheHoldTicksPoll) {
    frame_.dragMode = 1;
    Move(50, 60);
    Press(50, 60);
    Poll(frame_.holdTicks - 1);
    EXPECT_TRUE(DragCalls().empty());
    Poll();
    EXPECT_EQ(CompareCalls({"T.OnDrag 0", "T.OnDrag 2"}, DragCalls()), "");
    EXPECT_EQ(frame_.lastDrag.mode, 1);
    EXPECT_EQ(frame_.lastDrag.start.x, 50);
    EXPECT_EQ(frame_.lastDrag.start.y, 60);
    EXPECT_NE(frame_.lastDrag.dc, nullptr);
    EXPECT_EQ(GetCapture(), frame_.handle);
    // Under Xvfb the pointer may not really be confined; the clip rectangle
    // the system keeps is what can be checked.
    RECT clip;
    GetClipCursor(&clip);
    EXPECT_TRUE(SameRect(clip, ClientOnScreen()));

    log_.clear();
    Move(70, 90);
    Release(70, 90);
    EXPECT_EQ(CompareCalls({"T.OnDrag 1", "T.OnDrag 2", "T.OnDrag 1", "T.OnDrag 3"}, DragCalls()), "");
    EXPECT_EQ(frame_.lastDrag.current.x, 70);
    EXPECT_EQ(GetCapture(), nullptr);
    GetClipCursor(&clip);
    EXPECT_TRUE(SameRect(clip, unclipped_));
    EXPECT_EQ(dragInfo.source, nullptr);
    EXPECT_EQ(dragInfo.dc, nullptr);
}

TEST_F(TrackingTest, FourPixelsStartTheDragAtTheNextPollThreeDoNot) {
    frame_.dragMode = 1;
    Move(50, 60);
    Press(50, 60);
    Move(53, 60);
    Move(50, 57);
    Poll();
    EXPECT_TRUE(DragCalls().empty());
    Move(50, 64);
    EXPECT_TRUE(DragCalls().empty());
    Poll();
    EXPECT_EQ(CompareCalls({"T.OnDrag 0", "T.OnDrag 2"}, DragCalls()), "");
    EXPECT_EQ(frame_.lastDrag.start.y, 60);  // from the press point
}

TEST_F(TrackingTest, ReleaseBeforeTheDragOrAfterARefusalIsAClick) {
    Move(50, 60);
    Press(50, 60);
    Poll(3);
    Release(50, 60);
    frame_.dragMode = 0;  // refuses
    Press(20, 30);
    Poll(frame_.holdTicks);
    Release(21, 30);
    EXPECT_EQ(CompareCalls({"T.OnClick 50 60", "T.OnDrag 0", "T.OnClick 21 30"}, DragCalls()), "");
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(TrackingTest, EscapeCancelsAndTheLaterReleaseIsNoClick) {
    frame_.dragMode = 1;
    Move(50, 60);
    Press(50, 60);
    Poll(frame_.holdTicks);
    log_.clear();
    SendMessageA(frame_.handle, WM_CHAR, VK_ESCAPE, 1);
    EXPECT_EQ(CompareCalls({"T.OnDrag 1", "T.OnDrag 4"}, DragCalls()), "");
    EXPECT_EQ(GetCapture(), nullptr);
    RECT clip;
    GetClipCursor(&clip);
    EXPECT_TRUE(SameRect(clip, unclipped_));
    Release(50, 60);
    EXPECT_EQ(CompareCalls({"T.OnDrag 1", "T.OnDrag 4"}, DragCalls()), "");
    EXPECT_EQ(dragInfo.clickState, 0);
}

TEST_F(TrackingTest, LosingTheCaptureOrTheActivationCancels) {
    frame_.dragMode = 1;
    Move(50, 60);
    Press(50, 60);
    Poll(frame_.holdTicks);
    ReleaseCapture();  // WM_CAPTURECHANGED
    EXPECT_EQ(dragInfo.mode, 0);
    Press(50, 60);
    Poll(frame_.holdTicks);
    SendMessageA(frame_.handle, WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_EQ(dragInfo.mode, 0);
    EXPECT_EQ(CompareCalls({"T.OnDrag 0", "T.OnDrag 2", "T.OnDrag 1", "T.OnDrag 4", "T.OnDrag 0", "T.OnDrag 2",
                            "T.OnDrag 1", "T.OnDrag 4"},
                           DragCalls()),
              "");
}

TEST_F(TrackingTest, HoverFiresOnceAfterTheRestAndEndsAtTheNextRealMove) {
    Move(50, 60);
    EXPECT_EQ(CompareCalls({"T.OnMouseEnter -", "T.OnMouseMove 50 60 0"}, log_), "");
    log_.clear();
    Poll(frame_.hoverTicks - 1);
    EXPECT_TRUE(log_.empty());
    Poll();
    EXPECT_EQ(CompareCalls({"T.OnHover 50 60 0"}, log_), "");
    Poll(5);
    Move(54, 56);  // four pixels: no real move
    Poll(frame_.hoverTicks);
    Move(60, 60);
    EXPECT_EQ(
        CompareCalls({"T.OnHover 50 60 0", "T.OnMouseMove 54 56 0", "T.OnHover 0 0 1", "T.OnMouseMove 60 60 0"}, log_),
        "");
}

TEST_F(TrackingTest, LeavingForAnotherWindowReportsItAndStopsTheTimer) {
    Move(50, 60);
    ASSERT_NE(pollTimer, 0u);
    log_.clear();
    SetCursorPos(450, 150);
    Poll();
    EXPECT_EQ(CompareCalls({"T.OnMouseLeave hwnd"}, log_), "");
    EXPECT_EQ(pollTimer, 0u);
    EXPECT_EQ(hoveredWindow, nullptr);
}

TEST_F(TrackingTest, TheRealTimerPollsWhileThePointerStaysOver) {
    frame_.hoverTicks = 2;
    Move(50, 60);
    EXPECT_NE(pollTimer, 0u);
    EXPECT_TRUE(testing_support::PumpUntil([&] { return !log_.empty() && log_.back() == "T.OnHover 50 60 0"; }));
    SetCursorPos(450, 150);
    EXPECT_TRUE(testing_support::PumpUntil([] { return pollTimer == 0; }));
}

TEST_F(TrackingTest, AutoscrollAtTheTopEdgeKeepsTheStartOnItsContent) {
    frame_.SetContentSize(0, 1000, 1);
    frame_.scrollY = 100;
    frame_.dragMode = 1;
    Move(50, 150);
    Press(50, 150);
    Move(50, 155);
    Poll();
    ASSERT_EQ(dragInfo.mode, 1);
    const int contentY = dragInfo.start.y + frame_.scrollY;
    log_.clear();
    PointAt(50, 1);
    Poll();
    EXPECT_EQ(frame_.scrollY, 92);
    EXPECT_EQ(dragInfo.start.y + frame_.scrollY, contentY);
    Poll(20);
    EXPECT_EQ(frame_.scrollY, 0);
    EXPECT_EQ(dragInfo.start.y + frame_.scrollY, contentY);
    PointAt(50, 100);
    Poll();
    EXPECT_EQ(frame_.scrollY, 0);
    CallLog calls = DragCalls();
    calls.resize(2);
    EXPECT_EQ(CompareCalls({"T.OnDrag 1", "T.OnDrag 2"}, calls), "");  // the feedback hid and came back
}

TEST_F(TrackingTest, ScreenDragsDropOntoFrameworkWindows) {
    frame_.dragMode = 2;
    Move(50, 60);
    Press(50, 60);
    Poll(frame_.holdTicks);
    POINT screen = {50, 60};
    ClientToScreen(frame_.handle, &screen);
    EXPECT_EQ(frame_.lastDrag.start.x, screen.x);
    EXPECT_EQ(frame_.lastDrag.start.y, screen.y);
    Move(60, 70);
    Release(60, 70);
    EXPECT_EQ(
        CompareCalls({"T.OnDrag 0", "T.OnDrag 2", "T.OnDrag 1", "T.OnDrag 2", "T.OnDrag 1", "T.OnDrag 3", "T.OnDrag 5"},
                     DragCalls()),
        "");
}

TEST_F(TrackingTest, ADestroyedWindowLeavesNoDragOrHoverBehind) {
    frame_.dragMode = 1;
    Move(50, 60);
    Press(50, 60);
    Poll(frame_.holdTicks);
    ASSERT_EQ(dragInfo.mode, 1);
    frame_.Destroy();
    EXPECT_EQ(dragInfo.mode, 0);
    EXPECT_EQ(dragInfo.source, nullptr);
    EXPECT_EQ(hoveredWindow, nullptr);
    EXPECT_EQ(pollTimer, 0u);
    EXPECT_EQ(GetCapture(), nullptr);
    Poll(2);  // nothing left to call into
}

}  // namespace

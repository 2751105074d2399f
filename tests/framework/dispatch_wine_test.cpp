// Messages to a framework window, seen as the operations they call.

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "framework/window.h"
#include "tests/framework/recording_window.h"
#include "tests/support/pump.h"

namespace {

using namespace framework_testing;

class DispatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The pointer away from every test window: moves the system reports
        // for windows appearing under it would add calls to the log.
        SetCursorPos(1000, 740);
        mainWindow = nullptr;
        frame_ = std::make_unique<RecordingFrame>("W", &log_);
        frame_->CreateFrame(nullptr, 40, 40, 200, 150, WS_POPUP | WS_VISIBLE, "W", nullptr, nullptr, 0);
        ASSERT_NE(frame_->handle, nullptr);
        Settle();
        StopTracking();
        log_.clear();
    }
    void TearDown() override {
        StopTracking();
        frame_->windowFlags |= window_flags::kNoQuitOnDestroy;
        frame_->Destroy();
        MSG msg;
        while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        mainWindow = nullptr;
    }
    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) {
        return SendMessageA(frame_->handle, message, wParam, lParam);
    }
    // The window's text, read past the filter (WM_GETTEXT goes through it too).
    std::string Text() {
        int bits = frame_->filterBits;
        frame_->filterBits = 0;
        char text[32] = "";
        GetWindowTextA(frame_->handle, text, sizeof text);
        frame_->filterBits = bits;
        return text;
    }

    CallLog log_;
    std::unique_ptr<RecordingFrame> frame_;
};

struct Row {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    CallLog expected;
};

TEST_F(DispatchTest, EachMessageCallsItsOperations) {
    const Row rows[] = {
        {WM_MOVE, 0, MAKELPARAM(12, 34), {"W.OnMove 12 34"}},
        {WM_SIZE, 0, MAKELPARAM(120, 80), {"W.OnSize 120 80"}},
        {WM_SHOWWINDOW, 0, 0, {"W.OnHide"}},
        {WM_SHOWWINDOW, 2, 0, {"W.OnHide"}},  // only 1 means shown
        {WM_SHOWWINDOW, 1, 0, {"W.OnShow"}},
        {WM_MOUSEACTIVATE, 0, MAKELPARAM(1, WM_LBUTTONDOWN), {"W.OnMouseMessage 33 0 1 513"}},
        {WM_KEYDOWN, 'A', 3, {"W.OnKeyDown 65", "W.OnKeyDown 65", "W.OnKeyDown 65"}},
        {WM_KEYDOWN, 'A', 0x00010000, {}},  // a repeat count of 0 calls nothing
        {WM_CHAR, 'x', 1, {"W.OnChar 120"}},
        {WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 6), {"W.OnMouseMessage 515 1 5 6", "W.OnDoubleClick 5 6"}},
        {WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(7, 8), {"W.OnMouseMessage 516 2 7 8"}},
        {WM_RBUTTONUP, 0, MAKELPARAM(7, 8), {"W.OnRightButtonUp 7 8"}},
        {WM_RBUTTONDBLCLK, 0, MAKELPARAM(1, 2), {"W.OnMouseMessage 518 0 1 2"}},
        {WM_MBUTTONDOWN, 0, MAKELPARAM(1, 2), {"W.OnMouseMessage 519 0 1 2"}},
        {WM_MBUTTONUP, 0, MAKELPARAM(1, 2), {"W.OnMouseMessage 520 0 1 2"}},
        {WM_MBUTTONDBLCLK, 0, MAKELPARAM(1, 2), {"W.OnMouseMessage 521 0 1 2"}},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, 120), MAKELPARAM(300, 400), {"W.OnMouseMessage 522 7864320 300 400"}},
        {WM_CAPTURECHANGED, 0, 0x1234, {"W.OnMouseMessage 533 4660 0 0"}},
        {WM_USER + 5, 0, 0, {}},
    };
    for (const Row& row : rows) {
        log_.clear();
        Send(row.message, row.wParam, row.lParam);
        EXPECT_EQ(CompareCalls(row.expected, log_), "") << "message 0x" << std::hex << row.message;
    }
}

TEST_F(DispatchTest, PointerMessagesCarrySignedCoordinates) {
    // A captured pointer above and left of the window has negative client coordinates.
    Send(WM_RBUTTONUP, 0, MAKELPARAM(-5, -3));
    Send(WM_MOUSEMOVE, 0, MAKELPARAM(-20, 10));
    EXPECT_EQ(CompareCalls({"W.OnRightButtonUp -5 -3", "W.OnMouseMessage 512 0 -20 10", "W.OnMouseEnter -",
                            "W.OnMouseMove -20 10 0"},
                           log_),
              "");
}

TEST_F(DispatchTest, FilterBitsSkipTheStepAndReturnTheResult) {
    SetWindowTextA(frame_->handle, "before");
    frame_->filterBits = 3;
    frame_->filterResult = 77;
    EXPECT_EQ(Send(WM_MOVE, 0, MAKELPARAM(1, 1)), 77);
    EXPECT_EQ(Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("after")), 77);
    EXPECT_EQ(Send(WM_CLOSE, 0, 0), 77);
    EXPECT_TRUE(log_.empty());
    EXPECT_EQ(Text(), "before");  // the default processing never ran
    EXPECT_TRUE(IsWindow(frame_->handle));

    // 1: the step runs, then the result comes back instead of the default.
    frame_->filterBits = 1;
    EXPECT_EQ(Send(WM_MOVE, 0, MAKELPARAM(2, 3)), 77);
    EXPECT_EQ(Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("after")), 77);
    EXPECT_EQ(Text(), "before");
    EXPECT_EQ(CompareCalls({"W.OnMove 2 3"}, log_), "");
    // Steps that return by themselves keep their own result.
    frame_->canClose = 0;
    EXPECT_EQ(Send(WM_CLOSE, 0, 0), 0);

    // 2 alone: no step, default processing.
    log_.clear();
    frame_->filterBits = 2;
    EXPECT_EQ(Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("after")), TRUE);
    EXPECT_EQ(Text(), "after");
    Send(WM_MOVE, 0, 0);
    EXPECT_TRUE(log_.empty());
}

TEST_F(DispatchTest, CreateAppliesDefaultStylesAndShowsAfterOnCreate) {
    EXPECT_FALSE(frame_->visibleDuringCreate);
    EXPECT_TRUE(IsWindowVisible(frame_->handle));
    EXPECT_EQ(frame_->windowFlags & 0x00FF,
              window_flags::kCreated | window_flags::kFrame | window_flags::kModalCapable);

    const struct {
        bool parent;
        const char* title;
        DWORD style;
        const char* text;
    } cases[] = {
        {false, nullptr, kUntitledPopupStyle, ""},
        {false, "Titled", kTitledPopupStyle, "Titled"},
        {true, nullptr, kChildStyle, ""},
    };
    for (const auto& c : cases) {
        CallLog log;
        RecordingFrame window("N", &log);
        window.CreateFrame(c.parent ? frame_->handle : nullptr, 0, 0, 50, 50, 0, c.title, nullptr, nullptr, 0);
        EXPECT_FALSE(window.visibleDuringCreate);
        EXPECT_TRUE(IsWindowVisible(window.handle) || c.parent);
        DWORD style = static_cast<DWORD>(GetWindowLongA(window.handle, GWL_STYLE));
        EXPECT_EQ(style & 0xFFFF0000u, c.style) << std::hex << style;
        char text[32] = "x";
        GetWindowTextA(window.handle, text, sizeof text);
        EXPECT_STREQ(text, c.text);
        window.windowFlags |= window_flags::kNoQuitOnDestroy;
        window.Destroy();
        EXPECT_EQ(window.handle, nullptr);
    }
}

class PaintingFrame : public RecordingFrame {
public:
    using RecordingFrame::RecordingFrame;
    void OnPaint(Window*, PaintContext*, RECT*) override {}
};

TEST_F(DispatchTest, HandlerFlagsTellWhetherPaintingIsOverridden) {
    EXPECT_EQ(frame_->windowFlags & (window_flags::kOverridesPaint | window_flags::kOverridesPaintOverDefault), 0u);
    CallLog log;
    PaintingFrame painter("P", &log);
    RecordingFrame plain("Q", &log);
    plain.CreateFrame(frame_->handle, 0, 0, 10, 10, 0, nullptr, &painter, nullptr, 0);
    EXPECT_EQ(painter.windowFlags & window_flags::kOverridesPaint, window_flags::kOverridesPaint);
    EXPECT_EQ(plain.windowFlags & window_flags::kOverridesPaint, 0u);  // set on the handler only
    // The handler was called with the window.
    EXPECT_EQ(CompareCalls({"Q.OnCreate", "?Q.OnShow", "?Q.OnEraseBackground"}, log), "");
    plain.Destroy();
}

TEST_F(DispatchTest, MainWindowAndFromHandle) {
    EXPECT_EQ(mainWindow, frame_->handle);  // the first parentless window
    EXPECT_EQ(FromHandle(frame_->handle), frame_.get());
    EXPECT_EQ(FromHandle(nullptr), nullptr);
    HWND plain = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(FromHandle(plain), nullptr);
    DestroyWindow(plain);

    char expected[16];
    snprintf(expected, sizeof expected, "ZUV%08lx", GetCurrentProcessId());
    EXPECT_STREQ(propertyName, expected);
    EXPECT_EQ(SetMainWindow(nullptr), frame_->handle);
    EXPECT_EQ(SetMainWindow(frame_->handle), nullptr);
}

TEST_F(DispatchTest, DestroyingTheMainWindowPostsQuitUnlessAsked) {
    MSG msg;
    frame_->Destroy();
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 0u);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));  // once only
    EXPECT_EQ(mainWindow, nullptr);
    EXPECT_EQ(CompareCalls({"?W.OnKillFocus", "?W.OnHide", "?W.OnMouseMessage 533 0 0 0", "W.OnDestroy"}, log_), "");

    CallLog log;
    RecordingFrame quiet("Q", &log);
    quiet.windowFlags |= window_flags::kNoQuitOnDestroy;
    quiet.CreateFrame(nullptr, 0, 0, 10, 10, WS_POPUP, nullptr, nullptr, nullptr, 0);
    EXPECT_EQ(mainWindow, quiet.handle);
    quiet.Destroy();
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(mainWindow, nullptr);
}

TEST_F(DispatchTest, CloseAsksTheWindowAndItsFrameworkDescendants) {
    CallLog log;
    RecordingFrame child("C", &log);
    child.CreateFrame(frame_->handle, 0, 0, 50, 50, 0, nullptr, nullptr, nullptr, 0);
    RecordingFrame grandchild("G", &log);
    grandchild.CreateFrame(child.handle, 0, 0, 20, 20, 0, nullptr, nullptr, nullptr, 0);
    CreateWindowA("BUTTON", "plain", WS_CHILD, 0, 0, 10, 10, child.handle, nullptr, nullptr, nullptr);
    Settle();
    log.clear();
    log_.clear();

    frame_->canClose = 0;
    EXPECT_EQ(Send(WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(CompareCalls({"W.CanClose W 2"}, log_), "");
    EXPECT_TRUE(log.empty());

    frame_->canClose = 1;
    grandchild.canClose = 0;
    Send(WM_CLOSE, 0, 0);
    EXPECT_EQ(CompareCalls({"C.CanClose C 2", "G.CanClose G 2"}, log), "");
    EXPECT_TRUE(IsWindow(frame_->handle));

    log.clear();
    grandchild.canClose = 1;
    frame_->windowFlags |= window_flags::kNoQuitOnDestroy;
    Send(WM_CLOSE, 0, 0);
    EXPECT_EQ(frame_->handle, nullptr);
    EXPECT_EQ(child.handle, nullptr);
}

TEST_F(DispatchTest, FocusLossIsReportedOnceWhereverTheFocusGoes) {
    CallLog& log = log_;
    RecordingFrame a("A", &log), b("B", &log);
    a.CreateFrame(frame_->handle, 0, 0, 50, 50, 0, nullptr, nullptr, nullptr, 0);
    b.CreateFrame(frame_->handle, 60, 0, 50, 50, 0, nullptr, nullptr, nullptr, 0);
    HWND edit =
        CreateWindowA("EDIT", "", WS_CHILD | WS_VISIBLE, 120, 0, 50, 20, frame_->handle, nullptr, nullptr, nullptr);
    SetForegroundWindow(frame_->handle);
    SetFocus(a.handle);
    log.clear();
    SetFocus(b.handle);
    SetFocus(edit);
    SetFocus(a.handle);
    // The edit control tells its parent of its own focus changes (EN_SETFOCUS, EN_KILLFOCUS).
    EXPECT_EQ(CompareCalls({"A.OnKillFocus", "B.OnSetFocus", "B.OnKillFocus", "?W.OnCommand - 256 0",
                            "?W.OnCommand - 512 0", "A.OnSetFocus"},
                           log),
              "");
    a.Destroy();
    b.Destroy();
}

TEST_F(DispatchTest, CommandsNotificationsAndOwnerDrawGoToTheirReceivers) {
    RecordingFrame control("X", &log_);
    control.CreateFrame(frame_->handle, 0, 0, 20, 20, 0, nullptr, nullptr, reinterpret_cast<HMENU>(7), 0);
    HWND button = CreateWindowA("BUTTON", "", WS_CHILD, 0, 0, 10, 10, frame_->handle, nullptr, nullptr, nullptr);
    log_.clear();

    frame_->commandBits = 1;
    frame_->filterResult = 5;  // what FilterMessage leaves in the result comes back
    EXPECT_EQ(Send(WM_COMMAND, MAKEWPARAM(40, 3), reinterpret_cast<LPARAM>(control.handle)), 5);
    Send(WM_COMMAND, MAKEWPARAM(41, 0), reinterpret_cast<LPARAM>(button));
    Send(WM_COMMAND, MAKEWPARAM(42, 0), 0);  // a menu
    control.windowFlags |= window_flags::kOwnCommand;
    Send(WM_COMMAND, MAKEWPARAM(43, 0), reinterpret_cast<LPARAM>(control.handle));

    NMHDR header{control.handle, 7, 99};
    EXPECT_EQ(Send(WM_NOTIFY, 7, reinterpret_cast<LPARAM>(&header)), 0);  // bits 0: the default processing answers
    control.windowFlags |= window_flags::kOwnNotify;
    control.notifyBits = 1;
    EXPECT_EQ(Send(WM_NOTIFY, 7, reinterpret_cast<LPARAM>(&header)), 42);

    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_BUTTON;
    draw.hwndItem = control.handle;
    EXPECT_EQ(Send(WM_DRAWITEM, 7, reinterpret_cast<LPARAM>(&draw)), 1);
    control.windowFlags |= window_flags::kOwnOwnerDraw;
    EXPECT_EQ(Send(WM_DRAWITEM, 7, reinterpret_cast<LPARAM>(&draw)), 1);
    draw.CtlType = ODT_MENU;
    EXPECT_EQ(Send(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)), 1);
    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_LISTBOX;
    measure.CtlID = 7;
    EXPECT_EQ(Send(WM_MEASUREITEM, 7, reinterpret_cast<LPARAM>(&measure)), 1);
    measure.CtlType = ODT_MENU;
    frame_->commandBits = 0;
    Send(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));

    EXPECT_EQ(CompareCalls({"W.OnCommand X 3 40", "W.OnCommand - 0 41", "W.OnCommand - 0 42", "X.OnCommand X 0 43",
                            "W.OnNotify X 99", "X.OnNotify X 99", "W.OnDrawItem X", "X.OnDrawItem X", "W.OnDrawItem -",
                            "X.OnMeasureItem X", "W.OnMeasureItem -"},
                           log_),
              "");
    control.Destroy();
}

}  // namespace

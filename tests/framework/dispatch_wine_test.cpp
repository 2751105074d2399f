// Messages to a framework window, seen as the operations they call.

#include <gtest/gtest.h>

#include <cstdio>

#include "framework/window.h"
#include "tests/framework/recording_window.h"

namespace {

using namespace framework_testing;
using DispatchTest = FrameworkTest;

TEST_F(DispatchTest, EachMessageCallsItsOperations) {
    // clang-format off
    const struct { UINT message; WPARAM wParam; LPARAM lParam; CallLog expected; } rows[] = {
        {WM_MOVE, 0, MAKELPARAM(12, 34), {"W.OnMove 12 34"}}, {WM_SIZE, 0, MAKELPARAM(120, 80), {"W.OnSize 120 80"}},
        {WM_SHOWWINDOW, 0, 0, {"W.OnHide"}}, {WM_SHOWWINDOW, 2, 0, {"W.OnHide"}}, {WM_SHOWWINDOW, 1, 0, {"W.OnShow"}},
        {WM_MOUSEACTIVATE, 0, MAKELPARAM(HTERROR, WM_LBUTTONDOWN), {"W.OnMouseMessage 33 0 -2 513"}},  // hit test, message
        {WM_KEYDOWN, 'A', 3, {"W.OnKeyDown 65", "W.OnKeyDown 65", "W.OnKeyDown 65"}}, {WM_KEYDOWN, 'A', 0x10000, {}},
        {WM_CHAR, 'x', 1, {"W.OnChar 120"}},
        {WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 6), {"W.OnMouseMessage 515 1 5 6", "W.OnDoubleClick 5 6"}},
        {WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(7, 8), {"W.OnMouseMessage 516 2 7 8"}},
        {WM_RBUTTONUP, 0, MAKELPARAM(-5, -3), {"W.OnRightButtonUp -5 -3"}},  // captured, left of the window
        {WM_RBUTTONDBLCLK, 0, MAKELPARAM(-1, 2), {"W.OnMouseMessage 518 0 -1 2"}},
        {WM_MBUTTONDOWN, 0, MAKELPARAM(1, -2), {"W.OnMouseMessage 519 0 1 -2"}},
        {WM_MBUTTONUP, 0, MAKELPARAM(-3, 2), {"W.OnMouseMessage 520 0 -3 2"}},
        {WM_MBUTTONDBLCLK, 0, MAKELPARAM(1, -4), {"W.OnMouseMessage 521 0 1 -4"}},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, 120), MAKELPARAM(-300, 400), {"W.OnMouseMessage 522 7864320 -300 400"}},  // screen left of the primary
        {WM_CAPTURECHANGED, 0, 0x1234, {"W.OnMouseMessage 533 4660 0 0"}}, {WM_USER + 5, 0, 0, {}},
        {WM_MOUSEMOVE, 0, MAKELPARAM(-20, 10), {"W.OnMouseMessage 512 0 -20 10", "W.OnMouseEnter -", "W.OnMouseMove -20 10 0"}}};
    // clang-format on
    for (const auto& row : rows) {
        log.clear();
        Send(row.message, row.wParam, row.lParam);
        EXPECT_EQ(CompareCalls(row.expected, log), "") << "message 0x" << std::hex << row.message;
    }
}

TEST_F(DispatchTest, FilterBitsSkipTheStepOrReturnTheResult) {
    auto text = [this] {  // read past the filter, which WM_GETTEXT meets too
        int bits = frame->filterBits;
        frame->filterBits = 0;
        char buffer[32] = "";
        GetWindowTextA(frame->handle, buffer, sizeof buffer);
        frame->filterBits = bits;
        return std::string(buffer);
    };
    SetWindowTextA(frame->handle, "before");
    frame->filterResult = 77;
    const LPARAM after = reinterpret_cast<LPARAM>("after");
    // 3: neither the step nor the default processing; 1: the step, then the
    // filter's result; 2: no step, the default processing. A step that
    // returns by itself (a refused close) keeps its own result.
    // clang-format off
    const struct { int bits, canClose; UINT message; LPARAM lParam; LRESULT result; const char* text; } rows[] = {
        {3, 1, WM_MOVE, MAKELPARAM(1, 1), 77, "before"}, {3, 1, WM_SETTEXT, after, 77, "before"}, {3, 1, WM_CLOSE, 0, 77, "before"},
        {1, 1, WM_MOVE, MAKELPARAM(2, 3), 77, "before"}, {1, 1, WM_SETTEXT, after, 77, "before"}, {1, 0, WM_CLOSE, 0, 0, "before"},
        {2, 1, WM_MOVE, 0, 0, "before"}, {2, 1, WM_SETTEXT, after, TRUE, "after"}};
    // clang-format on
    for (const auto& row : rows) {
        frame->filterBits = row.bits;
        frame->canClose = row.canClose;
        EXPECT_EQ(Send(row.message, 0, row.lParam), row.result) << &row - rows;
        EXPECT_EQ(text(), row.text) << &row - rows;
        EXPECT_TRUE(IsWindow(frame->handle));
    }
    EXPECT_EQ(CompareCalls({"W.OnMove 2 3", "W.CanClose W 2"}, log), "");
}

class PaintingFrame : public RecordingFrame {
public:
    using RecordingFrame::RecordingFrame;
    void OnPaint(Window*, PaintContext*, RECT*) override {}
};

TEST_F(DispatchTest, CreationStylesFlagsAndTheMainWindow) {
    EXPECT_FALSE(frame->visibleDuringCreate);  // shown after OnCreate
    EXPECT_EQ(frame->windowFlags & 0x00FF, window_flags::kCreated | window_flags::kFrame | window_flags::kModalCapable);
    EXPECT_EQ(mainWindow, frame->handle);  // the first parentless window
    EXPECT_EQ(FromHandle(frame->handle), frame.get());
    char expected[16];
    snprintf(expected, sizeof expected, "ZUV%08lx", GetCurrentProcessId());
    EXPECT_STREQ(propertyName, expected);
    const struct {
        bool parent;
        const char* title;
        DWORD style;
    } rows[] = {
        {false, nullptr, kUntitledPopupStyle}, {false, "Titled", kTitledPopupStyle}, {true, nullptr, kChildStyle}};
    for (const auto& row : rows) {
        RecordingFrame window("N", &log);
        window.CreateFrame(row.parent ? frame->handle : nullptr, 0, 0, 50, 50, 0, row.title, nullptr, nullptr, 0);
        EXPECT_FALSE(window.visibleDuringCreate);
        EXPECT_TRUE(IsWindowVisible(window.handle) || row.parent);
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window.handle, GWL_STYLE)) & 0xFFFF0000u, row.style);
        window.windowFlags |= window_flags::kNoQuitOnDestroy;
        window.Destroy();
        EXPECT_EQ(window.handle, nullptr);
    }
    // A handler that paints is flagged as such; the window it serves is not.
    PaintingFrame painter("P", &log);
    RecordingFrame plain("Q", &log);
    plain.CreateFrame(frame->handle, 0, 0, 10, 10, 0, nullptr, &painter, nullptr, 0);
    EXPECT_EQ(painter.windowFlags & window_flags::kOverridesPaint, window_flags::kOverridesPaint);
    EXPECT_EQ(plain.windowFlags & window_flags::kOverridesPaint, 0u);
    plain.Destroy();

    // Destroying the main window posts one quit, unless the window asks not to.
    log.clear();
    frame->windowFlags &= ~window_flags::kNoQuitOnDestroy;
    frame->Destroy();
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(mainWindow, nullptr);
    EXPECT_EQ(CompareCalls({"?W.OnKillFocus", "?W.OnHide", "?W.OnMouseMessage 533 0 0 0", "W.OnDestroy"}, log), "");
    MakeFrame(WS_POPUP, 0);
    frame->Destroy();
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(DispatchTest, CloseAsksTheWindowAndItsFrameworkDescendants) {
    CallLog children;
    RecordingFrame child("C", &children), grandchild("G", &children);
    child.CreateFrame(frame->handle, 0, 0, 50, 50, 0, nullptr, nullptr, nullptr, 0);
    grandchild.CreateFrame(child.handle, 0, 0, 20, 20, 0, nullptr, nullptr, nullptr, 0);
    CreateWindowA("BUTTON", "plain", WS_CHILD, 0, 0, 10, 10, child.handle, nullptr, nullptr, nullptr);
    Settle();
    children.clear();
    frame->canClose = 0;
    EXPECT_EQ(Send(WM_CLOSE), 0);
    EXPECT_EQ(CompareCalls({"W.CanClose W 2"}, log), "");
    EXPECT_TRUE(children.empty());
    frame->canClose = 1;
    grandchild.canClose = 0;
    Send(WM_CLOSE);
    EXPECT_EQ(CompareCalls({"C.CanClose C 2", "G.CanClose G 2"}, children), "");
    EXPECT_TRUE(IsWindow(frame->handle));
    grandchild.canClose = 1;
    Send(WM_CLOSE);
    EXPECT_EQ(frame->handle, nullptr);
    EXPECT_EQ(child.handle, nullptr);
}

TEST_F(DispatchTest, FocusCommandsNotificationsAndOwnerDrawGoToTheirReceivers) {
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
    EXPECT_EQ(CompareCalls({"A.OnKillFocus", "X.OnSetFocus", "X.OnKillFocus", "?W.OnCommand - 256 0",
                            "?W.OnCommand - 512 0", "A.OnSetFocus"},
                           log),
              "");
    log.clear();
    frame->commandBits = 1;
    frame->filterResult = 5;  // what FilterMessage leaves in the result comes back
    EXPECT_EQ(Send(WM_COMMAND, MAKEWPARAM(40, 3), reinterpret_cast<LPARAM>(control.handle)), 5);
    Send(WM_COMMAND, MAKEWPARAM(41, 0), reinterpret_cast<LPARAM>(edit));
    Send(WM_COMMAND, MAKEWPARAM(42, 0), 0);  // a menu
    control.windowFlags |= window_flags::kOwnCommand;
    Send(WM_COMMAND, MAKEWPARAM(43, 0), reinterpret_cast<LPARAM>(control.handle));
    NMHDR header{control.handle, 7, 99};
    EXPECT_EQ(Send(WM_NOTIFY, 7, reinterpret_cast<LPARAM>(&header)), 0);  // bits 0: the default answers
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
    Send(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
    EXPECT_EQ(CompareCalls({"W.OnCommand X 3 40", "W.OnCommand - 0 41", "W.OnCommand - 0 42", "X.OnCommand X 0 43",
                            "W.OnNotify X 99", "X.OnNotify X 99", "W.OnDrawItem X", "X.OnDrawItem X", "W.OnDrawItem -",
                            "X.OnMeasureItem X", "W.OnMeasureItem -"},
                           log),
              "");
    a.Destroy();
    control.Destroy();
}

}  // namespace

// Messages to a framework window, seen as the operations they call.

#include <gtest/gtest.h>

#include "framework/window.h"
#include "tests/framework/recording_window.h"

namespace {

using namespace framework_testing;
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

TEST_F(DispatchTest, CreationStylesAndTheMainWindow) {
    EXPECT_FALSE(frame->visibleDuringCreate);  // shown after OnCreate
    EXPECT_EQ(mainWindow, frame->handle);      // the first parentless window
    // clang-format off
    const struct { bool parent; const char* title; DWORD style; } rows[] = {  // style 0 picks these
        {false, nullptr, kUntitledPopupStyle}, {false, "Titled", kTitledPopupStyle}, {true, nullptr, kChildStyle}};
    // clang-format on
    for (const auto& row : rows) {
        RecordingFrame window("N", &log);
        window.windowFlags |= window_flags::kNoQuitOnDestroy;
        window.CreateFrame(row.parent ? frame->handle : nullptr, 0, 0, 50, 50, 0, row.title, nullptr, nullptr, 0);
        EXPECT_TRUE(!window.visibleDuringCreate && IsWindowVisible(window.handle)) << row.style;
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window.handle, GWL_STYLE)) & 0xFFFF0000u, row.style);
        window.Destroy();
    }
    PaintingFrame painter("P", &log);  // a handler that paints is flagged so; the window it serves is not
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

TEST_F(DispatchTest, FocusCommandsNotificationsOwnerDrawAndClose) {
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
    NMHDR header{control.handle, 7, 99};
    EXPECT_EQ(Send(WM_NOTIFY, 7, reinterpret_cast<LPARAM>(&header)), 0);  // bits 0: the default answers
    control.windowFlags |= window_flags::kOwnNotify;
    control.notifyBits = 1;
    EXPECT_EQ(Send(WM_NOTIFY, 7, reinterpret_cast<LPARAM>(&header)), 42);
    DRAWITEMSTRUCT draw{};
    draw.hwndItem = control.handle;
    MEASUREITEMSTRUCT measure{};
    measure.CtlID = 7;
    // clang-format off
    const struct { UINT type, message; LPARAM item; bool own; LRESULT result; } ownerDraw[] = {  // a control, a menu item
        {ODT_BUTTON, WM_DRAWITEM, LPARAM(&draw), false, 1}, {ODT_BUTTON, WM_DRAWITEM, LPARAM(&draw), true, 1},
        {ODT_MENU, WM_DRAWITEM, LPARAM(&draw), true, 1}, {ODT_LISTBOX, WM_MEASUREITEM, LPARAM(&measure), true, 1},
        {ODT_MENU, WM_MEASUREITEM, LPARAM(&measure), true, 0}};
    // clang-format on
    for (const auto& row : ownerDraw) {
        draw.CtlType = measure.CtlType = row.type;
        control.windowFlags |= row.own ? window_flags::kOwnOwnerDraw : 0;  // rows without it come first
        EXPECT_EQ(Send(row.message, 7, row.item) != 0, row.result) << row.type;
    }
    EXPECT_EQ(log, (CallLog{"W.OnCommand X 3 40", "W.OnCommand - 0 41", "W.OnCommand - 0 42", "X.OnCommand X 0 43",
                            "W.OnNotify X 99", "X.OnNotify X 99", "W.OnDrawItem X", "X.OnDrawItem X", "W.OnDrawItem -",
                            "X.OnMeasureItem X", "W.OnMeasureItem -"}));

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

}  // namespace

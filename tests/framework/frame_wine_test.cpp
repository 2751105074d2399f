// The frame class: background, scroll position and scroll bars.

#include <gtest/gtest.h>

#include "framework/frame_window.h"
#include "tests/framework/recording_window.h"

namespace {

using namespace framework_testing;

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetCursorPos(1000, 740);
        frame_.windowFlags |= window_flags::kNoQuitOnDestroy;
        // A client area of exactly 200 x 300, whatever the border.
        RECT r = {0, 0, 200, 300};
        AdjustWindowRectEx(&r, WS_POPUP | WS_BORDER, FALSE, 0);
        frame_.CreateFrame(nullptr, 60, 60, r.right - r.left, r.bottom - r.top, WS_POPUP | WS_BORDER | WS_VISIBLE, "F",
                           nullptr, nullptr, 0);
        Settle();
        RECT client;
        GetClientRect(frame_.handle, &client);
        ASSERT_EQ(client.right, 200);
        ASSERT_EQ(client.bottom, 300);
        log_.clear();
    }
    void TearDown() override {
        frame_.Destroy();
        mainWindow = nullptr;
    }

    // The colour WM_ERASEBKGND leaves in a memory DC that was magenta before.
    COLORREF ErasedColour(LRESULT* result) {
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, 210, 310);
        HGDIOBJ old = SelectObject(memory, bitmap);
        RECT all = {0, 0, 210, 310};
        HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
        FillRect(memory, &all, magenta);
        DeleteObject(magenta);
        *result = SendMessageA(frame_.handle, WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0);
        COLORREF inside = GetPixel(memory, 100, 150);
        EXPECT_EQ(GetPixel(memory, 205, 305), RGB(255, 0, 255)) << "painted beyond the client area";
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
        return inside;
    }

    CallLog log_;
    RecordingFrame frame_{"F", &log_};
};

TEST_F(FrameTest, BackgroundIsNoneASystemColourOrAnRgbValue) {
    LRESULT result = 0;
    EXPECT_EQ(frame_.background, 0x80000005u);
    EXPECT_EQ(ErasedColour(&result), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(result, 1);

    frame_.SetBackground(0xFFFFFFFF);
    EXPECT_EQ(ErasedColour(&result), RGB(255, 0, 255));  // nothing painted
    EXPECT_EQ(result, 1);

    frame_.SetBackground(COLOR_BTNFACE);
    EXPECT_EQ(frame_.background, 0x8000000Fu);
    EXPECT_EQ(ErasedColour(&result), GetSysColor(COLOR_BTNFACE));

    frame_.background = 0x00FF0000;  // an RGB value: pure blue
    EXPECT_EQ(ErasedColour(&result), RGB(0, 0, 255));

    // A handler that erases itself replaces the class's erasing.
    frame_.eraseResult = 1;
    frame_.SetBackground(COLOR_WINDOW);
    EXPECT_EQ(ErasedColour(&result), RGB(255, 0, 255));
    EXPECT_EQ(result, 1);
    EXPECT_EQ(CompareCalls({"F.OnEraseBackground", "F.OnEraseBackground", "F.OnEraseBackground", "F.OnEraseBackground",
                            "F.OnEraseBackground"},
                           log_),
              "");
}

TEST_F(FrameTest, ScrollingStopsAtTheContentEdges) {
    frame_.SetContentSize(0, 1000, 1);
    frame_.scrollY = 650;
    frame_.ScrollDown(100);
    EXPECT_EQ(frame_.scrollY, 700);  // 50 of the 100 were left
    frame_.ScrollDown(100);
    EXPECT_EQ(frame_.scrollY, 700);
    EXPECT_EQ(GetScrollPos(frame_.handle, SB_VERT), 700);
    frame_.scrollY = 3;
    frame_.ScrollUp(8);
    EXPECT_EQ(frame_.scrollY, 0);
    frame_.ScrollUp(8);
    EXPECT_EQ(frame_.scrollY, 0);

    frame_.SetContentSize(450, 0, 1);
    frame_.ScrollRight(1000);
    EXPECT_EQ(frame_.scrollX, 250);
    frame_.ScrollLeft(1);
    EXPECT_EQ(frame_.scrollX, 249);
    EXPECT_EQ(frame_.scrollY, 0);
}

TEST_F(FrameTest, NoContentSizeMeansNoScrollBarsAndNoScrolling) {
    frame_.UpdateScrollBars();
    frame_.ScrollDown(50);
    frame_.ScrollRight(50);
    SendMessageA(frame_.handle, WM_VSCROLL, SB_LINEDOWN, 0);
    SendMessageA(frame_.handle, WM_HSCROLL, SB_PAGERIGHT, 0);
    EXPECT_EQ(frame_.scrollX, 0);
    EXPECT_EQ(frame_.scrollY, 0);
    DWORD style = static_cast<DWORD>(GetWindowLongA(frame_.handle, GWL_STYLE));
    EXPECT_EQ(style & (WS_VSCROLL | WS_HSCROLL), 0u);
}

TEST_F(FrameTest, ScrollBarsShowTheContentAndClampWhenTheClientGrows) {
    frame_.SetContentSize(0, 1000, 1);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(frame_.handle, SB_VERT, &info));
    EXPECT_EQ(info.nMax, 1000);
    EXPECT_GE(info.nPage, 280u);  // the client height plus one, less the horizontal bar's room if any
    frame_.ScrollDown(1000);
    int bottom = frame_.scrollY;
    RECT client;
    GetClientRect(frame_.handle, &client);
    EXPECT_EQ(bottom, 1000 - client.bottom);

    // Growing the window: the position comes back so that no space shows
    // below the content, and the whole window is painted again.
    RECT window;
    GetWindowRect(frame_.handle, &window);
    frame_.Resize(window.right - window.left, window.bottom - window.top + 100);
    Settle();
    GetClientRect(frame_.handle, &client);
    EXPECT_EQ(frame_.scrollY, 1000 - client.bottom);
    EXPECT_LT(frame_.scrollY, bottom);
}

TEST_F(FrameTest, LineAndPageRequestsOfTheScrollBars) {
    frame_.SetContentSize(0, 1000, 1);
    RECT client;
    GetClientRect(frame_.handle, &client);
    SendMessageA(frame_.handle, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(frame_.scrollY, 8);
    SendMessageA(frame_.handle, WM_VSCROLL, SB_PAGEDOWN, 0);
    // The default page step -8 pages by the client height less 8 pixels of overlap.
    EXPECT_EQ(frame_.scrollY, 8 + client.bottom - 8);
    frame_.pageStepY = 0;
    SendMessageA(frame_.handle, WM_VSCROLL, SB_PAGEUP, 0);
    EXPECT_EQ(frame_.scrollY, 0);
    frame_.pageStepY = 30;
    SendMessageA(frame_.handle, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(frame_.scrollY, 30);
    SendMessageA(frame_.handle, WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(frame_.scrollY, 22);
    EXPECT_EQ(GetScrollPos(frame_.handle, SB_VERT), 22);
}

TEST_F(FrameTest, TheThumbScrollsByTheDifferenceToItsPosition) {
    // Outside a real drag of the thumb the bar's track position is its current
    // position (Wine, and Windows alike), so setting the position and sending
    // the request stands in for a drag to it.
    frame_.SetContentSize(600, 1000, 1);
    frame_.scrollY = 400;
    SetScrollPos(frame_.handle, SB_VERT, 250, FALSE);
    log_.clear();
    SendMessageA(frame_.handle, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 250), 0);
    EXPECT_EQ(frame_.scrollY, 250);  // up by 400 - 250
    SetScrollPos(frame_.handle, SB_VERT, 500, FALSE);
    SendMessageA(frame_.handle, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 500), 0);
    EXPECT_EQ(frame_.scrollY, 500);
    SetScrollPos(frame_.handle, SB_VERT, 100, FALSE);
    SendMessageA(frame_.handle, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 100), 0);
    EXPECT_EQ(frame_.scrollY, 500);  // the vertical bar follows only the tracking
    EXPECT_EQ(GetScrollPos(frame_.handle, SB_VERT), 500);

    SetScrollPos(frame_.handle, SB_HORZ, 120, FALSE);
    SendMessageA(frame_.handle, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 120), 0);
    EXPECT_EQ(frame_.scrollX, 120);
    SetScrollPos(frame_.handle, SB_HORZ, 30, FALSE);
    SendMessageA(frame_.handle, WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 30), 0);
    EXPECT_EQ(frame_.scrollX, 30);
}

}  // namespace

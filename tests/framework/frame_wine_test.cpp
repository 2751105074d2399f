// The frame class: background, scroll position and scroll bars, painting and
// the paint context.

#include <gtest/gtest.h>

#include <functional>

#include "framework/paint_context.h"
#include "tests/framework/recording_window.h"

namespace {

using namespace framework_testing;

class FrameTest : public FrameworkTest {
protected:
    void SetUp() override {
        RECT r = {0, 0, 200, 300};  // a client area of exactly 200 x 300, whatever the border
        AdjustWindowRectEx(&r, WS_POPUP | WS_BORDER, FALSE, 0);
        MakeFrame(WS_POPUP | WS_BORDER | WS_VISIBLE, 0, r.right - r.left, r.bottom - r.top);
    }
    int ClientHeight() {
        RECT client;
        GetClientRect(frame->handle, &client);
        return client.bottom;
    }
};

TEST_F(FrameTest, BackgroundIsNoneASystemColourOrAnRgbValue) {
    const struct {
        uint32_t background;
        int eraseResult;
        COLORREF colour;
    } rows[] = {
        {0x80000005, 0, GetSysColor(COLOR_WINDOW)},                                    // the default
        {0xFFFFFFFF, 0, RGB(255, 0, 255)},                                             // none: nothing painted
        {0x8000000F, 0, GetSysColor(COLOR_BTNFACE)}, {0x00FF0000, 0, RGB(0, 0, 255)},  // an RGB value
        {0x80000005, 1, RGB(255, 0, 255)},  // a handler that erases replaces the class
    };
    EXPECT_EQ(frame->background, 0x80000005u);
    frame->SetBackground(COLOR_BTNFACE);
    EXPECT_EQ(frame->background, 0x8000000Fu);
    for (const auto& row : rows) {
        frame->background = row.background;
        frame->eraseResult = row.eraseResult;
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, 210, 310);
        HGDIOBJ old = SelectObject(memory, bitmap);
        RECT all = {0, 0, 210, 310};
        HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
        FillRect(memory, &all, magenta);
        EXPECT_EQ(Send(WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory)), 1);
        EXPECT_EQ(GetPixel(memory, 100, 150), row.colour) << std::hex << row.background;
        EXPECT_EQ(GetPixel(memory, 205, 305), RGB(255, 0, 255)) << "painted beyond the client area";
        SelectObject(memory, old);
        DeleteObject(magenta);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
    }
    EXPECT_EQ(log.size(), 5u);  // the handler was asked every time
}

TEST_F(FrameTest, ScrollingWalk) {
    auto vertical = [this](WPARAM request) { Send(WM_VSCROLL, request); };
    auto horizontal = [this](WPARAM request) { Send(WM_HSCROLL, request); };
    auto thumb = [this](int bar, int position) {  // outside a real drag the track position is the position
        SetScrollPos(frame->handle, bar, position, FALSE);
        Send(bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL,
             MAKEWPARAM(bar == SB_VERT ? SB_THUMBTRACK : SB_THUMBPOSITION, position));
    };
    const struct {
        std::function<void()> act;
        int x, y;
    } rows[] = {
        {[&] { frame->ScrollDown(50), frame->ScrollRight(50), vertical(SB_LINEDOWN), horizontal(SB_PAGERIGHT); }, 0, 0},
        {[&] { frame->SetContentSize(0, 1000, 1), frame->scrollY = 650, frame->ScrollDown(100); }, 0, 700},
        {[&] { frame->ScrollDown(100); }, 0, 700},
        {[&] { frame->scrollY = 3, frame->ScrollUp(8); }, 0, 0},
        {[&] { vertical(SB_LINEDOWN); }, 0, 8},
        {[&] { vertical(SB_PAGEDOWN); }, 0, 300},  // the client height less 8 of overlap
        {[&] { frame->pageStepY = 0, vertical(SB_PAGEUP); }, 0, 0},
        {[&] { frame->pageStepY = 30, vertical(SB_PAGEDOWN); }, 0, 30},
        {[&] { vertical(SB_LINEUP); }, 0, 22},
        {[&] { frame->SetContentSize(600, 1000, 1), frame->scrollY = 400, thumb(SB_VERT, 250); }, 0, 250},
        {[&] { thumb(SB_VERT, 500); }, 0, 500},
        {[&] { SetScrollPos(frame->handle, SB_VERT, 100, FALSE), vertical(MAKEWPARAM(SB_THUMBPOSITION, 100)); }, 0,
         500},
        {[&] { thumb(SB_HORZ, 120); }, 120, 500},
        {[&] { SetScrollPos(frame->handle, SB_HORZ, 30, FALSE), horizontal(MAKEWPARAM(SB_THUMBTRACK, 30)); }, 30, 500},
        {[&] { frame->SetContentSize(450, 0, 1), frame->ScrollRight(1000); }, 250, 0},
        {[&] { frame->ScrollLeft(1); }, 249, 0},
    };
    int step = 0;
    for (const auto& row : rows) {
        row.act();
        EXPECT_EQ(std::to_string(frame->scrollX) + "," + std::to_string(frame->scrollY),
                  std::to_string(row.x) + "," + std::to_string(row.y))
            << "step " << step++;
        EXPECT_EQ(GetScrollPos(frame->handle, SB_VERT), frame->scrollY) << "step " << step;
    }
    // The scroll bar shows the content, and growing the window brings the
    // position back so that no space shows below the content.
    frame->SetContentSize(0, 1000, 1);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(frame->handle, SB_VERT, &info));
    EXPECT_EQ(info.nMax, 1000);
    EXPECT_GE(info.nPage, 280u);
    frame->ScrollDown(1000);
    int bottom = frame->scrollY;
    EXPECT_EQ(bottom, 1000 - ClientHeight());
    RECT window;
    GetWindowRect(frame->handle, &window);
    frame->Resize(window.right - window.left, window.bottom - window.top + 100);
    Settle();
    EXPECT_EQ(frame->scrollY, 1000 - ClientHeight());
    EXPECT_LT(frame->scrollY, bottom);
}

// What a painting handler was given, against the rectangle made invalid.
std::string Seen(PaintContext* context, RECT* update, const RECT& dirty) {
    RECT clip;
    GetClipBox(context->hdc, &clip);
    return std::string(EqualRect(update, &dirty) ? "update" : "") +
           (GetCurrentObject(context->hdc, OBJ_PAL) == SharedPalette() ? " palette" : "") +
           (EqualRect(&clip, update) ? " clipped" : "") + (context->paint.hdc == context->hdc ? " begun" : "");
}

const RECT kDirty = {10, 20, 30, 40};

struct Painter : RecordingFrame {
    using RecordingFrame::RecordingFrame;
    void OnPaint(Window*, PaintContext* context, RECT* update) override { seen += Seen(context, update, kDirty) + ";"; }
    std::string seen;
};

struct OverPainter : RecordingFrame {
    using RecordingFrame::RecordingFrame;
    void OnPaintOverDefault(Window*, PaintContext* context, RECT* update) override {
        seen += Seen(context, update, kDirty) + ";";
    }
    std::string seen;
};

TEST(Painting, HandlersGetTheUpdateThePaletteAndTheClip) {
    CallLog log;
    Painter plain("P", &log);
    OverPainter over("O", &log);
    auto paint = [](auto& painter) {
        painter.windowFlags |= window_flags::kNoQuitOnDestroy;
        painter.CreateFrame(nullptr, 10, 10, 120, 90, WS_POPUP | WS_VISIBLE, "P", nullptr, nullptr, 0);
        Settle();
        painter.seen.clear();
        InvalidateRect(painter.handle, &kDirty, FALSE);
        UpdateWindow(painter.handle);
        RECT left;
        EXPECT_FALSE(GetUpdateRect(painter.handle, &left, FALSE));  // validated
        painter.Destroy();
        mainWindow = nullptr;
        return painter.seen;
    };
    EXPECT_EQ(paint(plain), "update palette clipped begun;");
    EXPECT_EQ(paint(over), "update palette clipped;");  // after the class's default
    EXPECT_EQ(over.windowFlags & window_flags::kOverridesPaintOverDefault, window_flags::kOverridesPaintOverDefault);
}

TEST(Painting, ContextRestoresTheObjectsTheDcHadAndThePaletteIsOneCube) {
    HDC first = CreateCompatibleDC(nullptr), second = CreateCompatibleDC(nullptr);
    HGDIOBJ originalFont = GetCurrentObject(first, OBJ_FONT), originalPen = GetCurrentObject(first, OBJ_PEN);
    HGDIOBJ font1 = GetStockObject(ANSI_FIXED_FONT), font2 = GetStockObject(ANSI_VAR_FONT);
    HGDIOBJ pen = GetStockObject(WHITE_PEN);
    PaintContext context;
    context.Attach(first);
    EXPECT_EQ(context.SelectFont(font1), originalFont);
    EXPECT_EQ(context.SelectFont(font2), font1);
    context.SelectPen(pen);
    context.RestorePen();  // the pen alone goes back
    EXPECT_EQ(GetCurrentObject(first, OBJ_PEN), originalPen);
    EXPECT_EQ(GetCurrentObject(first, OBJ_FONT), font2);
    context.Attach(second);  // restores the first
    EXPECT_EQ(GetCurrentObject(first, OBJ_FONT), originalFont);
    context.SelectFont(font1);
    context.RestoreAll();
    EXPECT_EQ(GetCurrentObject(second, OBJ_FONT), GetCurrentObject(first, OBJ_FONT));
    DeleteDC(first);
    DeleteDC(second);

    HPALETTE palette = SharedPalette();
    ASSERT_EQ(SharedPalette(), palette);  // made once
    PALETTEENTRY entries[216];
    ASSERT_EQ(GetPaletteEntries(palette, 0, 216, entries), 216u);
    for (int index : {0, 1, 36, 215, 6 + 36 * 2}) {
        const PALETTEENTRY& e = entries[index];
        EXPECT_EQ(RGB(e.peRed, e.peGreen, e.peBlue) | e.peFlags << 24,
                  RGB(index / 36 * 51, index / 6 % 6 * 51, index % 6 * 51))
            << index;
    }
}

}  // namespace

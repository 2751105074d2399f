// The paint context against a real device context, the shared palette, and
// the painting paths of the dispatcher.

#include <gtest/gtest.h>

#include "framework/frame_window.h"
#include "framework/paint_context.h"
#include "tests/framework/recording_window.h"
#include "tests/support/pump.h"

namespace {

using namespace framework_testing;

class MemoryDC {
public:
    MemoryDC() : dc(CreateCompatibleDC(nullptr)) {}
    ~MemoryDC() { DeleteDC(dc); }
    HDC dc;
};

TEST(PaintContext, RestoresTheObjectsTheDcHadBeforeTheFirstSelection) {
    MemoryDC memory;
    HGDIOBJ originalFont = GetCurrentObject(memory.dc, OBJ_FONT);
    HGDIOBJ originalPen = GetCurrentObject(memory.dc, OBJ_PEN);
    HGDIOBJ font1 = GetStockObject(ANSI_FIXED_FONT);
    HGDIOBJ font2 = GetStockObject(ANSI_VAR_FONT);
    HGDIOBJ pen = GetStockObject(WHITE_PEN);

    PaintContext context;
    context.Attach(memory.dc);
    EXPECT_EQ(context.SelectFont(font1), originalFont);
    EXPECT_EQ(context.SelectFont(font2), font1);
    context.SelectPen(pen);
    EXPECT_EQ(GetCurrentObject(memory.dc, OBJ_PEN), pen);

    context.RestorePen();  // the pen alone goes back
    EXPECT_EQ(GetCurrentObject(memory.dc, OBJ_PEN), originalPen);
    EXPECT_EQ(GetCurrentObject(memory.dc, OBJ_FONT), font2);
    SelectObject(memory.dc, pen);
    context.RestorePen();  // nothing saved any more: nothing happens
    EXPECT_EQ(GetCurrentObject(memory.dc, OBJ_PEN), pen);
    SelectObject(memory.dc, originalPen);

    context.RestoreAll();
    EXPECT_EQ(GetCurrentObject(memory.dc, OBJ_FONT), originalFont);
    for (HGDIOBJ slot : context.savedObjects) {
        EXPECT_EQ(slot, reinterpret_cast<HGDIOBJ>(static_cast<INT_PTR>(-1)));
    }
}

TEST(PaintContext, AttachingAnotherDcRestoresTheFirst) {
    MemoryDC first, second;
    HGDIOBJ originalFont = GetCurrentObject(first.dc, OBJ_FONT);
    PaintContext context;
    context.Attach(first.dc);
    context.SelectFont(GetStockObject(ANSI_FIXED_FONT));
    context.Attach(second.dc);
    EXPECT_EQ(GetCurrentObject(first.dc, OBJ_FONT), originalFont);
    EXPECT_EQ(context.hdc, second.dc);
}

TEST(SharedPalette, IsOneColourCubeMadeOnce) {
    HPALETTE palette = SharedPalette();
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(SharedPalette(), palette);
    PALETTEENTRY entries[216];
    ASSERT_EQ(GetPaletteEntries(palette, 0, 216, entries), 216u);
    const struct {
        int index;
        BYTE r, g, b;
    } expected[] = {{0, 0, 0, 0}, {1, 0, 0, 51}, {36, 51, 0, 0}, {215, 255, 255, 255}, {6 + 36 * 2, 102, 51, 0}};
    for (const auto& e : expected) {
        EXPECT_EQ(entries[e.index].peRed, e.r) << e.index;
        EXPECT_EQ(entries[e.index].peGreen, e.g) << e.index;
        EXPECT_EQ(entries[e.index].peBlue, e.b) << e.index;
        EXPECT_EQ(entries[e.index].peFlags, 0) << e.index;
    }
}

// Paints its update rectangle and remembers what it was given.
class Painter : public RecordingFrame {
public:
    using RecordingFrame::RecordingFrame;
    void OnPaint(Window*, PaintContext* context, RECT* update) override {
        ++paints;
        lastUpdate = *update;
        paletteSelected = GetCurrentObject(context->hdc, OBJ_PAL) == SharedPalette();
        fromBeginPaint = context->paint.hdc == context->hdc;
    }
    int paints = 0;
    RECT lastUpdate{};
    bool paletteSelected = false;
    bool fromBeginPaint = false;
};

class OverPainter : public RecordingFrame {
public:
    using RecordingFrame::RecordingFrame;
    void OnPaintOverDefault(Window*, PaintContext* context, RECT* update) override {
        ++paints;
        lastUpdate = *update;
        RECT clip;
        GetClipBox(context->hdc, &clip);
        clipMatches = EqualRect(&clip, update) != FALSE;
        paletteSelected = GetCurrentObject(context->hdc, OBJ_PAL) == SharedPalette();
    }
    int paints = 0;
    RECT lastUpdate{};
    bool clipMatches = false;
    bool paletteSelected = false;
};

TEST(Painting, OnPaintGetsTheUpdateRectangleAndThePalette) {
    CallLog log;
    Painter painter("P", &log);
    painter.windowFlags |= window_flags::kNoQuitOnDestroy;
    painter.CreateFrame(nullptr, 10, 10, 120, 90, WS_POPUP | WS_VISIBLE, "P", nullptr, nullptr, 0);
    Settle();
    painter.paints = 0;
    RECT dirty = {10, 20, 30, 40};
    InvalidateRect(painter.handle, &dirty, FALSE);
    UpdateWindow(painter.handle);
    EXPECT_EQ(painter.paints, 1);
    EXPECT_TRUE(EqualRect(&painter.lastUpdate, &dirty));
    EXPECT_TRUE(painter.paletteSelected);
    EXPECT_TRUE(painter.fromBeginPaint);
    RECT left;
    EXPECT_FALSE(GetUpdateRect(painter.handle, &left, FALSE));  // validated
    painter.Destroy();
    mainWindow = nullptr;
}

TEST(Painting, OverDefaultPaintingRunsAfterTheDefaultClippedToTheUpdate) {
    CallLog log;
    OverPainter painter("O", &log);
    painter.windowFlags |= window_flags::kNoQuitOnDestroy;
    painter.CreateFrame(nullptr, 10, 10, 120, 90, WS_POPUP | WS_VISIBLE, "O", nullptr, nullptr, 0);
    Settle();
    EXPECT_EQ(painter.windowFlags & window_flags::kOverridesPaintOverDefault, window_flags::kOverridesPaintOverDefault);
    painter.paints = 0;
    RECT dirty = {5, 5, 25, 15};
    InvalidateRect(painter.handle, &dirty, FALSE);
    UpdateWindow(painter.handle);
    EXPECT_EQ(painter.paints, 1);
    EXPECT_TRUE(EqualRect(&painter.lastUpdate, &dirty));
    EXPECT_TRUE(painter.clipMatches);
    EXPECT_TRUE(painter.paletteSelected);
    RECT left;
    EXPECT_FALSE(GetUpdateRect(painter.handle, &left, FALSE));  // the class's default validated it
    painter.Destroy();
    mainWindow = nullptr;
}

}  // namespace

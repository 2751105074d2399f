#pragma once

#include <windows.h>

// The process's one 216-colour palette: the colour cube with six levels
// (0, 51, ... 255) per axis, entry 36*r + 6*g + b. Made on first use and kept
// until the process ends.
HPALETTE SharedPalette();

// One device context and the GDI objects that selections through it
// displaced, so that the DC goes back in the state it came in. Whoever opened
// the DC ends it: EndPaint after OpenPaint, ReleaseDC after OpenWindowDC.
// What is still selected through the context when it goes out of scope is
// restored then; an explicit RestoreAll leaves nothing for that.
class PaintContext {
public:
    static constexpr int kFontSlot = 0;
    static constexpr int kPenSlot = 2;
    static constexpr int kSlots = 4;

    PaintContext();  // wraps nothing until Attach or an Open call
    ~PaintContext();
    PaintContext(const PaintContext&) = delete;
    PaintContext& operator=(const PaintContext&) = delete;

    void OpenWindowDC(HWND window, bool withPalette);
    void OpenPaint(HWND window, bool withPalette);
    void Attach(HDC dc);  // restores the DC wrapped so far first
    HGDIOBJ SelectFont(HGDIOBJ font);
    HGDIOBJ SelectPen(HGDIOBJ pen);
    void RestorePen();
    void RestoreAll();
    void UsePalette();

    HGDIOBJ savedObjects[kSlots];
    HDC hdc = nullptr;
    HWND hwnd = nullptr;
    PAINTSTRUCT paint{};

private:
    HGDIOBJ SelectIntoSlot(int slot, HGDIOBJ object);
    void EmptySlots();
};

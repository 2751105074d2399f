#include "framework/paint_context.h"

#include <cstdlib>

namespace {

// A slot holding this marks "nothing displaced yet".
HGDIOBJ const kEmptySlot = reinterpret_cast<HGDIOBJ>(static_cast<INT_PTR>(-1));
constexpr int kCubeLevels = 6;
constexpr int kCubeStep = 51;
constexpr int kCubeSize = kCubeLevels * kCubeLevels * kCubeLevels;

HPALETTE palette = nullptr;

}  // namespace

HPALETTE SharedPalette() {
    if (palette != nullptr) {
        return palette;
    }
    size_t size = sizeof(LOGPALETTE) + (kCubeSize - 1) * sizeof(PALETTEENTRY);
    auto* logical = static_cast<LOGPALETTE*>(malloc(size));
    if (logical == nullptr) {
        return nullptr;  // painting then goes on with the default palette
    }
    logical->palVersion = 0x300;
    logical->palNumEntries = kCubeSize;
    for (int r = 0; r < kCubeLevels; ++r) {
        for (int g = 0; g < kCubeLevels; ++g) {
            for (int b = 0; b < kCubeLevels; ++b) {
                PALETTEENTRY& entry = logical->palPalEntry[36 * r + 6 * g + b];
                entry.peRed = static_cast<BYTE>(kCubeStep * r);
                entry.peGreen = static_cast<BYTE>(kCubeStep * g);
                entry.peBlue = static_cast<BYTE>(kCubeStep * b);
                entry.peFlags = 0;
            }
        }
    }
    palette = CreatePalette(logical);
    free(logical);
    return palette;
}

PaintContext::PaintContext() {
    EmptySlots();
}

PaintContext::~PaintContext() {
    RestoreAll();
}

void PaintContext::EmptySlots() {
    for (HGDIOBJ& slot : savedObjects) {
        slot = kEmptySlot;
    }
}

void PaintContext::OpenWindowDC(HWND window, bool withPalette) {
    EmptySlots();
    hwnd = window;
    hdc = GetDC(window);
    if (withPalette) {
        UsePalette();
    }
}

void PaintContext::OpenPaint(HWND window, bool withPalette) {
    EmptySlots();
    hwnd = window;
    hdc = BeginPaint(window, &paint);
    if (withPalette) {
        UsePalette();
    }
}

void PaintContext::Attach(HDC dc) {
    if (hdc != nullptr) {
        RestoreAll();
    }
    hdc = dc;
}

HGDIOBJ PaintContext::SelectIntoSlot(int slot, HGDIOBJ object) {
    HGDIOBJ previous = SelectObject(hdc, object);
    // Only the first selection remembers: restoring returns to the DC's
    // state before the context touched it.
    if (savedObjects[slot] == kEmptySlot) {
        savedObjects[slot] = previous;
    }
    return previous;
}

HGDIOBJ PaintContext::SelectFont(HGDIOBJ font) {
    return SelectIntoSlot(kFontSlot, font);
}

HGDIOBJ PaintContext::SelectPen(HGDIOBJ pen) {
    return SelectIntoSlot(kPenSlot, pen);
}

void PaintContext::RestorePen() {
    if (savedObjects[kPenSlot] != kEmptySlot) {
        SelectObject(hdc, savedObjects[kPenSlot]);
        savedObjects[kPenSlot] = kEmptySlot;
    }
}

void PaintContext::RestoreAll() {
    for (HGDIOBJ& slot : savedObjects) {
        if (slot != kEmptySlot) {
            SelectObject(hdc, slot);
            slot = kEmptySlot;
        }
    }
}

void PaintContext::UsePalette() {
    SelectPalette(hdc, SharedPalette(), FALSE);
    RealizePalette(hdc);
}

#pragma once
// Item icons and labels from the shell. An open list holds two icons per
// item; closing it destroys them.

#include <windows.h>

#include "app/item_record.h"

namespace item_icon_flags {
constexpr int kSmall = 1;
constexpr int kHighlighted = 2;
}  // namespace item_icon_flags

// Stands in for every icon the shell cannot give: the system's warning icon,
// loaded at start-up and destroyed by the launcher's end, never by the
// functions below.
extern HICON fallbackIcon;
void LoadFallbackIcon();

// The shell's icon for the file at `path` (null when it gives none), and its
// label into `label` (of `size` bytes).
HICON GetItemIcon(const char* path, char* label, int size, int flags);

// Fills both icon words and the label of `count` records; an icon the shell
// cannot give becomes `fallbackIcon`.
void LoadItemIcons(ItemRecord* items, int count, bool smallIcons);

// Destroys the icons LoadItemIcons made; the fallback icon stays.
void FreeItemIcons(ItemRecord* items, int count);

// The handle in an icon word. Handles carry 32 significant bits and are
// sign-extended in a 64-bit process, as the system's own HandleToLong and
// LongToHandle do.
inline HICON IconOf(uint32_t word) {
    return reinterpret_cast<HICON>(static_cast<INT_PTR>(static_cast<int32_t>(word)));
}

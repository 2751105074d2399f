#pragma once
// What a press on one of the launcher's tray icons does. Pure logic.

#include <cstdint>

enum class TrayAction { kNothing, kBeepAndRebuild, kShowList, kStartFirstItem };

// The two mouse messages a tray notice acts on (WM_LBUTTONDOWN, WM_RBUTTONDOWN).
constexpr unsigned kTrayLeftDown = 0x0201;
constexpr unsigned kTrayRightDown = 0x0204;

// `icon` is the notice's icon identifier, which is a folder number, and
// `mouse` what the pointer did on it. Only the icons the launcher shows act:
// folders 0 to folderCount - 1, or with no folder at all the error icon 0,
// whose press beeps and looks for the folders again. Any other number (an
// icon removed meanwhile, a notice sent by another program) is ignored, so
// that no folder behind the last icon is ever scanned or given an item file.
TrayAction RouteTrayNotice(uint64_t icon, int folderCount, unsigned mouse);

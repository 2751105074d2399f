#include "app/tray_routing.h"

TrayAction RouteTrayNotice(uint64_t icon, int folderCount, unsigned mouse) {
    bool left = mouse == kTrayLeftDown;
    bool right = mouse == kTrayRightDown;
    uint64_t icons = folderCount > 0 ? static_cast<uint64_t>(folderCount) : 1;
    if ((!left && !right) || icon >= icons)
        return TrayAction::kNothing;
    if (folderCount <= 0)
        return TrayAction::kBeepAndRebuild;
    return right ? TrayAction::kShowList : TrayAction::kStartFirstItem;
}

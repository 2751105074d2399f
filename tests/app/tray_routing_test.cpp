#include "app/tray_routing.h"

#include <gtest/gtest.h>

namespace {

constexpr unsigned kMove = 0x0200, kRightUp = 0x0205;
const auto kNothing = TrayAction::kNothing, kBeep = TrayAction::kBeepAndRebuild;
const auto kList = TrayAction::kShowList, kStart = TrayAction::kStartFirstItem;

TEST(TrayRouting, OnlyPressesOnTheLaunchersIconsAct) {
    const struct {
        const char* name;
        uint64_t icon;
        int folderCount;
        unsigned mouse;
        TrayAction action;
    } rows[] = {
        {"right press opens the list", 1, 2, kTrayRightDown, kList},
        {"left press starts the first item", 0, 2, kTrayLeftDown, kStart},
        {"a release does nothing", 0, 2, kRightUp, kNothing},
        {"a move does nothing", 0, 2, kMove, kNothing},
        {"an icon behind the last folder", 2, 2, kTrayRightDown, kNothing},
        {"an icon no folder can have", 0xFFFFFFFFu, 2, kTrayLeftDown, kNothing},
        {"the error icon, right", 0, 0, kTrayRightDown, kBeep},
        {"the error icon, left", 0, 0, kTrayLeftDown, kBeep},
        {"no error icon but 0", 1, 0, kTrayRightDown, kNothing},
    };
    for (const auto& row : rows)
        EXPECT_EQ(RouteTrayNotice(row.icon, row.folderCount, row.mouse), row.action) << row.name;
}

}  // namespace

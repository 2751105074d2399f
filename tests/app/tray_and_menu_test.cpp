#include "app/menu_table.h"
#include "app/tray_routing.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

constexpr unsigned kMove = 0x0200, kRightUp = 0x0205;
const auto kNothing = TrayAction::kNothing, kBeep = TrayAction::kBeepAndRebuild;
const auto kList = TrayAction::kShowList, kStart = TrayAction::kStartFirstItem;

TEST(TrayRouting, OnlyPressesOnTheLaunchersIconsAct) {
    const std::tuple<const char*, uint64_t, int, unsigned, TrayAction> rows[] = {
        {"right press opens the list", 1, 2, kTrayRightDown, kList},
        {"left press starts the first item", 0, 2, kTrayLeftDown, kStart},
        {"a release does nothing", 0, 2, kRightUp, kNothing},
        {"an icon behind the last folder", 2, 2, kTrayRightDown, kNothing},
        {"the error icon, right", 0, 0, kTrayRightDown, kBeep},
        {"the error icon, left", 0, 0, kTrayLeftDown, kBeep},
        {"no error icon but 0", 1, 0, kTrayRightDown, kNothing},
    };
    for (const auto& [name, icon, folderCount, mouse, action] : rows)
        EXPECT_EQ(RouteTrayNotice(icon, folderCount, mouse), action) << name;
}

TEST(MenuTable, EachCommandMeansOneAction) {
    const std::tuple<const char*, int, MenuAction, int> rows[] = {
        {"dismissed", 0, MenuAction::kNone, -1},
        {"Quit", 100, MenuAction::kQuit, -1},
        {"Big icons", 103, MenuAction::kSwitchIconSize, -1},
        {"Restart", 110, MenuAction::kRestart, -1},
        {"the program's folder", 1000, MenuAction::kOpenProgramFolder, -1},
        {"below the first special folder", 1099, MenuAction::kNone, -1},
        {"the first special folder", 1100, MenuAction::kOpenSpecialFolder, 0},
        {"a separator's row", 1105, MenuAction::kNone, -1},
        {"the last special folder", 1128, MenuAction::kOpenSpecialFolder, 28},
        {"behind the last row", 1129, MenuAction::kNone, -1},
        {"Diable warning beep", 2001, MenuAction::kBeepOff, -1},
        {"Enable warning beep", 2002, MenuAction::kBeepOn, -1},
    };
    for (const auto& [name, command, action, specialRow] : rows) {
        MenuChoice choice = DecodeMenuCommand(command);
        EXPECT_EQ(choice.action, action) << name;
        EXPECT_EQ(choice.specialRow, specialRow) << name;
    }
}

}  // namespace

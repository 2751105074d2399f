#include "app/menu_table.h"

// The shell's numbers for its special folders (CSIDL_...), which the glue
// checks against the system's headers.
const SpecialFolder SpecialFolderTable[kSpecialFolderRows] = {
    {0x03, "Control Panel"},
    {0x00, "Desktop"},
    {0x11, "My Computer"},
    {0x12, "Network"},
    {0x04, "Printers"},
    {kSpecialSeparator, ""},
    {0x0E, "My Video"},
    {0x05, "My Documents"},
    {0x0D, "My Music"},
    {0x27, "My Pictures"},
    {0x28, "My Profile"},
    {0x15, "My Templates"},
    {kSpecialSeparator, ""},
    {0x21, "Cookies"},
    {0x22, "History"},
    {0x06, "Favorites"},
    {0x08, "Recent Documents"},
    {0x0A, "Recycle Bin"},
    {kSpecialSeparator, ""},
    {0x07, "Startup (User)"},
    {0x18, "Startup (Common)"},
    {0x0B, "Start Menu (User)"},
    {0x16, "Start Menu (Common)"},
    {0x09, "Send To ..."},
    {kSpecialSeparator, ""},
    {0x26, "Program Files"},
    {0x24, "Windows Root Folder"},
    {0x25, "Windows System Folder"},
    {0x20, "Internet Cache"},
};

MenuChoice DecodeMenuCommand(int command) {
    using namespace menu_command;
    int row = command - kFirstSpecialFolder;
    if (row >= 0 && row < kSpecialFolderRows && SpecialFolderTable[row].csidl != kSpecialSeparator)
        return {MenuAction::kOpenSpecialFolder, row};
    switch (command) {
        case kQuit:
            return {MenuAction::kQuit, -1};
        case kRestart:
            return {MenuAction::kRestart, -1};
        case kAbout:
            return {MenuAction::kAbout, -1};
        case kOpenFolder:
            return {MenuAction::kOpenFolder, -1};
        case kProgramFolder:
            return {MenuAction::kOpenProgramFolder, -1};
        case kUserName:
            return {MenuAction::kUserName, -1};
        case kBeepOff:
            return {MenuAction::kBeepOff, -1};
        case kBeepOn:
            return {MenuAction::kBeepOn, -1};
        case kBigIcons:
            return {MenuAction::kSwitchIconSize, -1};
        default:
            return {MenuAction::kNone, -1};
    }
}

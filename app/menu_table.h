#pragma once
// The popup menu's commands: their identifiers, what each means, and the
// shell's special folders the "Folders" submenu offers. Pure logic.

namespace menu_command {
constexpr int kQuit = 100;
constexpr int kAbout = 101;
constexpr int kOpenFolder = 102;
constexpr int kBigIcons = 103;
constexpr int kRestart = 110;
constexpr int kProgramFolder = 1000;
constexpr int kFirstSpecialFolder = 1100;  // + the special folder's row
constexpr int kUserName = 2000;
constexpr int kBeepOff = 2001;
constexpr int kBeepOn = 2002;
}  // namespace menu_command

enum class MenuAction {
    kNone,  // the menu was dismissed, or no command of ours
    kQuit,
    kRestart,
    kAbout,
    kOpenFolder,         // the list's numbered folder, in the shell
    kOpenProgramFolder,  // the folder beside the executable
    kOpenSpecialFolder,  // a row of SpecialFolderTable
    kUserName,
    kBeepOff,
    kBeepOn,
    kSwitchIconSize,
};

struct MenuChoice {
    MenuAction action;
    int specialRow;  // the row of kOpenSpecialFolder, else -1
};

// What the command that TrackPopupMenu returned means. Only the rows of the
// special-folder table that name a folder have a command.
MenuChoice DecodeMenuCommand(int command);

// One row of the "Folders" submenu: a CSIDL number and its text, or a
// separator.
struct SpecialFolder {
    unsigned char csidl;
    const char* text;
};
constexpr unsigned char kSpecialSeparator = 0xFF;
constexpr int kSpecialFolderRows = 29;
extern const SpecialFolder SpecialFolderTable[kSpecialFolderRows];

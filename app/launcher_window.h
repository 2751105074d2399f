#pragma once
// The launcher's one framework window. Hidden, it owns the folders' tray
// icons; shown, it is the list of one folder's items, opened at the pointer
// and hidden again when the pointer leaves it or an item starts.

#include "app/item_record.h"
#include "framework/frame_window.h"

// MessageBeep's plain warning sound.
constexpr UINT kAnySound = 0xFFFFFFFF;

// Posted by a drop whose new order could not be saved, with the folder
// number: the warning waits until the drag has let the pointer go.
constexpr UINT kOrderNotSavedMessage = WM_APP + 1;

// An item array has room for one record more than a folder ever holds, and
// one more again: what a list is allocated with.
constexpr int kItemArraySize = 17;

class LauncherWindow : public FrameWindow {
public:
    LauncherWindow();

    void OnPaint(Window* window, PaintContext* context, RECT* update) override;
    void OnHide(Window* window) override;
    void OnCreate(Window* window) override;
    void OnDestroy(Window* window) override;
    void OnMouseMove(Window* window, int x, int y, WPARAM keys) override;
    void OnClick(Window* window, int x, int y) override;
    void OnMouseLeave(Window* window, HWND now) override;
    int OnDrag(int code, DragInfo* info) override;
    // The tray notifications and the shell's "TaskbarCreated" broadcast.
    int FilterMessage(Window* window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    // The popup menu, at a right click in the list.
    void OnRightButtonUp(Window* window, int x, int y) override;

    // Creates the window hidden, as the launcher runs it: a captionless,
    // thin-bordered popup without a taskbar button.
    void CreateHidden();

    // Opens the list of folder `folder` at the pointer, replacing one that
    // is open; an empty or missing folder beeps and rebuilds the tray icons.
    void ShowFolderList(int folder);
    // Frees the list and hides the window.
    void HideFolderList();
    // Removes every folder icon and adds them anew from the folders.
    void RebuildTrayIcons();
    // Starts folder `folder`'s first item if its file is still there;
    // otherwise beeps and rebuilds the tray icons.
    void StartFirstItem(int folder);
    // Carries out a popup menu command; 0 (the menu dismissed) does nothing.
    void RunCommand(int command);
    // Tells the user that a drag's new order of folder `folder` is not
    // saved, once per opening of the list.
    void WarnOrderNotSaved(int folder);

    ItemRecord* items;
    int itemCount;
    int hotIndex;
    int dropIndex;
    int currentFolder;
    int folderCount;

private:
    int RowHeight() const;
    // A press found its folder or file gone: beep, and make the tray match
    // the disk again.
    void BeepAndRebuild();
    void AddFolderTrayIcons();
    void RemoveTrayIcons();
    // Set while ShowFolderList builds a list: the rescan's warning box runs a
    // message loop, in which a second opening must not start.
    bool buildingList;
    // The open list's order could not be saved and the user has been told.
    bool orderNotSavedTold;
};

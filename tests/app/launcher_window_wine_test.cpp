// The launcher window on numbered scratch folders, with real tray icons, the
// real pointer and mouse messages sent to the list. Polls are called directly,
// so that none comes unbidden while a walk drives. The arithmetic behind each
// step has its tables in list_geometry_test.cpp and tray_and_menu_test.cpp:
// here only the wiring counts.
// The journeys through the real program check what a user sees of the rest:
// items started, a drag saved to the item file, the list's place and size.

#include "app/launcher_window.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "app/item_names.h"
#include "app/launcher_app.h"
#include "app/item_icons.h"
#include "app/working_set.h"
#include "app/launcher_values.h"
#include "app/tray_icons.h"
#include "framework/paint_context.h"
#include "framework/pointer_tracking.h"
#include "tests/support/message_boxes.h"
#include "tests/support/pump.h"
#include "tests/support/scratch_folder.h"

namespace {

using Names = std::vector<std::string>;

// Records the rows each paint covers: a row counts when its middle lies in
// the paint's clip region.
class RecordingLauncher : public LauncherWindow {
public:
    void OnPaint(Window* window, PaintContext* context, RECT* update) override {
        std::vector<int> rows;
        for (int row = 0, h = iconSize + rowGap; row < itemCount; ++row)
            if (PtVisible(context->hdc, 10, row * h + h / 2))
                rows.push_back(row);
        paintedRows.push_back(rows);
        LauncherWindow::OnPaint(window, context, update);
    }
    void OnDestroy(Window* window) override {
        fallbackAtDestroy = fallbackIcon;
        LauncherWindow::OnDestroy(window);
    }
    std::vector<std::vector<int>> paintedRows;
    HICON fallbackAtDestroy = nullptr;
};

// Folders 0 (three items), 1 (one) and 3, which lies beyond the gap and so is
// none of the launcher's. Each item is a program.
class LauncherTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetInstance(GetModuleHandleA(nullptr));
        FormatPropertyName();
        RegisterFrameClass();
        LoadFallbackIcon();
        LookUpWorkingSetTrim();
        trimWorkingSet = nullptr;
        // Tray icons need the taskbar, which the session's desktop starts.
        ASSERT_TRUE(testing_support::PumpUntil([] { return FindWindowA("Shell_TrayWnd", nullptr); }, 60000));
        lstrcpynA(baseDir, scratch_.Path().c_str(), sizeof baseDir);  // big icons, as the program starts
        for (const char* folder : {"0", "1", "3"})
            scratch_.MakeFolder(folder);
        for (const char* file : {"0\\a.bat", "0\\b.bat", "0\\c.bat", "1\\one.bat", "3\\three.bat"})
            scratch_.WriteFile(file, "");
        window_.windowFlags |= window_flags::kNoQuitOnDestroy;
        window_.CreateHidden();
    }
    void TearDown() override {
        StopTracking();
        window_.Destroy();
    }
    Names Order() const {  // the file names of the open list
        Names names;
        for (int i = 0; i < window_.itemCount; ++i)
            names.push_back(FileNamePart(window_.items[i].path));
        return names;
    }
    // Under Wine the X server's report of an earlier warp may arrive late and
    // put the pointer back: it is placed again once the queue is quiet.
    static void PlacePointer(int x, int y) {
        POINT p = {-1, -1};
        for (int attempt = 0; attempt < 5 && (p.x != x || p.y != y); ++attempt, GetCursorPos(&p)) {
            SetCursorPos(x, y);
            testing_support::PumpUntilQuiet();
        }
    }
    void Open(int folder) {
        PlacePointer(600, 500);
        window_.ShowFolderList(folder);
        UpdateWindow(window_.handle);
    }
    void Send(UINT message, int y, WPARAM keys = 0) {
        POINT p = {40, y};
        ClientToScreen(window_.handle, &p);
        SetCursorPos(p.x, p.y);
        SendMessageA(window_.handle, message, keys, MAKELPARAM(40, y));
    }
    // A press; a click with `release`; with `drag` moved by 5 pixels, which
    // starts a drag at the next poll.
    void Press(int y, bool release, bool drag = false) {
        Send(WM_MOUSEMOVE, y);
        Send(WM_LBUTTONDOWN, y, MK_LBUTTON);
        Send(release ? WM_LBUTTONUP : WM_MOUSEMOVE, y + 5 * drag, MK_LBUTTON * !release);
        if (drag)
            PollTimerProc(nullptr, WM_TIMER, 0, 0);
    }

    testing_support::ScratchFolder scratch_;
    testing_support::MessageBoxRecorder boxes_;
    RecordingLauncher window_;
};

TEST_F(LauncherTest, ListAtThePointerHighlightsDragsLaunchesAndHides) {
    // A notice for folder 3, beyond the gap, is ignored: no list, no item file.
    SendMessageA(window_.handle, kTrayMessage, 3, WM_RBUTTONDOWN);
    EXPECT_FALSE(IsWindowVisible(window_.handle));
    EXPECT_FALSE(testing_support::FileExists(scratch_ / "3\\tapdeck.dat"));
    // Opened in a corner of the 1024 x 768 desktop, the list lies whole on it.
    PlacePointer(0, 0);
    window_.ShowFolderList(0);
    RECT r;
    GetWindowRect(window_.handle, &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    Open(0);

    // The highlight follows the pointer; each move repaints the rows it
    // leaves and enters, never the row between them.
    using Paints = std::vector<std::vector<int>>;
    const std::tuple<const char*, int, int, Paints> moves[] = {
        {"onto the bottom row", 110, 0, {{2}}},
        {"to the top row", 10, 2, {{0, 2}}},
    };
    for (const auto& [name, y, hot, painted] : moves) {
        window_.paintedRows.clear();
        Send(WM_MOUSEMOVE, y);
        EXPECT_EQ(window_.hotIndex, hot) << name;
        EXPECT_EQ(window_.paintedRows, painted) << name;
    }

    // Drags that change nothing (the journeys save one): the cursor says so
    // on the dragged row's own boundaries; Escape cancels.
    Open(0);
    Names before = Order();
    const std::tuple<const char*, int, int, bool, bool> drags[] = {
        {"the middle item to its boundary above", 56, 38, false, true},
        {"item 0 above the top row, then Escape", 100, 0, true, false},
    };
    for (const auto& [name, from, to, escape, refused] : drags) {
        Press(from, false, true);
        Send(WM_MOUSEMOVE, to, MK_LBUTTON);
        EXPECT_EQ(window_.cursor == LoadCursorA(nullptr, IDC_NO), refused) << name;
        if (escape)
            SendMessageA(window_.handle, WM_CHAR, VK_ESCAPE, 1);
        Send(WM_LBUTTONUP, to);
        EXPECT_EQ(Order(), before) << name;
    }
    EXPECT_EQ(window_.cursor, LoadCursorA(nullptr, IDC_ARROW));

    // Inside the rescan's warning box a poll hides the list and a tray press
    // opens another folder; the opening that showed the box still ends whole.
    scratch_.WriteFile("0\\tapdeck.dat", "foreign bytes, not an item file");
    boxes_.insideNextBox = [&] {
        window_.HideFolderList();
        window_.ShowFolderList(1);
    };
    Open(0);
    EXPECT_FALSE(boxes_.insideNextBox);  // it ran
    EXPECT_EQ(Order().size(), 3u);       // folder 0's three items

    // A program deleted after the list opened: "Error: 2". Inside the box the
    // list, with the path the click passed, goes away.
    testing_support::RemoveTree(scratch_ / "0");
    boxes_.insideNextBox = [&] { window_.HideFolderList(); };
    Press(10, true);
    EXPECT_FALSE(boxes_.insideNextBox);
    ASSERT_EQ(boxes_.Boxes().size(), 2u);  // the rescan's warning, then this
    EXPECT_EQ(boxes_.Boxes()[1].text, "Error: 2");
    EXPECT_EQ(boxes_.Boxes()[1].caption, "Error at execute!");

    // An empty folder shows no list.
    DeleteFileA((scratch_ / "1\\one.bat").c_str());
    Open(1);
    EXPECT_FALSE(IsWindowVisible(window_.handle));
}

void CALLBACK QuitTimer(HWND, UINT, UINT_PTR, DWORD) {
    PostQuitMessage(0);
}

TEST_F(LauncherTest, WindowThatCannotBeMadeEndsTheLauncherWithABox) {
    window_.Destroy();
    UnregisterFrameClass();
    LauncherWindow other;
    // A launcher that ran on regardless would wait in its folder-0 question:
    // a quit message after a while ends that, so the test fails instead of hanging.
    UINT_PTR timer = SetTimer(nullptr, 0, 5000, QuitTimer);
    EXPECT_EQ(RunLauncher(&other), 1);
    KillTimer(nullptr, timer);
    MSG quit;
    PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    RegisterFrameClass();
    ASSERT_EQ(boxes_.Boxes().size(), 1u);
    EXPECT_EQ(boxes_.Boxes()[0].text, "Tapdeck could not create its window and cannot run.");
}

TEST_F(LauncherTest, WindowEndsBeforeTheFallbackIconItsListMayShow) {
    Open(0);
    EndLauncher(&window_);
    EXPECT_NE(window_.fallbackAtDestroy, nullptr);
    EXPECT_EQ(fallbackIcon, nullptr);
}

}  // namespace

// The launcher window on numbered scratch folders, with real tray icons, the
// real pointer and mouse messages sent to the list. Polls are called directly,
// so that none comes unbidden while a walk drives.

#include "app/launcher_window.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "app/folder_store.h"
#include "app/item_file.h"
#include "app/launcher_handles.h"
#include "app/launcher_values.h"
#include "app/tray_icons.h"
#include "framework/paint_context.h"
#include "framework/pointer_tracking.h"
#include "tests/support/message_boxes.h"
#include "tests/support/pump.h"
#include "tests/support/scratch_folder.h"
#include "util/bounded_text.h"

namespace {

using testing_support::FileExists;
using testing_support::PumpUntil;
using Names = std::vector<std::string>;

// Records the rows each paint covers: a row counts when its middle lies in
// the paint's clip region.
class RecordingLauncher : public LauncherWindow {
public:
    void OnPaint(Window* window, PaintContext* context, RECT* update) override {
        std::vector<int> rows;
        for (int row = 0; row < itemCount; ++row) {
            if (PtVisible(context->hdc, 60, row * (iconSize + rowGap) + (iconSize + rowGap) / 2))
                rows.push_back(row);
        }
        paintedRows.push_back(rows);
        LauncherWindow::OnPaint(window, context, update);
    }
    std::vector<std::vector<int>> paintedRows;
};

// Runs `action` inside the next message box, while it is being activated:
// what a poll or a tray press could do in the box's message loop.
std::function<void()> insideNextBox;
LRESULT CALLBACK InsideBoxHook(int code, WPARAM wParam, LPARAM lParam) {
    char name[16] = "";
    if (code == HCBT_ACTIVATE && insideNextBox && GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof name) &&
        lstrcmpA(name, "#32770") == 0) {
        std::function<void()> action = std::move(insideNextBox);
        insideNextBox = nullptr;
        action();
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class LauncherTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        SetInstance(GetModuleHandleA(nullptr));
        FormatPropertyName();
        RegisterFrameClass();
        LoadLauncherHandles();
        trimWorkingSet = nullptr;
        // Tray icons need the taskbar, which the session's desktop starts.
        ASSERT_TRUE(PumpUntil([] { return FindWindowA("Shell_TrayWnd", nullptr) != nullptr; }, 60000));
    }
    void SetUp() override {
        ASSERT_TRUE(CopyText(baseDir, sizeof baseDir, scratch_.Path().c_str()));
        ApplySettingsWord(kDefaultSettings);
        hook_ = SetWindowsHookExA(WH_CBT, InsideBoxHook, nullptr, GetCurrentThreadId());
    }
    void TearDown() override {
        UnhookWindowsHookEx(hook_);
        StopTracking();
        window_.Destroy();
        mainWindow = nullptr;
    }
    void Create(std::initializer_list<const char*> files) {
        for (const char* file : files)
            scratch_.WriteFile(file, "x");
        window_.windowFlags |= window_flags::kNoQuitOnDestroy;
        window_.CreateHidden();
    }
    Names Labels() const {
        Names labels;
        for (int i = 0; i < window_.itemCount; ++i)
            labels.push_back(window_.items[i].label);
        return labels;
    }
    // The item file's order, through a rescan, which keeps it.
    Names Stored() const {
        ItemRecord records[kItemArraySize];
        Names labels;
        for (int i = 0, count = RescanFolder(0, records); i < count; ++i)
            labels.push_back(std::string(FileNamePart(records[i].path)).substr(0, 1));
        return labels;
    }
    bool TrayIconExists(int id) const { return TrayModify(window_.handle, nullptr, id, nullptr) != FALSE; }
    std::vector<long> Outer() const {
        RECT r;
        GetWindowRect(window_.handle, &r);
        return {r.right, r.bottom, r.bottom - r.top};
    }
    // Under Wine the X server's report of an earlier warp may arrive late and
    // put the pointer back: it is placed again once the queue is quiet.
    static void PlacePointer(int x, int y) {
        POINT p = {-1, -1};
        for (int attempt = 0; attempt < 5 && (p.x != x || p.y != y); ++attempt) {
            SetCursorPos(x, y);
            testing_support::PumpUntilQuiet();
            GetCursorPos(&p);
        }
    }
    void Open(int folder, int x = 600, int y = 500) {
        PlacePointer(x, y);
        window_.ShowFolderList(folder);
        UpdateWindow(window_.handle);
        window_.paintedRows.clear();
    }
    int RowY(int item) const { return (window_.itemCount - 1 - item) * (iconSize + rowGap) + 10; }
    void Send(UINT message, int y, WPARAM keys = 0) {
        POINT p = {40, y};
        ClientToScreen(window_.handle, &p);
        SetCursorPos(p.x, p.y);
        SendMessageA(window_.handle, message, keys, MAKELPARAM(40, y));
    }
    void Click(int y) {
        for (UINT message : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP})
            Send(message, y, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0);
    }
    // A press moved by 5 pixels starts the drag at the next poll; the drag
    // then moves to `to`, where `release` drops it.
    void Drag(int from, int to, bool release = true) {
        Send(WM_MOUSEMOVE, from);
        Send(WM_LBUTTONDOWN, from, MK_LBUTTON);
        Send(WM_MOUSEMOVE, from + 5, MK_LBUTTON);
        PollTimerProc(nullptr, WM_TIMER, 0, 0);
        Send(WM_MOUSEMOVE, to, MK_LBUTTON);
        if (release)
            Send(WM_LBUTTONUP, to);
    }

    testing_support::ScratchFolder scratch_;
    testing_support::MessageBoxRecorder boxes_;
    RecordingLauncher window_;
    HHOOK hook_ = nullptr;
};

TEST_F(LauncherTest, ListAtThePointerHighlightsLaunchesAndHides) {
    // Folders 0, 1 and 3: two tray icons; folder 3 lies beyond the gap.
    scratch_.MakeFolder("0");
    scratch_.MakeFolder("1");
    scratch_.MakeFolder("3");
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string recorder = self;
    recorder = recorder.substr(0, recorder.rfind('\\') + 1) + "launch_recorder.exe";
    ASSERT_TRUE(CopyFileA(recorder.c_str(), (scratch_ / "0\\Aa Recorder.exe").c_str(), FALSE));
    Create({"0\\Bb Letter.tdk", "0\\Cc A rather long label for a list row.tdk", "1\\One.tdk", "3\\Three.tdk"});
    EXPECT_EQ(window_.folderCount, 2);
    EXPECT_TRUE(TrayIconExists(1));
    EXPECT_FALSE(TrayIconExists(2));

    // Big icons: 3 x 38 + 3 pixels high, the pointer on the bottom row.
    Open(0);
    ASSERT_EQ(window_.itemCount, 3);
    EXPECT_EQ(Outer(), (std::vector<long>{610, 506, 117}));
    EXPECT_TRUE(GetWindowLongA(window_.handle, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(WindowFromPoint({600, 500}), window_.handle);
    Names labels = Labels();
    int recorderItem = static_cast<int>(std::find(labels.begin(), labels.end(), "Aa Recorder") - labels.begin());
    ASSERT_LT(recorderItem, 3);

    // The highlight follows the pointer; each move repaints the rows it
    // leaves and enters, never the row between them.
    struct Step {
        int y, hot;
        std::vector<std::vector<int>> rows;
    } steps[] = {{100, 0, {{2}}}, {110, 0, {}}, {10, 2, {{0, 2}}}, {50, 1, {{0, 1}}}, {114, -1, {{1}}}};
    for (const Step& step : steps) {
        window_.paintedRows.clear();
        Send(WM_MOUSEMOVE, step.y);
        EXPECT_EQ(window_.hotIndex, step.hot) << step.y;
        EXPECT_EQ(window_.paintedRows, step.rows) << step.y;
    }

    // A press held on the extra pixel row starts no drag, and its release
    // starts nothing but hides the list.
    Send(WM_LBUTTONDOWN, 114, MK_LBUTTON);
    for (int poll = 0; poll < 9; ++poll)
        PollTimerProc(nullptr, WM_TIMER, 0, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    Send(WM_LBUTTONUP, 114);
    EXPECT_FALSE(IsWindowVisible(window_.handle));
    EXPECT_EQ(window_.items, nullptr);

    // A click on a row starts its item and hides the list. Wine wakes a
    // waiting thread for a starting process's messages only at its own next
    // message, so a timer ticks meanwhile.
    Open(0);
    Click(RowY(recorderItem));
    EXPECT_FALSE(IsWindowVisible(window_.handle));
    std::string marker = scratch_ / "0\\Aa Recorder.exe.ran";
    UINT_PTR tick = SetTimer(nullptr, 0, 50, nullptr);
    EXPECT_TRUE(PumpUntil([&] { return FileExists(marker); }, 60000)) << "the recorder did not run";
    KillTimer(nullptr, tick);
    DeleteFileA(marker.c_str());

    // A second opening replaces the first at the new pointer position; the
    // pointer leaving hides it at the next poll and stops the timer.
    Open(0);
    Open(1, 300, 400);
    EXPECT_EQ(Labels(), (Names{"One"}));
    EXPECT_EQ(window_.currentFolder, 1);
    EXPECT_EQ(Outer(), (std::vector<long>{310, 406, 41}));
    PlacePointer(900, 100);
    PollTimerProc(nullptr, WM_TIMER, 0, 0);
    EXPECT_FALSE(IsWindowVisible(window_.handle));
    EXPECT_EQ(pollTimer, 0u);

    // Small icons: rows of 24.
    ApplySettingsWord(0);
    Open(0);
    EXPECT_EQ(Outer()[2], 3 * 24 + 3);
    window_.HideFolderList();

    // A vanished folder shows no list and loses its tray icon; with no folder
    // left the error icon 0 stands alone, and goes with the window.
    testing_support::RemoveTree(scratch_ / "1");
    Open(1);
    EXPECT_FALSE(IsWindowVisible(window_.handle));
    EXPECT_EQ(window_.folderCount, 1);
    testing_support::RemoveTree(scratch_ / "0");
    window_.RebuildTrayIcons();
    EXPECT_EQ(window_.folderCount, 0);
    EXPECT_TRUE(TrayIconExists(0));
    HWND owner = window_.handle;
    window_.Destroy();
    EXPECT_FALSE(TrayModify(owner, nullptr, 0, nullptr));
    EXPECT_TRUE(boxes_.Boxes().empty());
}

TEST_F(LauncherTest, DraggingReordersTheListAndTheItemFile) {
    scratch_.MakeFolder("0");
    Create({"0\\a.tdk", "0\\b.tdk", "0\\c.tdk"});
    HCURSOR no = LoadCursorA(nullptr, IDC_NO);

    // Item 0 (the bottom row) above the top row: 1, 2, 0.
    Open(0);
    Names order = Labels();
    Drag(100, 50, false);
    EXPECT_EQ(GetCapture(), window_.handle);
    HCURSOR move = window_.cursor;
    EXPECT_EQ(window_.dropIndex, -1);
    Send(WM_MOUSEMOVE, 0, MK_LBUTTON);
    EXPECT_EQ(window_.dropIndex, 3);
    EXPECT_NE(window_.cursor, move);  // the insertion cursor
    EXPECT_NE(window_.cursor, no);
    Send(WM_LBUTTONUP, 0);
    EXPECT_EQ(Labels(), (Names{order[1], order[2], order[0]}));
    EXPECT_EQ(Stored(), Labels());
    EXPECT_EQ(window_.cursor, LoadCursorA(nullptr, IDC_ARROW));

    // The top item below the bottom row: back to 0, 1, 2.
    Drag(10, 114);
    EXPECT_EQ(Labels(), order);

    // The middle item on its own boundaries: the no-drop cursor, no change.
    for (int y : {38, 75}) {
        Drag(56, y, false);
        EXPECT_EQ(window_.cursor, no) << y;
        Send(WM_LBUTTONUP, y);
        EXPECT_EQ(Stored(), order) << y;
    }

    // Escape cancels; the release after it is no click.
    Drag(100, 0, false);
    SendMessageA(window_.handle, WM_CHAR, VK_ESCAPE, 1);
    EXPECT_EQ(GetCapture(), nullptr);
    Send(WM_LBUTTONUP, 0);
    EXPECT_EQ(Labels(), order);
    EXPECT_TRUE(IsWindowVisible(window_.handle));
    EXPECT_TRUE(boxes_.Boxes().empty());  // a click would have tried to start a .tdk
}

TEST_F(LauncherTest, BoxesThatPullTheListAwayCannotBreakIt) {
    scratch_.MakeFolder("0");
    scratch_.MakeFolder("1");
    Create({"0\\first.tdk", "0\\second.exe", "1\\other.tdk"});
    scratch_.WriteFile("0\\tapdeck.dat", "foreign bytes, not an item file");

    // Inside the rescan's warning box a poll hides the list and a tray press
    // opens another folder; the opening that showed the box still ends whole.
    insideNextBox = [&] {
        window_.HideFolderList();
        window_.ShowFolderList(1);
    };
    Open(0);
    EXPECT_FALSE(insideNextBox);  // it ran
    ASSERT_EQ(boxes_.Boxes().size(), 1u);
    EXPECT_EQ(boxes_.Boxes()[0].text, "Invalid .dat file, new file created");
    EXPECT_EQ(window_.currentFolder, 0);
    Names labels = Labels();
    std::sort(labels.begin(), labels.end());
    EXPECT_EQ(labels, (Names{"first", "second"}));
    EXPECT_EQ(Outer()[2], 2 * 38 + 3);

    // A program deleted after the list opened: "Error: 2". Inside the box the
    // list, with the path the click passed, goes away.
    int program = Labels()[0] == "second" ? 0 : 1;
    ASSERT_TRUE(DeleteFileA(window_.items[program].path));
    insideNextBox = [&] { window_.HideFolderList(); };
    Click(RowY(program));
    EXPECT_FALSE(insideNextBox);
    ASSERT_EQ(boxes_.Boxes().size(), 2u);
    EXPECT_EQ(boxes_.Boxes()[1].text, "Error: 2");
    EXPECT_EQ(boxes_.Boxes()[1].caption, "Error at execute!");
    EXPECT_EQ(window_.items, nullptr);
}

}  // namespace

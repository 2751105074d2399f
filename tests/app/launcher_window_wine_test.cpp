// The launcher window on numbered scratch folders, with real tray icons, the
// real pointer position and mouse messages sent to the list. The poll
// procedure is called directly where a walk needs a poll, so that none comes
// unbidden while the walk drives.

#include "app/launcher_window.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
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
using testing_support::MessageBoxRecorder;
using testing_support::PumpUntil;
using testing_support::ReadWholeFile;
using testing_support::ScratchFolder;
using Names = std::vector<std::string>;

// The list, recording which rows each paint covers: a row counts when a point
// in its middle lies in the paint's clip region.
class RecordingLauncher : public LauncherWindow {
public:
    void OnPaint(Window* window, PaintContext* context, RECT* update) override {
        std::vector<int> rows;
        int h = iconSize + rowGap;
        for (int row = 0; items != nullptr && row < itemCount; ++row) {
            if (PtVisible(context->hdc, 60, row * h + h / 2))
                rows.push_back(row);
        }
        paintedRows.push_back(rows);
        LauncherWindow::OnPaint(window, context, update);
    }
    std::vector<std::vector<int>> paintedRows;
};

int trims = 0;
BOOL WINAPI CountTrim(HANDLE, SIZE_T, SIZE_T) {
    ++trims;
    return TRUE;
}

// Runs a function once inside the message loop of the next message box,
// before the box is answered: what a poll or a tray press could do there.
class InsideNextBox {
public:
    explicit InsideNextBox(std::function<void()> action) : action_(std::move(action)) {
        current_ = this;
        helper_ = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        SetWindowLongPtrA(helper_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HelperProc));
        hook_ = SetWindowsHookExA(WH_CBT, CbtProc, nullptr, GetCurrentThreadId());
    }
    ~InsideNextBox() {
        UnhookWindowsHookEx(hook_);
        DestroyWindow(helper_);
        current_ = nullptr;
    }
    bool ran = false;

private:
    static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam) {
        char name[16] = "";
        if (code == HCBT_ACTIVATE && current_ != nullptr && !current_->posted_ &&
            GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof name) && lstrcmpA(name, "#32770") == 0) {
            current_->posted_ = true;
            // Posted before the recorder below answers the box: the box's own
            // loop dispatches it first.
            PostMessageA(current_->helper_, WM_APP, 0, 0);
        }
        return CallNextHookEx(current_ != nullptr ? current_->hook_ : nullptr, code, wParam, lParam);
    }
    static LRESULT CALLBACK HelperProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_APP && current_ != nullptr && !current_->ran) {
            current_->ran = true;
            current_->action_();
            return 0;
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    static InsideNextBox* current_;
    std::function<void()> action_;
    HWND helper_ = nullptr;
    HHOOK hook_ = nullptr;
    bool posted_ = false;
};
InsideNextBox* InsideNextBox::current_ = nullptr;

class LauncherTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        SetInstance(GetModuleHandleA(nullptr));
        FormatPropertyName();
        RegisterFrameClass();
        LoadLauncherHandles();
        // Tray icons need the taskbar, which the session's desktop starts.
        ASSERT_TRUE(PumpUntil([] { return FindWindowA("Shell_TrayWnd", nullptr) != nullptr; }, 60000));
    }

    void SetUp() override {
        ASSERT_TRUE(CopyText(baseDir, sizeof baseDir, scratch_.Path().c_str()));
        ApplySettingsWord(kDefaultSettings);
        trimWorkingSet = CountTrim;
        trims = 0;
        dragInfo.holdCountdown = kHoldIdle;
        dragInfo.clickState = 0;
    }
    void TearDown() override {
        EndDrag(true);
        StopTracking();
        window_.Destroy();
        mainWindow = nullptr;
        ApplySettingsWord(kDefaultSettings);
    }

    void Create() {
        window_.windowFlags |= window_flags::kNoQuitOnDestroy;
        window_.CreateHidden();
        ASSERT_NE(window_.handle, nullptr);
    }
    std::string Item(int folder, const std::string& name) const {
        return scratch_.WriteFile(std::to_string(folder) + "\\" + name, "x");
    }
    // The recorder program as an item of `folder`.
    std::string RecorderItem(int folder, const std::string& name) const {
        char self[MAX_PATH] = "";
        GetModuleFileNameA(nullptr, self, sizeof self);
        std::string recorder = self;
        recorder = recorder.substr(0, recorder.rfind('\\') + 1) + "launch_recorder.exe";
        std::string path = scratch_ / (std::to_string(folder) + "\\" + name);
        EXPECT_TRUE(CopyFileA(recorder.c_str(), path.c_str(), FALSE)) << recorder;
        return path;
    }

    Names Labels() const {
        Names labels;
        for (int i = 0; window_.items != nullptr && i < window_.itemCount; ++i)
            labels.push_back(window_.items[i].label);
        return labels;
    }
    // The item file's order, by file name.
    Names Stored(int folder) const {
        std::string bytes = ReadWholeFile(scratch_ / (std::to_string(folder) + "\\tapdeck.dat"));
        ItemRecord records[item_file::kMaxStoredRead];
        int count = DecodeStoredRecords(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), records);
        Names names;
        for (int i = 0; i < count; ++i)
            names.push_back(FileNamePart(records[i].path));
        return names;
    }
    bool TrayIconExists(int id) const { return TrayModify(window_.handle, nullptr, id, nullptr) != FALSE; }
    bool ListShown() const { return IsWindowVisible(window_.handle) && window_.items != nullptr; }
    RECT Outer() const {
        RECT r;
        GetWindowRect(window_.handle, &r);
        return r;
    }
    int WidestLabel() const {
        HDC dc = GetDC(nullptr);
        HGDIOBJ previous = SelectObject(dc, GetStockObject(ANSI_VAR_FONT));
        int widest = 0;
        for (const std::string& label : Labels()) {
            SIZE size;
            GetTextExtentPoint32A(dc, label.c_str(), static_cast<int>(label.size()), &size);
            widest = std::max<int>(widest, size.cx);
        }
        SelectObject(dc, previous);
        ReleaseDC(nullptr, dc);
        return widest;
    }
    // Opens folder `folder`'s list with the pointer at (x, y) and lets it paint.
    void Open(int folder, int x, int y) {
        PlacePointer(x, y);
        window_.ShowFolderList(folder);
        UpdateWindow(window_.handle);
        window_.paintedRows.clear();
    }
    // Under Wine the X server's report of an earlier warp may arrive later
    // and put the pointer back; it is placed again once the queue is quiet.
    static void PlacePointer(int x, int y) {
        for (int attempt = 0; attempt < 5; ++attempt) {
            SetCursorPos(x, y);
            testing_support::PumpUntilQuiet();
            POINT p;
            GetCursorPos(&p);
            if (p.x == x && p.y == y)
                return;
        }
        ADD_FAILURE() << "the pointer does not stay at " << x << ", " << y;
    }
    // Waits for a file that another process writes. Wine wakes a waiting
    // thread for some messages of a starting process only at its next own
    // message, so a timer ticks meanwhile.
    static bool WaitForFile(const std::string& path) {
        UINT_PTR tick = SetTimer(nullptr, 0, 50, nullptr);
        bool found = PumpUntil([&] { return FileExists(path); }, 60000);
        KillTimer(nullptr, tick);
        return found;
    }
    // Keeps a shown list on screen for a look (TAPDECK_HOLD_MS, by hand only).
    // The real pointer's own moves reach the list meanwhile; the pointer
    // then goes to the extra pixel row, where nothing is highlighted.
    void HoldForALook() {
        const char* hold = getenv("TAPDECK_HOLD_MS");
        if (hold == nullptr)
            return;
        PumpUntil([] { return false; }, static_cast<unsigned>(atoi(hold)));
        Move(40, window_.itemCount * (iconSize + rowGap));
    }

    // The real pointer over client point (x, y), and the messages it brings.
    void Move(int x, int y) {
        POINT p = {x, y};
        ClientToScreen(window_.handle, &p);
        SetCursorPos(p.x, p.y);
        SendMessageA(window_.handle, WM_MOUSEMOVE, pressed_ ? MK_LBUTTON : 0, MAKELPARAM(x, y));
    }
    void Press(int x, int y) {
        pressed_ = true;
        SendMessageA(window_.handle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    }
    void Release(int x, int y) {
        pressed_ = false;
        SendMessageA(window_.handle, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    void Click(int x, int y) {
        Move(x, y);
        Press(x, y);
        Release(x, y);
    }
    void Poll(int times = 1) {
        for (int i = 0; i < times; ++i)
            PollTimerProc(nullptr, WM_TIMER, 0, 0);
    }
    // A press at client y moved by 5 pixels, which starts the drag at the next poll.
    void StartDrag(int y) {
        Move(40, y);
        Press(40, y);
        Move(40, y + (y > 20 ? -5 : 5));
        Poll();
    }

    ScratchFolder scratch_;
    MessageBoxRecorder boxes_;
    RecordingLauncher window_;
    bool pressed_ = false;
};

TEST_F(LauncherTest, ListAtThePointerHighlightsLaunchesAndHides) {
    // Folders 0, 1 and 3: two tray icons; folder 3 lies beyond the gap.
    scratch_.MakeFolder("0");
    scratch_.MakeFolder("1");
    scratch_.MakeFolder("3");
    RecorderItem(0, "Aa Recorder.exe");
    RecorderItem(0, "Bb Gone.exe");
    Item(0, "Cc A rather long label for a list row.tdk");
    Item(1, "One.tdk");
    Item(3, "Three.tdk");
    Create();
    EXPECT_EQ(window_.folderCount, 2);
    EXPECT_EQ(window_.currentFolder, -1);
    EXPECT_TRUE(TrayIconExists(0));
    EXPECT_TRUE(TrayIconExists(1));
    EXPECT_FALSE(TrayIconExists(2));
    EXPECT_FALSE(IsWindowVisible(window_.handle));
    EXPECT_EQ(GetWindowLongA(window_.handle, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, WS_EX_TOOLWINDOW);

    // Big icons: 3 x 38 + 3 pixels high, the pointer on the bottom row.
    Open(0, 600, 500);
    ASSERT_TRUE(ListShown());
    ASSERT_EQ(window_.itemCount, 3);
    Names labels = Labels();
    EXPECT_EQ(Stored(0).size(), 3u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Stored(0)[i].rfind(labels[i] + ".", 0), 0u) << i;
    int recorderIndex = 0;
    while (recorderIndex < 3 && labels[recorderIndex] != "Aa Recorder")
        ++recorderIndex;
    ASSERT_LT(recorderIndex, 3);
    RECT outer = Outer();
    EXPECT_EQ(outer.bottom - outer.top, 117);
    EXPECT_EQ(outer.right - outer.left, 32 + WidestLabel() + 18);
    EXPECT_EQ(outer.right, 610);
    EXPECT_EQ(outer.bottom, 506);
    EXPECT_EQ(GetWindowLongA(window_.handle, GWL_EXSTYLE) & WS_EX_TOPMOST, WS_EX_TOPMOST);
    EXPECT_EQ(WindowFromPoint({600, 500}), window_.handle);
    EXPECT_EQ(window_.currentFolder, 0);
    EXPECT_NE(pollTimer, 0u);
    HoldForALook();

    // The highlight follows the pointer; each move repaints the rows it
    // leaves and enters, never the row between them.
    struct Step {
        int y, hot;
        std::vector<int> rows;
        const char* name;
    } steps[] = {
        {100, 0, {2}, "onto the bottom row"},
        {110, 0, {}, "inside the same row"},
        {10, 2, {0, 2}, "to the top row, over the middle"},
        {50, 1, {0, 1}, "to the middle row"},
        {114, -1, {1}, "the extra pixel row"},
    };
    for (const Step& step : steps) {
        window_.paintedRows.clear();
        Move(40, step.y);
        EXPECT_EQ(window_.hotIndex, step.hot) << step.name;
        std::vector<std::vector<int>> expected;
        if (!step.rows.empty())
            expected.push_back(step.rows);
        EXPECT_EQ(window_.paintedRows, expected) << step.name;
    }

    // A press held on the extra pixel row starts no drag; its release starts
    // nothing and hides the list.
    Move(40, 114);
    Press(40, 114);
    Poll(9);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(dragInfo.mode, 0);
    Release(40, 114);
    EXPECT_FALSE(IsWindowVisible(window_.handle));
    EXPECT_EQ(window_.items, nullptr);
    EXPECT_TRUE(boxes_.Boxes().empty());
    EXPECT_GE(trims, 1);  // every hiding gives the memory back

    // A click on the recorder's row starts it, and hides the list.
    Open(0, 600, 500);
    std::string marker = scratch_ / "0\\Aa Recorder.exe.ran";
    Click(40, (2 - recorderIndex) * 38 + 19);
    EXPECT_FALSE(IsWindowVisible(window_.handle));
    EXPECT_TRUE(WaitForFile(marker)) << "the recorder did not run";
    DeleteFileA(marker.c_str());
    EXPECT_TRUE(boxes_.Boxes().empty());

    // An item deleted after the list opened: "Error: 2". Inside the box the
    // list goes away (as a poll could make it); the click survives that.
    Open(0, 600, 500);
    int gone = 0;
    while (gone < 3 && Labels()[gone] != "Bb Gone")
        ++gone;
    ASSERT_LT(gone, 3);
    ASSERT_TRUE(DeleteFileA(window_.items[gone].path));
    {
        InsideNextBox hide([&] { window_.HideFolderList(); });
        Click(40, (2 - gone) * 38 + 19);
        EXPECT_TRUE(hide.ran);
    }
    ASSERT_EQ(boxes_.Boxes().size(), 1u);
    EXPECT_EQ(boxes_.Boxes()[0].text, "Error: 2");
    EXPECT_EQ(boxes_.Boxes()[0].caption, "Error at execute!");
    EXPECT_EQ(window_.items, nullptr);
    boxes_.Clear();

    // A second opening replaces the first at the new pointer position.
    Open(0, 600, 500);
    Open(1, 300, 400);
    EXPECT_EQ(window_.currentFolder, 1);
    EXPECT_EQ(Labels(), (Names{"One"}));
    outer = Outer();
    EXPECT_EQ(outer.right, 310);
    EXPECT_EQ(outer.bottom, 406);
    EXPECT_EQ(outer.bottom - outer.top, 41);

    // The pointer leaves: the next poll hides the list and stops the timer.
    PlacePointer(900, 100);
    Poll();
    EXPECT_FALSE(IsWindowVisible(window_.handle));
    EXPECT_EQ(window_.items, nullptr);
    EXPECT_EQ(pollTimer, 0u);

    // Small icons: rows of 24, for the two items left.
    ApplySettingsWord(0);
    Open(0, 600, 500);
    ASSERT_EQ(window_.itemCount, 2);
    outer = Outer();
    EXPECT_EQ(outer.bottom - outer.top, 51);
    EXPECT_EQ(outer.right - outer.left, 16 + WidestLabel() + 18);
    Move(40, 30);
    EXPECT_EQ(window_.hotIndex, 0);
    HoldForALook();
    window_.HideFolderList();

    // An emptied folder shows no list; a vanished one also loses its icon
    // when the tray icons are rebuilt.
    DeleteFileA((scratch_ / "1\\One.tdk").c_str());
    Open(1, 300, 400);
    EXPECT_FALSE(IsWindowVisible(window_.handle));
    EXPECT_EQ(window_.items, nullptr);
    EXPECT_EQ(window_.folderCount, 2);
    testing_support::RemoveTree(scratch_ / "1");
    Open(1, 300, 400);
    EXPECT_FALSE(IsWindowVisible(window_.handle));
    EXPECT_EQ(window_.folderCount, 1);
    EXPECT_TRUE(TrayIconExists(0));
    EXPECT_FALSE(TrayIconExists(1));

    // No folder at all: the one error icon with identifier 0.
    testing_support::RemoveTree(scratch_ / "0");
    window_.RebuildTrayIcons();
    EXPECT_EQ(window_.folderCount, 0);
    EXPECT_TRUE(TrayIconExists(0));
    HWND owner = window_.handle;
    window_.Destroy();
    EXPECT_FALSE(TrayModify(owner, nullptr, 0, nullptr));  // the error icon goes with the window
    EXPECT_TRUE(boxes_.Boxes().empty());
}

TEST_F(LauncherTest, DraggingReordersTheListAndTheItemFile) {
    scratch_.MakeFolder("0");
    Item(0, "a.tdk");
    Item(0, "b.tdk");
    Item(0, "c.tdk");
    ASSERT_EQ(RescanFolder(0, nullptr), 3);
    Names stored = Stored(0);  // the folder's order: items 0, 1, 2
    Create();
    Names order = stored;
    for (std::string& name : order)
        name = name.substr(0, 1);
    auto reordered = [&](std::initializer_list<int> indexes) {
        Names names;
        for (int i : indexes)
            names.push_back(order[i]);
        return names;
    };
    auto storedAs = [&](std::initializer_list<int> indexes) {
        Names names;
        for (int i : indexes)
            names.push_back(stored[i]);
        return names;
    };
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    HCURSOR no = LoadCursorA(nullptr, IDC_NO);
    RECT unclipped;
    GetClipCursor(&unclipped);

    // Item 0 (the bottom row) above the top row: 1, 2, 0.
    Open(0, 600, 500);
    ASSERT_EQ(Labels(), order);
    StartDrag(100);
    EXPECT_EQ(dragInfo.mode, 1);
    EXPECT_EQ(GetCapture(), window_.handle);
    HCURSOR move = window_.cursor;
    EXPECT_NE(move, nullptr);
    EXPECT_NE(move, arrow);
    RECT clip;
    GetClipCursor(&clip);
    EXPECT_FALSE(EqualRect(&clip, &unclipped));  // confined to the list
    Move(40, 0);
    EXPECT_EQ(window_.dropIndex, 3);
    EXPECT_NE(window_.cursor, move);  // the insertion cursor
    EXPECT_NE(window_.cursor, no);
    Move(40, 50);
    EXPECT_EQ(window_.dropIndex, -1);
    EXPECT_EQ(window_.cursor, move);
    Move(40, 0);
    Release(40, 0);
    EXPECT_EQ(Labels(), reordered({1, 2, 0}));
    EXPECT_EQ(Stored(0), storedAs({1, 2, 0}));
    EXPECT_EQ(GetCapture(), nullptr);
    GetClipCursor(&clip);
    EXPECT_TRUE(EqualRect(&clip, &unclipped));
    EXPECT_EQ(window_.cursor, arrow);
    EXPECT_TRUE(ListShown());

    // The top item below the bottom row, on a fresh list of 0, 1, 2: 2, 0, 1.
    testing_support::RemoveTree(scratch_ / "0");
    scratch_.MakeFolder("0");
    for (const std::string& name : stored)
        Item(0, name);
    ASSERT_EQ(RescanFolder(0, nullptr), 3);
    stored = Stored(0);
    for (size_t i = 0; i < stored.size(); ++i)
        order[i] = stored[i].substr(0, 1);
    Open(0, 600, 500);
    StartDrag(10);
    Move(40, 114);
    EXPECT_EQ(window_.dropIndex, 0);
    Release(40, 114);
    EXPECT_EQ(Labels(), reordered({2, 0, 1}));
    EXPECT_EQ(Stored(0), storedAs({2, 0, 1}));
    Names now = Labels();
    std::string bytes = ReadWholeFile(scratch_ / "0\\tapdeck.dat");

    // The middle item onto its own boundaries: the no-drop cursor, and
    // nothing changes.
    for (int y : {38, 75}) {
        StartDrag(56);
        Move(40, y);
        EXPECT_EQ(window_.cursor, no) << y;
        Release(40, y);
        EXPECT_EQ(Labels(), now) << y;
        EXPECT_EQ(ReadWholeFile(scratch_ / "0\\tapdeck.dat"), bytes) << y;
    }

    // Escape cancels; the release after it is no click.
    StartDrag(100);
    Move(40, 0);
    SendMessageA(window_.handle, WM_CHAR, VK_ESCAPE, 1);
    EXPECT_EQ(dragInfo.mode, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    GetClipCursor(&clip);
    EXPECT_TRUE(EqualRect(&clip, &unclipped));
    Release(40, 0);
    EXPECT_EQ(Labels(), now);
    EXPECT_TRUE(ListShown());
    EXPECT_TRUE(boxes_.Boxes().empty());  // nothing was started
}

TEST_F(LauncherTest, TheRescanWarningBoxCannotPullTheListAway) {
    scratch_.MakeFolder("0");
    scratch_.MakeFolder("1");
    Item(0, "first.tdk");
    Item(0, "second.tdk");
    Item(1, "other.tdk");
    Create();
    scratch_.WriteFile("0\\tapdeck.dat", "foreign bytes, not an item file");

    // Inside the warning box a poll hides the list and a tray press opens
    // another folder; the opening that showed the box still ends whole.
    {
        InsideNextBox nested([&] {
            window_.HideFolderList();
            window_.ShowFolderList(1);
        });
        Open(0, 600, 500);
        EXPECT_TRUE(nested.ran);
    }
    ASSERT_EQ(boxes_.Boxes().size(), 1u);
    EXPECT_EQ(boxes_.Boxes()[0].text, "Invalid .dat file, new file created");
    EXPECT_TRUE(ListShown());
    EXPECT_EQ(window_.currentFolder, 0);
    ASSERT_EQ(window_.itemCount, 2);
    Names labels = Labels();
    std::sort(labels.begin(), labels.end());
    EXPECT_EQ(labels, (Names{"first", "second"}));
    EXPECT_EQ(Outer().bottom - Outer().top, 2 * 38 + 3);
    window_.HideFolderList();
    EXPECT_EQ(window_.items, nullptr);
}

}  // namespace

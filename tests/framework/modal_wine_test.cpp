// The nested modal loop of a frame window, the ways it ends, and the
// application's own loop.

#include <gtest/gtest.h>

#include <algorithm>

#include "framework/application.h"
#include "tests/framework/recording_window.h"

namespace {

using namespace framework_testing;
using ModalTest = FrameworkTest;

RecordingFrame* innerFrame;
int innerResult, depthInside;
bool parentEnabledInside;

// Timer procedures that act from inside a running loop.
void CALLBACK AgreeAndConfirm(HWND hwnd, UINT, UINT_PTR id, DWORD) {
    KillTimer(hwnd, id);
    static_cast<RecordingFrame*>(FromHandle(hwnd))->canClose = 1;
    parentEnabledInside = IsWindowEnabled(GetParent(hwnd)) != FALSE;
    depthInside = modalDepth;
    PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
}

void CALLBACK RunInnerLoop(HWND hwnd, UINT, UINT_PTR id, DWORD) {
    KillTimer(hwnd, id);
    SetTimer(innerFrame->handle, 2, 1, AgreeAndConfirm);
    innerResult = innerFrame->RunModal(1);
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
}

TEST_F(ModalTest, WaysTheLoopEnds) {
    CallLog otherLog;
    RecordingFrame other("O", &otherLog);
    other.windowFlags |= window_flags::kNoQuitOnDestroy;
    other.CreateFrame(nullptr, 300, 40, 100, 100, WS_POPUP | WS_VISIBLE, "O", nullptr, nullptr, 0);
    testing_support::PumpUntilQuiet(30, 2000);
    HWND w = frame->handle;
    const WPARAM close = WPARAM(-1);  // a WM_CLOSE; any other word is a WM_COMMAND's wParam
    // clang-format off
    const struct { std::vector<std::pair<HWND, WPARAM>> posts; int canClose, commandBits, result; CallLog expected; } rows[] = {
        // Only the modal window may close while its loop runs: O is not even asked.
        {{{other.handle, close}, {w, close}}, 1, 0, 2, {"W.CanClose W 2", "W.OnModalCancel"}},
        // Refused twice, then agreed to by the timer.
        {{{w, close}, {w, IDOK}}, 0, 0, 1, {"W.CanClose W 2", "W.OnCommand - 0 1", "W.CanClose - 1", "W.OnCommand - 0 1",
                                            "W.CanClose - 1", "W.OnModalOk"}},
        // Only an id below 32 without a notification code ends the loop.
        {{{w, 32}, {w, MAKEWPARAM(IDOK, BN_DOUBLECLICKED)}, {w, IDOK}}, 1, 0, 1,
         {"W.OnCommand - 0 32", "W.OnCommand - 5 1", "W.OnCommand - 0 1", "W.CanClose - 1", "W.OnModalOk"}},
        // Bit 2 of the command's result skips the ending check.
        {{{w, IDCANCEL}, {w, close}}, 1, 2, 2, {"W.OnCommand - 0 2", "W.CanClose W 2", "W.OnModalCancel"}}};
    // clang-format on
    for (const auto& row : rows) {
        log.clear();
        frame->canClose = row.canClose;
        frame->commandBits = row.commandBits;
        for (const auto& post : row.posts)
            PostMessageA(post.first, post.second == close ? WM_CLOSE : WM_COMMAND, post.second, 0);
        if (row.canClose == 0)
            SetTimer(w, 1, 10, AgreeAndConfirm);
        EXPECT_EQ(frame->RunModal(1), row.result) << row.expected[0];
        log.erase(std::remove(log.begin(), log.end(), "W.OnHide"), log.end());  // only where it was shown
        EXPECT_EQ(log, row.expected);
        EXPECT_TRUE(!IsWindowVisible(w) && modalDepth + frame->inModalLoop == 0 && IsWindow(other.handle));
    }

    // The quit message ends the loop and is consumed; the loop then no
    // longer counts, so a close request is no longer dropped. The result is
    // this loop's, not what the rows above left behind.
    PostQuitMessage(9);
    EXPECT_EQ(frame->RunModal(0), 0);
    EXPECT_EQ(modalDepth + frame->inModalLoop, 0);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    SendMessageA(other.handle, WM_CLOSE, 0, 0);
    EXPECT_EQ(other.handle, nullptr);

    // Outside its loop an OK is just a command, and EndModal changes nothing.
    log.clear();
    frame->modalResult = 5;
    frame->EndModal(1);
    Send(WM_COMMAND, MAKEWPARAM(IDOK, 0));
    EXPECT_EQ(frame->modalResult, 5);
    EXPECT_EQ(log, CallLog{"W.OnCommand - 0 1"});

    // Nested loops end one at a time, the parent disabled meanwhile.
    RecordingFrame child("C", &otherLog);
    child.CreateFrame(w, 0, 0, 50, 50, 0, nullptr, nullptr, nullptr, 0);
    innerFrame = &child;
    SetTimer(w, 1, 1, RunInnerLoop);
    EXPECT_EQ(frame->RunModal(0), 2);
    EXPECT_TRUE(innerResult == 1 && depthInside == 2 && !parentEnabledInside && IsWindowEnabled(w) && modalDepth == 0);
    child.Destroy();
}

TEST(Application, RunsUntilTheQuitMessageAndStopsThePollTimer) {
    mainWindow = nullptr;
    {
        Application app;
        EXPECT_EQ(app.run(nullptr, nullptr, "", SW_SHOW), 0);  // no main window: at once
        SetMainWindow(CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
        PostQuitMessage(3);
        EXPECT_EQ(app.run(nullptr, nullptr, "", SW_SHOW), 0);
        MSG msg;
        EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
        DestroyWindow(SetMainWindow(nullptr));
        TrackWindow(nullptr);
        ASSERT_NE(pollTimer, 0u);
    }
    EXPECT_TRUE(pollTimer == 0 && application == nullptr);
}

}  // namespace

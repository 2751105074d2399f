// The nested modal loop of a frame window and the ways it ends.

#include <gtest/gtest.h>

#include "framework/frame_window.h"
#include "tests/framework/recording_window.h"

namespace {

using namespace framework_testing;

class ModalTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetCursorPos(1000, 740);
        mainWindow = nullptr;
        modal_.windowFlags |= window_flags::kNoQuitOnDestroy;
        other_.windowFlags |= window_flags::kNoQuitOnDestroy;
        modal_.CreateFrame(nullptr, 50, 50, 100, 100, WS_POPUP | WS_VISIBLE, "M", nullptr, nullptr, 0);
        other_.CreateFrame(nullptr, 200, 50, 100, 100, WS_POPUP | WS_VISIBLE, "O", nullptr, nullptr, 0);
        Settle();
        log_.clear();
    }
    void TearDown() override {
        modal_.Destroy();
        other_.Destroy();
        mainWindow = nullptr;
    }
    void Post(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        PostMessageA(window, message, wParam, lParam);
    }

    CallLog log_;
    RecordingFrame modal_{"M", &log_};
    RecordingFrame other_{"O", &log_};
};

TEST_F(ModalTest, CloseEndsTheLoopWithCancelAndOtherClosesAreDropped) {
    Post(other_.handle, WM_CLOSE);
    Post(modal_.handle, WM_CLOSE);
    EXPECT_EQ(modal_.RunModal(1), 2);
    EXPECT_EQ(CompareCalls({"M.CanClose M 2", "M.OnModalCancel", "?M.OnHide"}, log_), "");
    EXPECT_TRUE(IsWindow(other_.handle));  // the close request to O was dropped, O was not asked
    EXPECT_FALSE(IsWindowVisible(modal_.handle));
    EXPECT_EQ(modalDepth, 0);
    EXPECT_EQ(modal_.inModalLoop, 0);
}

// Timer procedures that drive a loop from inside it.
void CALLBACK AgreeAndConfirm(HWND hwnd, UINT, UINT_PTR id, DWORD) {
    KillTimer(hwnd, id);
    static_cast<RecordingFrame*>(FromHandle(hwnd))->canClose = 1;
    PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
}

TEST_F(ModalTest, ARefusedCloseOrCommandKeepsTheLoopRunning) {
    modal_.canClose = 0;
    Post(modal_.handle, WM_CLOSE);
    Post(modal_.handle, WM_COMMAND, MAKEWPARAM(IDOK, 0));
    SetTimer(modal_.handle, 1, 10, AgreeAndConfirm);
    EXPECT_EQ(modal_.RunModal(1), 1);
    EXPECT_EQ(CompareCalls({"M.CanClose M 2", "M.OnCommand - 0 1", "M.CanClose - 1", "M.OnCommand - 0 1",
                            "M.CanClose - 1", "M.OnModalOk", "?M.OnHide"},
                           log_),
              "");
}

TEST_F(ModalTest, OnlyAStandardIdWithoutNotificationEndsTheLoop) {
    Post(modal_.handle, WM_COMMAND, MAKEWPARAM(32, 0));
    Post(modal_.handle, WM_COMMAND, MAKEWPARAM(IDOK, BN_DOUBLECLICKED));
    Post(modal_.handle, WM_COMMAND, MAKEWPARAM(IDOK, 0));
    EXPECT_EQ(modal_.RunModal(0), 1);
    EXPECT_EQ(CompareCalls({"M.OnCommand - 0 32", "M.OnCommand - 5 1", "M.OnCommand - 0 1", "M.CanClose - 1",
                            "M.OnModalOk", "?M.OnHide"},
                           log_),
              "");

    // Bit 2 of the command's result skips the ending check.
    log_.clear();
    modal_.commandBits = 2;
    Post(modal_.handle, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0));
    Post(modal_.handle, WM_CLOSE);
    EXPECT_EQ(modal_.RunModal(0), 2);
    EXPECT_EQ(CompareCalls({"M.OnCommand - 0 2", "M.CanClose M 2", "M.OnModalCancel", "?M.OnHide"}, log_), "");
}

TEST_F(ModalTest, TheQuitMessageEndsTheLoopAndIsConsumed) {
    modal_.modalResult = 0;
    PostQuitMessage(9);
    EXPECT_EQ(modal_.RunModal(0), 0);
    EXPECT_EQ(modalDepth, 0);  // the loop that the quit ended no longer counts
    EXPECT_EQ(modal_.inModalLoop, 0);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    // With no loop running, a close request is no longer dropped.
    other_.canClose = 1;
    SendMessageA(other_.handle, WM_CLOSE, 0, 0);
    EXPECT_EQ(other_.handle, nullptr);
}

TEST_F(ModalTest, EndModalOutsideItsLoopChangesNothing) {
    modal_.modalResult = 5;
    modal_.EndModal(1);
    SendMessageA(modal_.handle, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
    EXPECT_EQ(modal_.modalResult, 5);
    EXPECT_EQ(modalDepth, 0);
    EXPECT_EQ(CompareCalls({"M.OnCommand - 0 1"}, log_), "");  // not asked, not ended
}

RecordingFrame* innerFrame;
bool parentEnabledInside;
int innerResult;
int depthInside;

void CALLBACK CheckParentAndConfirm(HWND hwnd, UINT, UINT_PTR id, DWORD) {
    KillTimer(hwnd, id);
    parentEnabledInside = IsWindowEnabled(GetParent(hwnd)) != FALSE;
    depthInside = modalDepth;
    PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
}

void CALLBACK RunInnerLoop(HWND hwnd, UINT, UINT_PTR id, DWORD) {
    KillTimer(hwnd, id);
    SetTimer(innerFrame->handle, 2, 1, CheckParentAndConfirm);
    innerResult = innerFrame->RunModal(1);
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
}

TEST_F(ModalTest, NestedLoopsEndOneAtATimeAndTheParentIsDisabledMeanwhile) {
    CallLog childLog;
    RecordingFrame child("C", &childLog);
    child.CreateFrame(modal_.handle, 0, 0, 50, 50, 0, nullptr, nullptr, nullptr, 0);
    innerFrame = &child;
    parentEnabledInside = true;
    SetTimer(modal_.handle, 1, 1, RunInnerLoop);
    EXPECT_EQ(modal_.RunModal(0), 2);
    EXPECT_EQ(innerResult, 1);
    EXPECT_EQ(depthInside, 2);
    EXPECT_FALSE(parentEnabledInside);
    EXPECT_TRUE(IsWindowEnabled(modal_.handle));
    EXPECT_EQ(modalDepth, 0);
    child.Destroy();
}

}  // namespace

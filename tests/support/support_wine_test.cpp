// The harness itself: a recorder that missed a box or a pump that returned
// early would let product tests pass for the wrong reason.

#include <windows.h>

#include <gtest/gtest.h>

#include "tests/support/message_boxes.h"
#include "tests/support/pump.h"
#include "tests/support/scratch_folder.h"

namespace {

using namespace testing_support;

TEST(MessageBoxRecorder, RecordsTextCaptionAndStyleAndAnswersWithTheDefault) {
    MessageBoxRecorder boxes;
    EXPECT_EQ(MessageBoxA(nullptr, "Proceed?", "Question", MB_YESNO | MB_ICONQUESTION), IDYES);
    EXPECT_EQ(MessageBoxA(nullptr, "Stop", "Error", MB_OKCANCEL | MB_ICONERROR | MB_DEFBUTTON2), IDCANCEL);
    ASSERT_EQ(boxes.Boxes().size(), 2u);
    EXPECT_EQ(boxes.Boxes()[0].text, "Proceed?");
    EXPECT_EQ(boxes.Boxes()[0].caption, "Question");
    EXPECT_EQ(boxes.Boxes()[0].style, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(boxes.Boxes()[1].style, static_cast<UINT>(MB_OKCANCEL | MB_ICONERROR));
}

TEST(MessageBoxRecorder, NestedRecordersTakeTurns) {
    MessageBoxRecorder outer;
    {
        MessageBoxRecorder inner;
        MessageBoxA(nullptr, "inner", "", MB_OK);
        EXPECT_EQ(inner.Boxes().size(), 1u);
    }
    MessageBoxA(nullptr, "outer", "", MB_OK);
    ASSERT_EQ(outer.Boxes().size(), 1u);
    EXPECT_EQ(outer.Boxes()[0].text, "outer");
}

int ticks = 0;
void CALLBACK CountTick(HWND, UINT, UINT_PTR, DWORD) {
    ++ticks;
}

TEST(Pump, WaitsForTheConditionAndGivesUpAtTheDeadline) {
    // The timer procedure runs only when the pump dispatches WM_TIMER.
    ticks = 0;
    UINT_PTR timer = SetTimer(nullptr, 0, 10, CountTick);
    bool reached = PumpUntil([] { return ticks >= 3; });
    KillTimer(nullptr, timer);
    EXPECT_TRUE(reached);

    DWORD start = GetTickCount();
    EXPECT_FALSE(PumpUntil([] { return false; }, 200));
    EXPECT_GE(GetTickCount() - start, 190u);
}

TEST(Pump, LeavesTheQuitMessageForItsOwner) {
    PostQuitMessage(7);
    DWORD start = GetTickCount();
    PumpUntilQuiet();
    EXPECT_FALSE(PumpUntil([] { return false; }));
    EXPECT_LT(GetTickCount() - start, 2000u);  // stopped at the quit, not at the deadlines
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}

TEST(ScratchFolder, IsFreshPerTestAndGoneAfterwards) {
    std::string kept;
    {
        ScratchFolder scratch;
        kept = scratch.Path();
        EXPECT_TRUE(FolderExists(kept));
        scratch.MakeFolder("deep");
        scratch.WriteFile("deep\\file.txt", "x");
        EXPECT_EQ(ReadWholeFile(scratch / "deep\\file.txt"), "x");
        EXPECT_NE(kept.find("ScratchFolder.IsFreshPerTestAndGoneAfterwards"), std::string::npos);
    }
    EXPECT_FALSE(FolderExists(kept));
}

}  // namespace

// The pointer over frame windows: hover, leave, press-and-hold, drag, drop
// and cancel, driven by the real pointer position, mouse messages and direct
// calls of the poll procedure (no pumping while a script runs, so that no
// poll comes unbidden).

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <sstream>

#include "tests/framework/recording_window.h"
#include "tests/support/pump.h"

namespace {

using namespace framework_testing;

class TrackingTest : public FrameworkTest {
protected:
    void SetUp() override { GetClipCursor(&unclipped_); }
    bool ClipIs(RECT expected) {
        RECT clip;
        GetClipCursor(&clip);
        return EqualRect(&clip, &expected) != FALSE;
    }
    void PointAt(int x, int y) {
        POINT p = {x, y}, now;
        ClientToScreen(frame->handle, &p);
        SetCursorPos(p.x, p.y);
        // Polls read the position back: wait until the system reports it.
        for (int i = 0; i < 200 && GetCursorPos(&now) && (now.x != p.x || now.y != p.y); ++i)
            Sleep(5);
    }
    // One action a word: M move, p pointer only, P press, R release (each
    // with x,y); T polls (alone: holdTicks, T-1 one less), V the same with
    // hoverTicks; E Escape, C capture lost, A deactivated, X window
    // destroyed, S content to scroll; | K Y log a mark, the drag state, the
    // scroll state.
    void Run(const std::string& script) {
        std::istringstream words(script);
        for (std::string a; words >> a;) {
            int x = 0, y = 0;
            sscanf(a.c_str() + 1, "%d,%d", &x, &y);
            int ticks = a[0] == 'T' ? frame->holdTicks : a[0] == 'V' ? frame->hoverTicks : 0;
            for (int i = 0, polls = a.size() == 1 ? ticks : x < 0 ? ticks + x : x; i < polls && ticks; ++i)
                PollTimerProc(nullptr, WM_TIMER, 0, 0);
            RECT client;
            GetClientRect(frame->handle, &client);
            MapWindowPoints(frame->handle, nullptr, reinterpret_cast<POINT*>(&client), 2);
            char state[64];
            snprintf(state, sizeof state, "K%ld,%ld%s%s%s", dragInfo.start.x, dragInfo.start.y,
                     GetCapture() == frame->handle ? "c" : "", ClipIs(client) ? "k" : "", dragInfo.dc ? "d" : "");
            // clang-format off
            switch (a[0]) {
                case 'M': PointAt(x, y); Send(WM_MOUSEMOVE, pressed_ ? MK_LBUTTON : 0, MAKELPARAM(x, y)); break;
                case 'p': PointAt(x, y); break;
                case 'P': pressed_ = true; Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); break;
                case 'R': pressed_ = false; Send(WM_LBUTTONUP, 0, MAKELPARAM(x, y)); break;
                case 'E': Send(WM_CHAR, VK_ESCAPE, 1); break;
                case 'C': ReleaseCapture(); break;
                case 'A': Send(WM_ACTIVATE, WA_INACTIVE, 0); break;
                case 'X': frame->Destroy(); break;
                case 'S': frame->SetContentSize(0, 1000, 1), frame->scrollY = 100; break;
                case '|': log.push_back("|"); break;
                case 'K': log.push_back(state); break;
                case 'Y': log.push_back("Y" + std::to_string(frame->scrollY) + "/" + std::to_string(dragInfo.start.y + frame->scrollY));
            }
            // clang-format on
        }
    }
    // The log as tokens (D2 for OnDrag 2, C5,6 OnClick, H5,6,0 OnHover):
    // clicks always, the other kinds where `expected` has them.
    std::string Tokens(const std::string& expected) {
        std::string tokens;
        for (std::string line : log) {
            for (const char* kind : {"W.OnDrag ", "W.OnClick ", "W.OnHover "})
                line = line.rfind(kind, 0) == 0 ? kind[4] + line.substr(strlen(kind)) : line;
            std::replace(line.begin(), line.end(), ' ', ',');
            if (line[1] != '.' && (line[0] == 'C' || expected.find(line[0]) != std::string::npos))
                tokens += (tokens.empty() ? "" : " ") + line;
        }
        return tokens;
    }

    RECT unclipped_{};
    bool pressed_ = false;
};

TEST_F(TrackingTest, Scripts) {
    const struct {
        int dragMode;
        const char* script;
        const char* expected;
    } rows[] = {
        // A still press starts the drag at the holdTicks-th poll, clipped and captured.
        {1, "M50,60 P50,60 T-1 | T1 K | M70,90 R70,90", "| D0 D2 K50,60ckd | D1 D2 D1 D3"},
        // Four pixels start it at the next poll, from the press point; three do not.
        {1, "M50,60 P50,60 M53,60 M50,57 T1 | M50,64 | T1 K R50,64", "| | D0 D2 K50,60ckd D1 D3"},
        {1, "M50,60 P50,60 M54,60 T1 K R54,60", "D0 D2 K50,60ckd D1 D3"},  // across as well as down
        // A release before the drag, or after a refusal, is a click.
        {0, "M50,60 P50,60 T3 R50,60 P20,30 T R21,30", "C50,60 D0 C21,30"},
        // Escape, a lost capture or deactivation cancels; the later release is no click.
        {1, "M50,60 P50,60 T | E | R50,60", "D0 D2 | D1 D4 |"},
        {1, "M50,60 P50,60 T C P50,60 T A", "D0 D2 D1 D4 D0 D2 D1 D4"},
        // A screen drag starts in screen points and drops onto framework windows too.
        {2, "M50,60 P50,60 T K M60,70 R60,70", "D0 D2 K90,100cd D1 D2 D1 D3 D5"},
        // A destroyed window leaves no drag behind, and later polls find nothing.
        {1, "M50,60 P50,60 T X T2", "D0 D2 D1 D4"},
        // Autoscroll at the top edge keeps the drag's start on its content.
        {1, "S M50,120 P50,120 M50,125 T1 p50,1 T1 Y T20 Y p50,100 T1 Y R50,100", "Y92/220 Y0/220 Y0/220"},
        // Hover comes once after the rest and ends at the next real move (five pixels).
        {0, "M50,60 V-1 | T1 | T5 M54,56 V M60,60", "| H50,60,0 | H0,0,1"},
    };
    for (const auto& row : rows) {
        MakeFrame(WS_EX_TOPMOST);
        frame->recordMouseMessages = false;
        frame->dragMode = row.dragMode;
        Run(row.script);
        EXPECT_EQ(Tokens(row.expected), row.expected) << row.script << ::testing::PrintToString(log);
        EXPECT_TRUE(GetCapture() == nullptr && ClipIs(unclipped_) && dragInfo.mode == 0 && dragInfo.dc == nullptr);
        EXPECT_TRUE(!strchr(row.script, 'X') || (pollTimer == 0 && hoveredWindow == nullptr)) << row.script;
        FrameworkTest::TearDown();
    }
    // The real timer polls while the pointer stays over the window, and
    // stops once it has reported the pointer leaving for another window.
    MakeFrame(WS_EX_TOPMOST);
    frame->hoverTicks = 2;
    Run("M50,60");
    EXPECT_TRUE(testing_support::PumpUntil([&] { return !log.empty() && log.back() == "W.OnHover 50 60 0"; }));
    SetCursorPos(450, 150);
    EXPECT_TRUE(testing_support::PumpUntil([] { return pollTimer == 0; }));
    EXPECT_TRUE(std::count(log.begin(), log.end(), "W.OnMouseLeave hwnd") == 1 && hoveredWindow == nullptr)
        << ::testing::PrintToString(log);
}

}  // namespace

// The pointer tracking's decisions, one script a row, on a pretend Win32 side
// that logs each step by name and answers as Windows would for frames F and
// G: client areas of 200 x 150 whose origin lies at (100, 100) on the screen,
// holdTicks 3, hoverTicks 5, dragThreshold 4. Script words: M move, P press,
// R release on F (with x,y); G move onto G; Tn n polls over F, the pointer
// just inside the top edge (y 2); U a poll with the pointer at that edge
// (y 1); C a poll after F lost the capture; L a poll over no framework
// window; X F destroyed, X1 G destroyed; | the log starts again. A scroll
// moves the content a line up, the only edge here. Each row also gives the
// drag's start y as it ends, in the coordinates the handler sees.

#include "framework/tracking_rules.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

// The rules only pass window pointers on: any objects do.
class Window {};
class FrameWindow : public Window {};

namespace {

using namespace tracking_rules;

FrameWindow f, g;
// Step names in the order of Step ("up": OnMouseMessage for the release); an
// empty name logs nothing, a drag step is logged by its OnDrag code's name.
const char* const kSteps[] = {"timer", "no timer",     "capture", "uncapture", "clip",  "unclip", "DC", "screen DC",
                              "no DC", "no screen DC", "enter",   "leave",     "hover", "move",   "up", "click",
                              "",      "begin",        "",        "scroll",    "",      "forget"};
const char* const kDragSteps[] = {"", "hide", "show", "drop", "cancel", "framework"};

struct Walk {
    static WindowFacts Facts(FrameWindow* w) { return w ? WindowFacts{w, w, w, true, 5, 3, 4} : WindowFacts{}; }
    // F on the screen, for what lies under a drop.
    static bool OverF(TrackPoint p) { return p.x >= 100 && p.x < 300 && p.y >= 100 && p.y < 250; }
    // What a poll after word c finds.
    PollFacts At(char c) { return {c != 'C', {5, c == 'U' ? 1 : 2}, {200, 150}, Facts(c == 'L' ? nullptr : &f)}; }
    // Runs the steps, answering each at once as the Win32 side does.
    void Do(const Actions& steps) {
        for (int i = 0; i < steps.count; ++i) {
            const Action& a = steps.steps[i];
            bool drag = a.step == Step::kOnDrag, dc = a.step == Step::kGetDC || a.step == Step::kGetScreenDC;
            std::string word = drag ? kDragSteps[a.value] : kSteps[static_cast<int>(a.step)];
            word += a.step == Step::kOnHover && a.value == 1 ? " ended" : "";
            word += a.hwnd == &f ? "(F)" : a.hwnd == &g ? "(G)" : "";  // the window left or now under
            log += word.empty() ? "" : (log.empty() ? "" : " ") + word;
            Do(Answered(&s, a, {1, dc ? &s : nullptr, mode, {100, 100}, {0, -8}, OverF(s.drag.current)}));
            // A handler that loses the capture while the drag ends cancels it again.
            Do(drag && a.value >= drag_code::kDrop ? EndDrag(&s, true) : Actions());
            // A click handler that runs a message loop (a message box) lets polls in.
            if (a.step == Step::kOnClick)
                Do(Poll(&s, At('T')));
        }
    }
    void Run(const char* script) {
        std::istringstream words(script);
        for (std::string w; words >> w;) {
            char c = w[0];
            TrackPoint p = {0, 0};
            sscanf(w.c_str() + 1, "%d,%d", &p.x, &p.y);
            for (int i = 0; i < (c == 'T' ? p.x : 1); ++i)
                Do(c == 'M' || c == 'G' ? Move(&s, Facts(c == 'M' ? &f : &g), p, 0)
                   : c == 'P'           ? Press(&s, Facts(&f), p)
                   : c == 'R'           ? Release(&s, Facts(&f), p, 0)
                   : c == 'X'           ? WindowGone(&s, Facts(p.x == 1 ? &g : &f))
                   : c == '|'           ? (log.clear(), Actions())
                                        : Poll(&s, At(c)));
        }
    }
    int32_t mode;  // OnDrag(kBegin)'s answer
    TrackingState s = {};
    std::string log = {};
};

TEST(TrackingRules, PressHoldDragDropCancelHoverAndLeave) {
    const std::string begun = "begin DC clip show capture", cancelled = "hide cancel unclip no DC uncapture";
    const struct {
        const char *name, *script;
        int32_t mode, startY;
        std::string steps;
    } rows[] = {
        {"held, dropped", "M5,6 P5,6 T2 | T1 R5,6", 1, 6, begun + " up hide drop unclip no DC uncapture forget"},
        {"moved 4 px, not 3", "M5,6 P5,6 M8,3 T1 | M9,6 T1", 1, 6, "move " + begun},
        {"clicked after 4 px", "M5,6 P5,6 M9,6 | R9,6", 1, 0, "up click forget"},
        {"refused", "M5,6 P5,6 T2 | T1 R5,6", 0, 6, "begin up click forget"},
        {"capture lost", "M5,6 P5,6 T3 | C R5,6", 1, 6, cancelled + " up forget"},
        {"hover", "M5,6 T4 M9,10 T2 M15,16 L", 1, 0, "timer enter move move hover hover ended move leave no timer"},
        {"leave mid-drag", "M5,6 P5,6 T3 | G1,1", 1, 6, cancelled + " leave(G) enter(F) move"},
        {"leave mid-press", "M5,6 P5,6 T1 | G1,1 G9,9 T1", 1, 0, "leave(G) enter(F) move move"},
        {"screen drag", "M5,6 P5,6 T2 | T1 M6,7 R6,7", 2, 106,
         "begin screen DC show capture hide show up hide drop framework no screen DC uncapture forget"},
        {"destroyed", "M5,6 P5,6 T3 | X1 X L", 1, 6, cancelled + " forget no timer"},
        {"autoscroll", "M5,6 P5,6 T3 | T1 U", 1, 14, "hide scroll show"},
    };
    for (const auto& row : rows) {
        Walk walk{row.mode};
        walk.Run(row.script);
        EXPECT_EQ(walk.log, row.steps) << row.name;
        EXPECT_EQ(walk.s.drag.start.y, row.startY) << row.name;
    }
}

}  // namespace

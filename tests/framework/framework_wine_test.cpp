// Messages to a frame window, seen as the operations they call: dispatch and
// the filter's bits. The pointer's decisions have their table in
// tracking_rules_test.cpp; the launcher walk and the journeys drive the
// tracking, the modal loop and its ends (Quit, Alt+F4) through the real
// program's window. RecordingFrame adds one word to the log for each
// operation and answers as a test sets it.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <tuple>

#include "framework/frame_window.h"

namespace {

std::string log;

class RecordingFrame : public FrameWindow {
public:
    explicit RecordingFrame(const char* name) : name_(name) {}

    int filterBits = 0, canClose = 1;
    LRESULT filterResult = 77;

    void OnMove(Window*, int x, int y) override { Log("Move(%d,%d)", x, y); }
    void OnMouseMessage(Window*, UINT message, WPARAM wParam, int x, int y) override {
        if (message == WM_MOUSEACTIVATE)  // the pointer's messages call it too
            Log("Mouse(%u,%lld,%d,%d)", message, 0LL + wParam, x, y);
    }
    // The requester is the window itself or, for a menu command, nobody.
    int CanClose(Window*, Window* r, int c) override { return Log("CanClose(%s,%d)", r ? name_ : "-", c), canClose; }
    int FilterMessage(Window*, UINT, WPARAM, LPARAM, LRESULT* result) override {
        return *result = filterResult, filterBits;
    }

private:
    template <typename... Args>
    void Log(const char* format, Args... args) {
        char word[128];
        snprintf(word, sizeof word, format, args...);
        log += (log.empty() ? "" : " ") + std::string(word);
    }
    const char* name_;
};

TEST(Framework, DispatchAndFilterBits) {
    SetInstance(GetModuleHandleA(nullptr));  // as the program starts
    FormatPropertyName();
    RegisterFrameClass();
    RecordingFrame frame("W");
    frame.windowFlags |= window_flags::kNoQuitOnDestroy;
    frame.CreateFrame(nullptr, 40, 40, 200, 150, WS_POPUP | WS_VISIBLE, "W", nullptr, nullptr, WS_EX_TOPMOST);
    HWND w = frame.handle;
    auto send = [w](UINT message, WPARAM wParam, LPARAM lParam) { return SendMessageA(w, message, wParam, lParam); };

    // Points are signed halves: a captured pointer left of or above the
    // window is negative; WM_MOUSEACTIVATE carries a signed hit-test code and
    // a message. Filter bits 1: the step, then the filter's result (77),
    // unless the step returns by itself (a refused close); 3: neither.
    const std::tuple<const char*, const char*, int, UINT, LPARAM, LRESULT> rows[] = {
        {"negative point", "Move(-12,34)", 1, WM_MOVE, MAKELPARAM(-12, 34), 77},
        {"a refused close", "CanClose(W,2)", 1, WM_CLOSE, 0, 0},
        {"neither", "", 3, WM_MOUSEACTIVATE, 0, 77},
        {"hit-test code", "Mouse(33,0,-2,513)", 0, WM_MOUSEACTIVATE, MAKELPARAM(HTERROR, WM_LBUTTONDOWN), 1},
    };
    frame.canClose = 0;
    for (const auto& [name, expected, bits, message, lParam, result] : rows) {
        log.clear();
        frame.filterBits = bits;
        EXPECT_EQ(send(message, 0, lParam), result) << name;
        EXPECT_EQ(log, expected) << name;
    }
    frame.Destroy();
}

}  // namespace

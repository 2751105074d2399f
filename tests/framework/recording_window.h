#pragma once
// The shared set-up of the framework tests. RecordingFrame writes one line to
// a log for every operation it receives and answers as a test sets it;
// expected behaviour is a table of lines compared with the log.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/frame_window.h"
#include "framework/pointer_tracking.h"

namespace framework_testing {

using CallLog = std::vector<std::string>;

class RecordingFrame : public FrameWindow {
public:
    RecordingFrame(const char* name, CallLog* log) : name_(name), log_(log) {}

    bool recordMouseMessages = true;  // OnMouseMessage, which most messages also call
    int filterBits = 0;
    LRESULT filterResult = 1;
    int commandBits = 0;
    int notifyBits = 0;
    int canClose = 1;
    int dragMode = 0;  // what OnDrag answers to kBegin
    int eraseResult = 0;
    bool visibleDuringCreate = true;
    DragInfo lastDrag{};  // as OnDrag last saw it

    void OnSetFocus(Window* w) override { Log(w, "OnSetFocus"); }
    void OnKillFocus(Window* w) override { Log(w, "OnKillFocus"); }
    void OnShow(Window* w) override { Log(w, "OnShow"); }
    void OnHide(Window* w) override { Log(w, "OnHide"); }
    void OnCreate(Window* w) override;
    void OnDestroy(Window* w) override { Log(w, "OnDestroy"); }
    void OnSize(Window* w, int width, int height) override { Log(w, "OnSize", {width, height}); }
    void OnMove(Window* w, int x, int y) override { Log(w, "OnMove", {x, y}); }
    void OnMouseMove(Window* w, int x, int y, WPARAM keys) override { Log(w, "OnMouseMove", {x, y, (long long)keys}); }
    void OnClick(Window* w, int x, int y) override { Log(w, "OnClick", {x, y}); }
    void OnRightButtonUp(Window* w, int x, int y) override { Log(w, "OnRightButtonUp", {x, y}); }
    void OnDoubleClick(Window* w, int x, int y) override { Log(w, "OnDoubleClick", {x, y}); }
    void OnMouseEnter(Window* w, HWND previous) override { Log(w, "OnMouseEnter " + NameOf(previous)); }
    void OnMouseLeave(Window* w, HWND now) override { Log(w, "OnMouseLeave " + NameOf(now)); }
    void OnHover(Window* w, int x, int y, int ended) override { Log(w, "OnHover", {x, y, ended}); }
    int CanClose(Window* w, Window* requester, int code) override;
    int FilterMessage(Window*, UINT, WPARAM, LPARAM, LRESULT* result) override;
    int OnCommand(Window* w, Window* control, int code, HWND, int id) override;
    void OnChar(Window* w, WPARAM code) override { Log(w, "OnChar", {(long long)code}); }
    void OnKeyDown(Window* w, WPARAM key) override { Log(w, "OnKeyDown", {(long long)key}); }
    void OnMouseMessage(Window* w, UINT message, WPARAM wParam, int x, int y) override;
    void OnDrawItem(Window* w, Window* control, DRAWITEMSTRUCT*) override { Log(w, "OnDrawItem " + NameOf(control)); }
    void OnMeasureItem(Window* w, Window* c, MEASUREITEMSTRUCT*) override { Log(w, "OnMeasureItem " + NameOf(c)); }
    int OnNotify(Window* w, Window* control, NMHDR* header, LRESULT* result) override;
    int OnEraseBackground(Window* w, PaintContext*) override;
    int OnDrag(int code, DragInfo* info) override;
    void OnModalOk(Window* w) override { Log(w, "OnModalOk"); }
    void OnModalCancel(Window* w) override { Log(w, "OnModalCancel"); }

    const std::string& Name() const { return name_; }
    static std::string NameOf(Window* window);  // "-" for null, "?" for a window not recorded
    static std::string NameOf(HWND window);     // and "hwnd" for a window not ours

private:
    void Log(Window* w, const std::string& operation, std::vector<long long> args = {});
    std::string name_;
    CallLog* log_;
};

// "" when the log matches the expected lines (a line starting with '?' may
// be missing), else the first difference and the whole log.
std::string CompareCalls(const CallLog& expected, const CallLog& actual);

// Dispatches pending messages until the queue is quiet.
void Settle();

// The pointer parked away from every test window, frame "W" (200 x 150 at
// 40,40, `style` and `exStyle`) created and settled, no hover tracking and an
// empty log; the frame destroyed afterwards without posting a quit.
class FrameworkTest : public ::testing::Test {
protected:
    void SetUp() override { MakeFrame(WS_POPUP | WS_VISIBLE, 0); }
    void MakeFrame(DWORD style, DWORD exStyle, int width = 200, int height = 150);
    void TearDown() override;
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageA(frame->handle, message, wParam, lParam);
    }

    CallLog log;
    std::unique_ptr<RecordingFrame> frame;
};

}  // namespace framework_testing

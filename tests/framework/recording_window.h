#pragma once
// The shared set-up of the framework tests. RecordingFrame writes one line to
// a log for every operation it receives and answers as a test sets it;
// expected behaviour is a list of lines compared with the log.

#include <gtest/gtest.h>

#include <cstdarg>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "framework/frame_window.h"
#include "framework/pointer_tracking.h"
#include "tests/support/pump.h"

namespace framework_testing {

using CallLog = std::vector<std::string>;

class RecordingFrame : public FrameWindow {
public:
    RecordingFrame(const char* name, CallLog* log) : name_(name), log_(log) {}

    bool recordMouseMessages = true;  // OnMouseMessage, which most messages also call
    int filterBits = 0, commandBits = 0, notifyBits = 0, canClose = 1, dragMode = 0;  // dragMode: the answer to kBegin
    LRESULT filterResult = 1;
    bool visibleDuringCreate = true;

    // Operations that answer return what the test set, after logging.
    void OnSetFocus(Window* w) override { Log(w, "OnSetFocus"); }
    void OnKillFocus(Window* w) override { Log(w, "OnKillFocus"); }
    void OnShow(Window* w) override { Log(w, "OnShow"); }
    void OnHide(Window* w) override { Log(w, "OnHide"); }
    void OnCreate(Window* w) override { visibleDuringCreate = IsWindowVisible(w->handle) != FALSE; }
    void OnDestroy(Window* w) override { Log(w, "OnDestroy"); }
    void OnSize(Window* w, int width, int height) override { Log(w, "OnSize %d %d", width, height); }
    void OnMove(Window* w, int x, int y) override { Log(w, "OnMove %d %d", x, y); }
    void OnMouseMove(Window* w, int x, int y, WPARAM k) override { Log(w, "OnMouseMove %d %d %lld", x, y, 0LL + k); }
    void OnClick(Window* w, int x, int y) override { Log(w, "OnClick %d %d", x, y); }
    void OnRightButtonUp(Window* w, int x, int y) override { Log(w, "OnRightButtonUp %d %d", x, y); }
    void OnDoubleClick(Window* w, int x, int y) override { Log(w, "OnDoubleClick %d %d", x, y); }
    void OnMouseEnter(Window* w, HWND previous) override { Log(w, "OnMouseEnter %s", NameOf(previous)); }
    void OnMouseLeave(Window* w, HWND now) override { Log(w, "OnMouseLeave %s", NameOf(now)); }
    void OnHover(Window* w, int x, int y, int ended) override { Log(w, "OnHover %d %d %d", x, y, ended); }
    int CanClose(Window* w, Window* r, int code) override {
        return Log(w, "CanClose %s %d", NameOf(r), code), canClose;
    }
    int FilterMessage(Window*, UINT, WPARAM, LPARAM, LRESULT* result) override {
        return *result = filterResult, filterBits;
    }
    int OnCommand(Window* w, Window* c, int code, HWND, int id) override {
        return Log(w, "OnCommand %s %d %d", NameOf(c), code, id), commandBits;
    }
    void OnChar(Window* w, WPARAM code) override { Log(w, "OnChar %lld", 0LL + code); }
    void OnKeyDown(Window* w, WPARAM key) override { Log(w, "OnKeyDown %lld", 0LL + key); }
    void OnMouseMessage(Window* w, UINT message, WPARAM wParam, int x, int y) override {
        if (recordMouseMessages)
            Log(w, "OnMouseMessage %u %lld %d %d", message, 0LL + wParam, x, y);
    }
    void OnDrawItem(Window* w, Window* c, DRAWITEMSTRUCT*) override { Log(w, "OnDrawItem %s", NameOf(c)); }
    void OnMeasureItem(Window* w, Window* c, MEASUREITEMSTRUCT*) override { Log(w, "OnMeasureItem %s", NameOf(c)); }
    int OnNotify(Window* w, Window* c, NMHDR* header, LRESULT* result) override {
        return Log(w, "OnNotify %s %u", NameOf(c), header->code), *result = 42, notifyBits;
    }
    int OnDrag(int code, DragInfo*) override {
        return Log(this, "OnDrag %d", code), code == drag_code::kBegin ? dragMode : 0;
    }
    void OnModalOk(Window* w) override { Log(w, "OnModalOk"); }
    void OnModalCancel(Window* w) override { Log(w, "OnModalCancel"); }

    // "-" for none, "?" for a window not recorded, "hwnd" for a window not ours.
    static const char* NameOf(Window* w) {
        return !w ? "-" : w->IsFrame() ? static_cast<RecordingFrame*>(w)->name_ : "?";
    }
    static const char* NameOf(HWND hwnd) { return FromHandle(hwnd) ? NameOf(FromHandle(hwnd)) : hwnd ? "hwnd" : "-"; }

private:
    void Log(Window* w, const char* format, ...) {
        char line[128];
        va_list args;
        va_start(args, format);
        vsnprintf(line, sizeof line, format, args);
        va_end(args);
        log_->push_back(std::string(NameOf(w)) + "." + line);
    }
    const char* name_;
    CallLog* log_;
};

// The pointer parked away from every test window, frame "W" (200 x 150 at
// 40,40) created and settled, no hover tracking and an empty log; the frame
// destroyed afterwards without posting a quit.
class FrameworkTest : public ::testing::Test {
protected:
    // Each suite starts as the product does: the module instance, the property name and the frame class.
    static void SetUpTestSuite() {
        SetInstance(GetModuleHandleA(nullptr));
        FormatPropertyName();
        RegisterFrameClass();
    }
    static void TearDownTestSuite() { UnregisterFrameClass(); }
    void SetUp() override { MakeFrame(0); }
    void MakeFrame(DWORD exStyle) {
        SetCursorPos(1000, 740);  // moves reported for windows appearing under the pointer would add calls
        mainWindow = nullptr;
        frame = std::make_unique<RecordingFrame>("W", &log);
        frame->windowFlags |= window_flags::kNoQuitOnDestroy;
        frame->CreateFrame(nullptr, 40, 40, 200, 150, WS_POPUP | WS_VISIBLE, "W", nullptr, nullptr, exStyle);
        ASSERT_NE(frame->handle, nullptr);
        testing_support::PumpUntilQuiet(30, 2000);
        StopTracking();
        dragInfo.holdCountdown = kHoldIdle;
        dragInfo.clickState = 0;
        log.clear();
    }
    void TearDown() override {
        EndDrag(true);
        StopTracking();
        frame->windowFlags |= window_flags::kNoQuitOnDestroy;
        frame->Destroy();
        MSG msg;
        while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        mainWindow = nullptr;
    }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageA(frame->handle, message, wParam, lParam);
    }

    CallLog log;
    std::unique_ptr<RecordingFrame> frame;
};

}  // namespace framework_testing

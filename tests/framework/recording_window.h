#pragma once
// A frame window whose every operation writes one line to a shared log, and
// whose answers (filter bits, CanClose, drag mode ...) a test sets. Expected
// behaviour is then a table of lines compared with the log.

#include <string>
#include <vector>

#include "framework/frame_window.h"
#include "framework/pointer_tracking.h"

namespace framework_testing {

using CallLog = std::vector<std::string>;

class RecordingFrame : public FrameWindow {
public:
    explicit RecordingFrame(const char* name, CallLog* log) : name_(name), log_(log) {}

    // Operations that every message would report are recorded only on request.
    bool recordFilter = false;
    bool recordMouseMessages = true;
    int filterBits = 0;
    LRESULT filterResult = 1;
    int commandBits = 0;
    int notifyBits = 0;
    int canClose = 1;
    int dragMode = 0;
    int eraseResult = 0;

    void OnSetFocus(Window* w) override { Log(w, "OnSetFocus"); }
    void OnKillFocus(Window* w) override { Log(w, "OnKillFocus"); }
    void OnShow(Window* w) override { Log(w, "OnShow"); }
    void OnHide(Window* w) override { Log(w, "OnHide"); }
    void OnCreate(Window* w) override;
    void OnDestroy(Window* w) override { Log(w, "OnDestroy"); }
    void OnSize(Window* w, int width, int height) override { Log(w, "OnSize", {width, height}); }
    void OnMove(Window* w, int x, int y) override { Log(w, "OnMove", {x, y}); }
    void OnMouseMove(Window* w, int x, int y, WPARAM keys) override {
        Log(w, "OnMouseMove", {x, y, static_cast<long long>(keys)});
    }
    void OnClick(Window* w, int x, int y) override { Log(w, "OnClick", {x, y}); }
    void OnRightButtonUp(Window* w, int x, int y) override { Log(w, "OnRightButtonUp", {x, y}); }
    void OnDoubleClick(Window* w, int x, int y) override { Log(w, "OnDoubleClick", {x, y}); }
    void OnMouseEnter(Window* w, HWND previous) override;
    void OnMouseLeave(Window* w, HWND now) override;
    void OnHover(Window* w, int x, int y, int ended) override { Log(w, "OnHover", {x, y, ended}); }
    int CanClose(Window* w, Window* requester, int code) override;
    int FilterMessage(Window* w, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    int OnCommand(Window* w, Window* control, int code, HWND controlHandle, int id) override;
    void OnChar(Window* w, WPARAM code) override { Log(w, "OnChar", {static_cast<long long>(code)}); }
    void OnKeyDown(Window* w, WPARAM key) override { Log(w, "OnKeyDown", {static_cast<long long>(key)}); }
    void OnMouseMessage(Window* w, UINT message, WPARAM wParam, int x, int y) override;
    void OnDrawItem(Window* w, Window* control, DRAWITEMSTRUCT*) override { LogControl(w, "OnDrawItem", control); }
    void OnMeasureItem(Window* w, Window* control, MEASUREITEMSTRUCT*) override {
        LogControl(w, "OnMeasureItem", control);
    }
    void OnCompareItem(Window* w, Window* control, COMPAREITEMSTRUCT*) override {
        LogControl(w, "OnCompareItem", control);
    }
    int OnNotify(Window* w, Window* control, NMHDR* header, LRESULT* result) override;
    int OnEraseBackground(Window* w, PaintContext*) override;
    int OnDrag(int code, DragInfo* info) override;
    void OnModalOk(Window* w) override { Log(w, "OnModalOk"); }
    void OnModalCancel(Window* w) override { Log(w, "OnModalCancel"); }

    // What was seen while OnCreate ran.
    bool visibleDuringCreate = true;
    // The drag record as OnDrag last saw it.
    DragInfo lastDrag{};

    const std::string& Name() const { return name_; }

private:
    void Log(Window* w, const char* operation, std::vector<long long> args = {});
    void LogControl(Window* w, const char* operation, Window* control);

    std::string name_;
    CallLog* log_;
};

// The name of a recorder, "-" for null, "?" for another window.
std::string NameOf(Window* window);

// Compares the log with the expected lines. A line starting with '?' may be
// missing. Returns "" when they match, else the first difference.
std::string CompareCalls(const CallLog& expected, const CallLog& actual);

// Dispatches pending messages until the queue is quiet.
void Settle();

}  // namespace framework_testing

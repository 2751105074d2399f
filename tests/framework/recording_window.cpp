#include "tests/framework/recording_window.h"

#include <sstream>

#include "tests/support/pump.h"

namespace framework_testing {

std::string RecordingFrame::NameOf(Window* window) {
    if (window == nullptr)
        return "-";
    return window->IsFrame() ? static_cast<RecordingFrame*>(window)->Name() : "?";
}

std::string RecordingFrame::NameOf(HWND window) {
    Window* ours = FromHandle(window);
    return ours != nullptr ? NameOf(ours) : window == nullptr ? "-" : "hwnd";
}

void RecordingFrame::Log(Window* w, const std::string& operation, std::vector<long long> args) {
    std::ostringstream line;
    line << NameOf(w) << "." << operation;
    for (long long a : args)
        line << " " << a;
    log_->push_back(line.str());
}

void RecordingFrame::OnCreate(Window* w) {
    visibleDuringCreate = IsWindowVisible(w->handle) != FALSE;
    Log(w, "OnCreate");
}

int RecordingFrame::CanClose(Window* w, Window* requester, int code) {
    Log(w, "CanClose " + NameOf(requester), {code});
    return canClose;
}

int RecordingFrame::FilterMessage(Window*, UINT, WPARAM, LPARAM, LRESULT* result) {
    *result = filterResult;
    return filterBits;
}

int RecordingFrame::OnCommand(Window* w, Window* control, int code, HWND, int id) {
    Log(w, "OnCommand " + NameOf(control), {code, id});
    return commandBits;
}

void RecordingFrame::OnMouseMessage(Window* w, UINT message, WPARAM wParam, int x, int y) {
    if (recordMouseMessages)
        Log(w, "OnMouseMessage", {message, (long long)wParam, x, y});
}

int RecordingFrame::OnNotify(Window* w, Window* control, NMHDR* header, LRESULT* result) {
    Log(w, "OnNotify " + NameOf(control), {(long long)header->code});
    *result = 42;
    return notifyBits;
}

int RecordingFrame::OnEraseBackground(Window* w, PaintContext*) {
    Log(w, "OnEraseBackground");
    return eraseResult;
}

int RecordingFrame::OnDrag(int code, DragInfo* info) {
    lastDrag = *info;
    Log(this, "OnDrag", {code});
    return code == drag_code::kBegin ? dragMode : 0;
}

std::string CompareCalls(const CallLog& expected, const CallLog& actual) {
    size_t a = 0, e = 0;
    for (; e < expected.size(); ++e) {
        bool optional = expected[e][0] == '?';
        if (a < actual.size() && actual[a] == expected[e].substr(optional))
            ++a;
        else if (!optional)
            break;
    }
    if (e == expected.size() && a == actual.size())
        return "";
    std::string text = e < expected.size() ? "call " + std::to_string(a) + ": expected \"" + expected[e] + "\""
                                           : "unexpected call " + std::to_string(a);
    for (const std::string& line : actual)
        text += "\n  " + line;
    return text;
}

void Settle() {
    testing_support::PumpUntilQuiet(30, 2000);
}

void FrameworkTest::MakeFrame(DWORD style, DWORD exStyle, int width, int height) {
    // Moves the system reports for windows appearing under the pointer would
    // add calls to the log.
    SetCursorPos(1000, 740);
    mainWindow = nullptr;
    frame = std::make_unique<RecordingFrame>("W", &log);
    frame->windowFlags |= window_flags::kNoQuitOnDestroy;
    frame->CreateFrame(nullptr, 40, 40, width, height, style, "W", nullptr, nullptr, exStyle);
    ASSERT_NE(frame->handle, nullptr);
    Settle();
    StopTracking();
    dragInfo.holdCountdown = kHoldIdle;
    dragInfo.clickState = 0;
    log.clear();
}

void FrameworkTest::TearDown() {
    EndDrag(true);
    StopTracking();
    if (frame->handle != nullptr) {
        frame->windowFlags |= window_flags::kNoQuitOnDestroy;
        frame->Destroy();
    }
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    mainWindow = nullptr;
}

// Every framework test program starts as the product does: the module
// instance, the property name and the frame class.
class FrameworkEnvironment : public ::testing::Environment {
    void SetUp() override {
        SetInstance(GetModuleHandleA(nullptr));
        dragInfo.holdCountdown = kHoldIdle;
        FormatPropertyName();
        ASSERT_TRUE(RegisterFrameClass());
    }
    void TearDown() override { UnregisterFrameClass(); }
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new FrameworkEnvironment);

}  // namespace framework_testing

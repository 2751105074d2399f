#include "tests/support/message_boxes.h"

namespace testing_support {

namespace {

thread_local MessageBoxRecorder* activeRecorder = nullptr;
constexpr int kTextId = 0xFFFF;  // the static that holds a message box's text

std::string TextOf(HWND window) {
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

}  // namespace

MessageBoxRecorder::MessageBoxRecorder() : previous_(activeRecorder) {
    activeRecorder = this;
    hook_ = SetWindowsHookExA(WH_CBT, CbtProc, nullptr, GetCurrentThreadId());
}

MessageBoxRecorder::~MessageBoxRecorder() {
    UnhookWindowsHookEx(hook_);
    activeRecorder = previous_;
}

LRESULT CALLBACK MessageBoxRecorder::CbtProc(int code, WPARAM wParam, LPARAM lParam) {
    MessageBoxRecorder* recorder = activeRecorder;
    HWND window = reinterpret_cast<HWND>(wParam);
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    bool isBox = lstrcmpA(className, "#32770") == 0 && GetDlgItem(window, kTextId) != nullptr;
    if (recorder != nullptr && code == HCBT_ACTIVATE && isBox && recorder->open_.insert(window).second) {
        recorder->boxes_.push_back({TextOf(GetDlgItem(window, kTextId)), TextOf(window)});
        std::function<void()> action = std::move(recorder->insideNextBox);
        recorder->insideNextBox = nullptr;
        if (action)
            action();
        // The box picks its default button only after activation: Enter goes
        // through its own dialog loop.
        PostMessageA(window, WM_KEYDOWN, VK_RETURN, 1);
    } else if (recorder != nullptr && code == HCBT_DESTROYWND) {
        recorder->open_.erase(window);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace testing_support

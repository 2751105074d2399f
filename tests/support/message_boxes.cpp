#include "tests/support/message_boxes.h"

namespace testing_support {

namespace {

thread_local MessageBoxRecorder* activeRecorder = nullptr;
constexpr int kTextId = 0xFFFF;  // the static that holds a message box's text

// The icon (control 20 on Windows, 0x0440 in Wine's own box) compared with
// the shared system icons.
UINT IconStyleOf(HWND box) {
    const UINT icons[][2] = {
        {32513, MB_ICONHAND}, {32514, MB_ICONQUESTION}, {32515, MB_ICONEXCLAMATION}, {32516, MB_ICONASTERISK}};
    for (int id : {20, 0x0440}) {
        auto shown = reinterpret_cast<HICON>(SendDlgItemMessageA(box, id, STM_GETICON, 0, 0));
        for (const auto& known : icons)
            if (shown != nullptr && shown == LoadIconA(nullptr, MAKEINTRESOURCEA(known[0])))
                return known[1];
    }
    return 0;
}

}  // namespace

std::string TextOf(HWND window) {
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

MessageBoxRecorder::MessageBoxRecorder()
    : hook_(SetWindowsHookExA(WH_CBT, CbtProc, nullptr, GetCurrentThreadId())), previous_(activeRecorder) {
    activeRecorder = this;
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
        recorder->boxes_.push_back({TextOf(GetDlgItem(window, kTextId)), TextOf(window), IconStyleOf(window)});
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

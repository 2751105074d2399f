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

// Boxes show the shared system icons, so the handle tells the style. The
// icon is item 20 on Windows and 0x0440 (stc1) in Wine's own box.
UINT IconOf(HWND box) {
    const struct {
        LPCSTR icon;
        UINT style;
    } icons[] = {{IDI_HAND, MB_ICONHAND},
                 {IDI_QUESTION, MB_ICONQUESTION},
                 {IDI_EXCLAMATION, MB_ICONEXCLAMATION},
                 {IDI_ASTERISK, MB_ICONASTERISK}};
    for (int id : {20, 0x0440}) {
        auto shown = reinterpret_cast<HICON>(SendDlgItemMessageA(box, id, STM_GETICON, 0, 0));
        for (const auto& i : icons) {
            if (shown != nullptr && shown == LoadIconA(nullptr, i.icon))
                return i.style;
        }
    }
    return 0;
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
        recorder->boxes_.push_back({TextOf(GetDlgItem(window, kTextId)), TextOf(window), IconOf(window)});
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

#include "tests/support/message_boxes.h"

namespace testing_support {

namespace {

thread_local MessageBoxRecorder* activeRecorder = nullptr;

// Control identifiers inside a message box: the text is 0xFFFF everywhere; the
// icon is 20 on Windows and 0x0440 (stc1) in Wine's own box.
constexpr int kTextId = 0xFFFF;
constexpr int kIconIds[] = {20, 0x0440};

bool IsMessageBox(HWND window) {
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    return lstrcmpA(className, "#32770") == 0 && GetDlgItem(window, kTextId) != nullptr;
}

UINT ButtonSet(HWND box) {
    auto has = [box](int id) { return GetDlgItem(box, id) != nullptr; };
    if (has(IDABORT))
        return MB_ABORTRETRYIGNORE;
    if (has(IDYES))
        return has(IDCANCEL) ? MB_YESNOCANCEL : MB_YESNO;
    if (has(IDRETRY))
        return MB_RETRYCANCEL;
    if (has(IDCANCEL))
        return MB_OKCANCEL;
    return MB_OK;
}

// Message boxes show the shared system icons, so comparing handles tells the
// icon style apart.
UINT IconStyle(HWND box) {
    for (int id : kIconIds) {
        HWND control = GetDlgItem(box, id);
        if (control == nullptr)
            continue;
        HICON shown = reinterpret_cast<HICON>(SendMessageA(control, STM_GETICON, 0, 0));
        if (shown == nullptr)
            continue;
        if (shown == LoadIcon(nullptr, IDI_HAND))
            return MB_ICONHAND;
        if (shown == LoadIcon(nullptr, IDI_QUESTION))
            return MB_ICONQUESTION;
        if (shown == LoadIcon(nullptr, IDI_EXCLAMATION))
            return MB_ICONEXCLAMATION;
        if (shown == LoadIcon(nullptr, IDI_ASTERISK))
            return MB_ICONASTERISK;
        return MB_USERICON;
    }
    return 0;
}

std::string WindowText(HWND window) {
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
    if (hook_ != nullptr) {
        UnhookWindowsHookEx(hook_);
    }
    activeRecorder = previous_;
}

void MessageBoxRecorder::Record(HWND box) {
    boxes_.push_back({WindowText(GetDlgItem(box, kTextId)), WindowText(box), ButtonSet(box) | IconStyle(box)});
    std::function<void()> action = std::move(insideNextBox);
    insideNextBox = nullptr;
    if (action)
        action();
    // Answered as a user's Enter would be: the box chooses its default button
    // only after activation, so the choice is left to its own dialog loop.
    PostMessageA(box, WM_KEYDOWN, VK_RETURN, 1);
}

LRESULT CALLBACK MessageBoxRecorder::CbtProc(int code, WPARAM wParam, LPARAM lParam) {
    MessageBoxRecorder* recorder = activeRecorder;
    HWND window = reinterpret_cast<HWND>(wParam);
    if (recorder != nullptr && code == HCBT_ACTIVATE && recorder->open_.count(window) == 0 && IsMessageBox(window)) {
        recorder->open_.insert(window);
        recorder->Record(window);
    } else if (recorder != nullptr && code == HCBT_DESTROYWND) {
        recorder->open_.erase(window);
    }
    return CallNextHookEx(recorder != nullptr ? recorder->hook_ : nullptr, code, wParam, lParam);
}

}  // namespace testing_support

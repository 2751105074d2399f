#include "tests/markup_dialog/dialog_driver.h"

#include <cstdlib>

#include "markup_dialog/markup_dialog.h"

namespace markup_testing {

namespace {

struct Script {
    const std::vector<Step>* steps;
    size_t next;
    DWORD deadline;
    bool busy;
    bool timedOut;
};

Script* running = nullptr;

BOOL CALLBACK CloseOne(HWND window, LPARAM) {
    char name[32] = "";
    GetClassNameA(window, name, sizeof name);
    if (IsWindowVisible(window) && (lstrcmpA(name, kMarkupDialogClass) == 0 || lstrcmpA(name, "#32770") == 0)) {
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
    return TRUE;
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    Script* script = running;
    if (script == nullptr || script->busy) {
        return;
    }
    // Also after the last step: a dialog the script failed to end must not
    // block the test.
    if (GetTickCount() - script->deadline < 0x80000000u) {
        script->timedOut = true;
        EnumThreadWindows(GetCurrentThreadId(), CloseOne, 0);
        return;
    }
    if (script->next >= script->steps->size()) {
        return;
    }
    script->busy = true;
    if ((*script->steps)[script->next]()) {
        ++script->next;
    }
    script->busy = false;
}

INPUT KeyInput(WORD key, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, 0));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

}  // namespace

ScriptResult RunScript(const std::function<int()>& show, const std::vector<Step>& steps, unsigned timeoutMs) {
    Script script = {&steps, 0, GetTickCount() + timeoutMs, false, false};
    Script* outer = running;
    running = &script;
    UINT_PTR timer = SetTimer(nullptr, 0, 20, Tick);
    int result = show();
    KillTimer(nullptr, timer);
    running = outer;
    ScriptResult outcome = {result, !script.timedOut && script.next == steps.size(), ""};
    if (!outcome.finished) {
        outcome.failure = "stopped at step " + std::to_string(script.next) + (script.timedOut ? " (timed out)" : "");
    }
    return outcome;
}

HWND MarkupDialog() {
    HWND dialog = FindWindowA(kMarkupDialogClass, nullptr);
    return dialog != nullptr && IsWindowVisible(dialog) ? dialog : nullptr;
}

HWND CommonDialogOf(HWND owner) {
    HWND candidate = nullptr;
    while ((candidate = FindWindowExA(nullptr, candidate, "#32770", nullptr)) != nullptr) {
        if (GetWindow(candidate, GW_OWNER) == owner && IsWindowVisible(candidate)) {
            return candidate;
        }
    }
    return nullptr;
}

Step Settle(unsigned ms) {
    auto start = std::make_shared<DWORD>(0);
    return [start, ms] {
        if (*start == 0) {
            *start = GetTickCount() | 1;
        }
        return HIWORD(GetQueueStatus(QS_INPUT)) == 0 && GetTickCount() - *start >= ms;
    };
}

Step WaitForDialog(HWND* dialog) {
    return [dialog] {
        *dialog = MarkupDialog();
        if (*dialog == nullptr) {
            return false;
        }
        if (GetForegroundWindow() != *dialog) {
            SetForegroundWindow(*dialog);
            return false;
        }
        return true;
    };
}

void PressKey(WORD key) {
    PressKeys({key});
}

void PressKeys(std::initializer_list<WORD> chord) {
    std::vector<INPUT> inputs;
    for (WORD key : chord) {
        inputs.push_back(KeyInput(key, false));
    }
    for (auto key = chord.end(); key != chord.begin();) {
        inputs.push_back(KeyInput(*--key, true));
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void TypeText(const std::string& text) {
    std::vector<INPUT> inputs;
    for (char c : text) {
        for (bool up : {false, true}) {
            INPUT input = {};
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = static_cast<unsigned char>(c);
            input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
            inputs.push_back(input);
        }
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

namespace {

void SendMouse(POINT screen, DWORD flags) {
    int width = GetSystemMetrics(SM_CXSCREEN);
    int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    // Rounded up, so that scaling back to pixels lands on the same pixel.
    input.mi.dx = (screen.x * 65536 + width - 1) / width;
    input.mi.dy = (screen.y * 65536 + height - 1) / height;
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

}  // namespace

Where CentreOf(std::function<HWND()> window) {
    return [window](POINT* point) {
        HWND target = window();
        RECT rect;
        if (target == nullptr || !GetWindowRect(target, &rect)) {
            return false;
        }
        *point = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        return true;
    };
}

Where CloseBoxOf(std::function<HWND()> window) {
    return [window](POINT* point) {
        HWND target = window();
        RECT rect;
        if (target == nullptr || !GetWindowRect(target, &rect)) {
            return false;
        }
        for (int y = rect.top; y < rect.top + 40; ++y) {
            for (int x = rect.right - 1; x > rect.right - 60; --x) {
                if (SendMessageA(target, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) {
                    *point = {x - 3, y + 3};
                    return true;
                }
            }
        }
        return false;
    };
}

Step ClickOn(Where where, int clicks) {
    auto target = std::make_shared<POINT>();
    auto moved = std::make_shared<bool>(false);
    return [=] {
        if (!*moved) {
            if (!where(target.get())) {
                return false;
            }
            SendMouse(*target, MOUSEEVENTF_MOVE);
            *moved = true;
            return false;
        }
        POINT now;
        GetCursorPos(&now);
        if (abs(now.x - target->x) > 1 || abs(now.y - target->y) > 1) {
            SendMouse(*target, MOUSEEVENTF_MOVE);
            return false;
        }
        for (int i = 0; i < clicks; ++i) {
            SendMouse(*target, MOUSEEVENTF_LEFTDOWN);
            SendMouse(*target, MOUSEEVENTF_LEFTUP);
        }
        return true;
    };
}

std::string TextOf(HWND window) {
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

RECT ClientRectIn(HWND window, HWND parent) {
    RECT rect;
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace markup_testing

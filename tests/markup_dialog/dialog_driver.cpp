#include "tests/markup_dialog/dialog_driver.h"

#include <cstdlib>
#include <sstream>
#include <vector>

#include "markup_dialog/markup_dialog.h"

namespace markup_testing {

namespace {

struct Script {
    std::vector<std::string> words;
    size_t next;
    DWORD deadline, since;
    bool busy, timedOut, moved;
    HWND owner, dialog;
    std::string seen;
};

Script* running = nullptr;

BOOL CALLBACK CloseOne(HWND window, LPARAM) {
    char name[32] = "";
    GetClassNameA(window, name, sizeof name);
    if (IsWindowVisible(window) && (lstrcmpA(name, kMarkupDialogClass) == 0 || lstrcmpA(name, "#32770") == 0))
        PostMessageA(window, WM_CLOSE, 0, 0);
    return TRUE;
}

void Send(std::vector<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

INPUT Key(WORD key, bool up, WORD unicode = 0) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = unicode != 0 ? unicode : static_cast<WORD>(MapVirtualKeyA(key, 0));
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (unicode != 0 ? KEYEVENTF_UNICODE : 0);
    return input;
}

void Mouse(POINT at, DWORD flags) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    // Rounded up, so that scaling back to pixels lands on the same pixel.
    input.mi.dx = (at.x * 65536 + GetSystemMetrics(SM_CXSCREEN) - 1) / GetSystemMetrics(SM_CXSCREEN);
    input.mi.dy = (at.y * 65536 + GetSystemMetrics(SM_CYSCREEN) - 1) / GetSystemMetrics(SM_CYSCREEN);
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    Send({input});
}

// "400" an item of the markup dialog, "401/403" an item inside one, "c1" an
// item of its common dialog.
HWND Item(const std::string& id) {
    HWND dialog = MarkupDialog();
    if (id[0] == 'c')
        return GetDlgItem(CommonDialogOf(dialog), atoi(id.c_str() + 1));
    size_t slash = id.find('/');
    HWND item = GetDlgItem(dialog, atoi(id.c_str()));
    return slash == std::string::npos ? item : GetDlgItem(item, atoi(id.c_str() + slash + 1));
}

// Where a click goes: an item's centre, "close" the close box, "list2" list item 2.
bool Target(const std::string& where, POINT* point) {
    HWND dialog = MarkupDialog();
    RECT r;
    if (where == "close") {
        for (GetWindowRect(dialog, &r), point->y = r.top; dialog != nullptr && point->y < r.top + 40; ++point->y) {
            for (point->x = r.right - 1; point->x > r.right - 60; --point->x) {
                if (SendMessageA(dialog, WM_NCHITTEST, 0, MAKELPARAM(point->x, point->y)) == HTCLOSE) {
                    *point = {point->x - 3, point->y + 3};
                    return true;
                }
            }
        }
        return false;
    }
    if (where.rfind("list", 0) == 0) {
        HWND list = Item("400");
        if (list == nullptr || SendMessageA(list, LB_GETITEMRECT, atoi(where.c_str() + 4), (LPARAM)&r) == LB_ERR)
            return false;
        MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&r), 2);
        r.right = r.left + 20;
    } else if (Item(where) == nullptr || !GetWindowRect(Item(where), &r)) {
        return false;
    }
    *point = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    return true;
}

std::string Probe(const std::string& what, HWND owner) {
    std::string kind = what.substr(0, what.find(':'));
    std::string id = what.substr(what.find(':') + 1);
    HWND item = Item(id);
    LONG style = GetWindowLongA(item, GWL_STYLE);
    if (kind == "on")
        return std::to_string(SendMessageA(item, BM_GETCHECK, 0, 0) == BST_CHECKED);
    if (kind == "en")
        return std::to_string(IsWindowEnabled(item) != FALSE);
    if (kind == "t")
        return TextOf(item);
    if (kind == "ro")
        return std::to_string((style & ES_READONLY) != 0) + std::to_string((style & WS_VSCROLL) != 0);
    if (kind == "def")
        return std::to_string((style & 0x0F) == BS_DEFPUSHBUTTON);
    if (kind == "focus")
        return std::to_string(GetDlgCtrlID(GetFocus()));
    if (kind == "cb")
        return std::to_string(SendMessageA(item, CB_GETCURSEL, 0, 0)) + "/" +
               std::to_string(SendMessageA(item, CB_GETCOUNT, 0, 0));
    if (kind == "open")
        return std::to_string(MarkupDialog() != nullptr) + std::to_string(CommonDialogOf(MarkupDialog()) != nullptr);
    if (kind == "name") {  // Wine's hooked dialog has the plain name box edt1, Windows the combo box cmb13
        HWND chooser = CommonDialogOf(MarkupDialog());
        return TextOf(GetDlgItem(chooser, 0x480) != nullptr ? GetDlgItem(chooser, 0x480) : GetDlgItem(chooser, 0x47c));
    }
    if (kind == "title")
        return TextOf(CommonDialogOf(MarkupDialog()));
    if (kind == "owner")
        return std::to_string(IsWindowEnabled(owner) != FALSE);
    if (kind == "first") {
        HWND child = GetWindow(MarkupDialog(), GW_CHILD);
        char name[16] = "";
        GetClassNameA(child, name, sizeof name);
        return std::string(name) + "," + TextOf(child) + "," + std::to_string(GetWindowLongA(child, GWL_ID));
    }
    if (kind == "band") {  // right of every control, around the line below a message's band
        RECT client;
        GetClientRect(MarkupDialog(), &client);
        RedrawWindow(MarkupDialog(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
        HDC dc = GetDC(MarkupDialog());
        std::string band;
        for (int y = atoi(id.c_str()) - 1; y <= atoi(id.c_str()) + 1; ++y) {
            COLORREF c = GetPixel(dc, client.right - 3, y);
            band += c == GetSysColor(COLOR_WINDOW) ? 'w' : c == 0 ? 'k' : c == GetSysColor(COLOR_BTNFACE) ? 'f' : '?';
        }
        ReleaseDC(MarkupDialog(), dc);
        return band;
    }
    return "?" + what;
}

// Runs one word; false repeats it at the next tick.
bool Run(Script* s, const std::string& word) {
    std::string verb = word.substr(0, word.find(':'));
    std::string arg = word.find(':') == std::string::npos ? "" : word.substr(word.find(':') + 1);
    const struct {
        const char* name;
        std::vector<WORD> chord;
    } keys[] = {{"Enter", {VK_RETURN}},      {"Esc", {VK_ESCAPE}}, {"Space", {VK_SPACE}},           {"End", {VK_END}},
                {"AltF4", {VK_MENU, VK_F4}}, {"Home", {VK_HOME}},  {"ShiftEnd", {VK_SHIFT, VK_END}}};
    for (const auto& key : keys) {
        if (verb == key.name) {
            std::vector<INPUT> inputs;
            for (WORD k : key.chord)
                inputs.push_back(Key(k, false));
            for (auto k = key.chord.rbegin(); k != key.chord.rend(); ++k)
                inputs.push_back(Key(*k, true));
            Send(inputs);
            return true;
        }
    }
    if (verb == "wait") {  // for the dialog, and for the keyboard
        s->dialog = MarkupDialog();
        if (s->dialog != nullptr && GetForegroundWindow() != s->dialog)
            SetForegroundWindow(s->dialog);
        return s->dialog != nullptr && GetForegroundWindow() == s->dialog;
    }
    if (verb[0] == '?') {
        s->seen += (s->seen.empty() ? "" : " ") + Probe(word.substr(1), s->owner);
    } else if (verb == "until") {
        size_t equals = arg.rfind('=');
        return Probe(arg.substr(0, equals), s->owner) == arg.substr(equals + 1);
    } else if (verb == "settle") {  // the input sent has left the queue, and 150 ms passed for what it set off
        s->since = s->since != 0 ? s->since : GetTickCount() | 1;
        if (HIWORD(GetQueueStatus(QS_INPUT)) != 0 || GetTickCount() - s->since < 150)
            return false;
        s->since = 0;
    } else if (verb == "type") {
        std::vector<INPUT> inputs;
        for (char c : arg)
            inputs.insert(inputs.end(), {Key(0, false, static_cast<unsigned char>(c)), Key(0, true, c)});
        Send(inputs);
    } else if (verb == "click" || verb == "dbl") {
        // The pointer is moved first and the buttons sent once it is there:
        // Wine takes the buttons of one batch at the pointer's old place.
        POINT target, now;
        if (!Target(arg, &target))
            return false;
        GetCursorPos(&now);
        if (!s->moved || abs(now.x - target.x) > 1 || abs(now.y - target.y) > 1) {
            Mouse(target, MOUSEEVENTF_MOVE);
            s->moved = true;
            return false;
        }
        s->moved = false;
        for (int i = verb == "dbl" ? 2 : 1; i > 0; --i) {
            Mouse(target, MOUSEEVENTF_LEFTDOWN);
            Mouse(target, MOUSEEVENTF_LEFTUP);
        }
    } else if (verb == "focus") {
        SetFocus(Item(arg));
    } else if (verb == "set") {
        SetWindowTextA(Item(arg.substr(0, arg.find('='))), arg.substr(arg.find('=') + 1).c_str());
    } else if (verb == "quit") {
        PostQuitMessage(atoi(arg.c_str()));
    }
    return true;
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    Script* s = running;
    if (s == nullptr || s->busy)
        return;
    // Also after the last word: a dialog the script failed to end must not block.
    if (GetTickCount() - s->deadline < 0x80000000u) {
        s->timedOut = true;
        EnumThreadWindows(GetCurrentThreadId(), CloseOne, 0);
    } else if (s->next < s->words.size()) {
        s->busy = true;
        s->next += Run(s, s->words[s->next]) ? 1 : 0;
        s->busy = false;
    }
}

}  // namespace

Outcome Drive(const std::function<int()>& show, const std::string& script, HWND owner, unsigned timeoutMs) {
    Script s = {{"wait"}, 0, GetTickCount() + timeoutMs, 0, false, false, false, owner, nullptr, ""};
    std::istringstream words(script);
    for (std::string word; words >> word;)
        s.words.push_back(word);
    Script* outer = running;
    running = &s;
    UINT_PTR timer = SetTimer(nullptr, 0, 20, Tick);
    int result = show();
    KillTimer(nullptr, timer);
    running = outer;
    std::string failure;
    if (s.timedOut || s.next < s.words.size())
        failure = "stopped at '" + (s.next < s.words.size() ? s.words[s.next] : "") + "'" +
                  (s.timedOut ? " (timed out)" : "");
    return {result, s.seen, failure, s.dialog};
}

HWND MarkupDialog() {
    HWND dialog = FindWindowA(kMarkupDialogClass, nullptr);
    return dialog != nullptr && IsWindowVisible(dialog) ? dialog : nullptr;
}

HWND CommonDialogOf(HWND owner) {
    for (HWND c = nullptr; (c = FindWindowExA(nullptr, c, "#32770", nullptr)) != nullptr;) {
        if (GetWindow(c, GW_OWNER) == owner && IsWindowVisible(c))
            return c;
    }
    return nullptr;
}

std::string TextOf(HWND window) {
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

}  // namespace markup_testing

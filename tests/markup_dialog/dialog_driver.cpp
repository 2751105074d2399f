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

// Keys pressed in order and released in reverse; with KEYEVENTF_UNICODE each
// is a character.
void SendKeys(const std::vector<WORD>& keys, DWORD unicode = 0) {
    std::vector<INPUT> inputs;
    HWND focus = GetFocus() != nullptr ? GetFocus() : MarkupDialog();
    for (size_t i = 0, n = keys.size(); i < 2 * n; ++i) {
        WORD key = keys[i < n ? i : 2 * n - 1 - i], scan = unicode ? key : static_cast<WORD>(MapVirtualKeyA(key, 0));
        DWORD up = i < n ? 0 : KEYEVENTF_KEYUP;
        inputs.push_back({INPUT_KEYBOARD, {}});
        inputs.back().ki = {static_cast<WORD>(unicode ? 0 : key), scan, unicode | up, 0, 0};
        if (postKeys && unicode && !up)
            PostMessageA(focus, WM_CHAR, key, 1);
        else if (postKeys && !unicode)
            PostMessageA(focus, up ? WM_KEYUP : WM_KEYDOWN, key, 1 | scan << 16 | (up ? 0xC0000000 : 0));
    }
    if (!postKeys)
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void SendMouse(DWORD flags, POINT at) {  // rounded up, so that scaling back to pixels lands on the same pixel
    INPUT input = {INPUT_MOUSE, {}};
    input.mi.dx = (at.x * 65536 + GetSystemMetrics(SM_CXSCREEN) - 1) / GetSystemMetrics(SM_CXSCREEN);
    input.mi.dy = (at.y * 65536 + GetSystemMetrics(SM_CYSCREEN) - 1) / GetSystemMetrics(SM_CYSCREEN);
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

// "400" an item of the markup dialog, "401/403" an item inside one, "c1" an
// item of its common dialog.
HWND Item(const std::string& id) {
    if (id[0] == 'c')
        return GetDlgItem(CommonDialogOf(MarkupDialog()), atoi(id.c_str() + 1));
    HWND item = GetDlgItem(MarkupDialog(), atoi(id.c_str()));
    return id.find('/') == std::string::npos ? item : GetDlgItem(item, atoi(id.c_str() + id.find('/') + 1));
}

// Where a click goes: an item's centre, "close" the close box, "list2" list item 2.
bool Target(const std::string& where, POINT* p) {
    HWND dialog = MarkupDialog();
    RECT r = {};
    if (where == "close") {
        GetWindowRect(dialog, &r);
        for (p->y = r.top; dialog != nullptr && p->y < r.top + 40; ++p->y) {
            for (p->x = r.right - 1; p->x > r.right - 60; --p->x) {
                if (SendMessageA(dialog, WM_NCHITTEST, 0, MAKELPARAM(p->x, p->y)) == HTCLOSE)
                    return *p = {p->x - 3, p->y + 3}, true;
            }
        }
        return false;
    }
    bool list = where.rfind("list", 0) == 0;
    HWND item = Item(list ? "400" : where);
    if (item == nullptr || (list && SendMessageA(item, LB_GETITEMRECT, atoi(where.c_str() + 4), (LPARAM)&r) == LB_ERR))
        return false;
    if (list)
        MapWindowPoints(item, nullptr, reinterpret_cast<POINT*>(&r), 2), r.right = r.left + 20;
    else
        GetWindowRect(item, &r);
    *p = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    return true;
}

// What a '?' or "until:" word looks at: "on:ID" checked, "en:ID" enabled,
// "t:ID" text, "ro:ID" read-only and scroll bar, "cb:ID" selection/count,
// "open" the markup and common dialogs, "name" the chooser's name box,
// "title" its title, "owner" the owner enabled, "band:Y" the colours around y.
std::string Probe(const std::string& what, HWND owner) {
    std::string kind = what.substr(0, what.find(':')), id = what.substr(what.find(':') + 1);
    HWND item = Item(id), chooser = CommonDialogOf(MarkupDialog());
    LONG style = GetWindowLongA(item, GWL_STYLE);
    auto yes = [](bool b) { return std::string(b ? "1" : "0"); };
    // clang-format off
    if (kind == "on") return yes(SendMessageA(item, BM_GETCHECK, 0, 0) == BST_CHECKED);
    if (kind == "en") return yes(IsWindowEnabled(item));
    if (kind == "t") return TextOf(item);
    if (kind == "ro") return yes(style & ES_READONLY) + yes(style & WS_VSCROLL);
    if (kind == "cb") return std::to_string(SendMessageA(item, CB_GETCURSEL, 0, 0)) + "/" + std::to_string(SendMessageA(item, CB_GETCOUNT, 0, 0));
    if (kind == "open") return yes(MarkupDialog() != nullptr) + yes(chooser != nullptr);
    if (kind == "name") return TextOf(GetDlgItem(chooser, 0x480) ? GetDlgItem(chooser, 0x480) : GetDlgItem(chooser, 0x47c));  // edt1 in Wine's hooked dialog, cmb13 on Windows
    if (kind == "title") return TextOf(chooser);
    // clang-format on
    if (kind == "owner")
        return yes(IsWindowEnabled(owner));
    HDC dc = GetDC(MarkupDialog());  // "band:Y": the colours at the right edge around y, right of every control
    RECT client;
    GetClientRect(MarkupDialog(), &client);
    RedrawWindow(MarkupDialog(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
    std::string band;
    for (int y = atoi(id.c_str()) - 1; y <= atoi(id.c_str()) + 1; ++y) {
        COLORREF c = GetPixel(dc, client.right - 3, y);
        band += c == GetSysColor(COLOR_WINDOW) ? 'w' : c == 0 ? 'k' : c == GetSysColor(COLOR_BTNFACE) ? 'f' : '?';
    }
    ReleaseDC(MarkupDialog(), dc);
    return band;
}

// Runs one word; false repeats it at the next tick.
bool Run(Script* s, const std::string& word) {
    std::string verb = word.substr(0, word.find(':'));
    std::string arg = word.find(':') == std::string::npos ? "" : word.substr(word.find(':') + 1);
    // clang-format off
    const struct { const char* name; std::vector<WORD> chord; } keys[] = {{"Enter", {VK_RETURN}}, {"Esc", {VK_ESCAPE}},
        {"End", {VK_END}}, {"Home", {VK_HOME}}, {"AltF4", {VK_MENU, VK_F4}}, {"ShiftEnd", {VK_SHIFT, VK_END}}};
    // clang-format on
    for (const auto& key : keys) {
        if (verb == key.name)
            return SendKeys(key.chord), true;
    }
    POINT target, now;
    if (verb == "wait") {  // for the dialog, and for the keyboard
        if ((s->dialog = MarkupDialog()) != nullptr && GetForegroundWindow() != s->dialog)
            SetForegroundWindow(s->dialog);
        return s->dialog != nullptr && (postKeys || GetForegroundWindow() == s->dialog);
    } else if (verb[0] == '?') {
        s->seen += (s->seen.empty() ? "" : " ") + Probe(word.substr(1), s->owner);
    } else if (verb == "until") {
        return Probe(arg.substr(0, arg.rfind('=')), s->owner) == arg.substr(arg.rfind('=') + 1);
    } else if (verb == "settle") {  // the input has left the queue, and 150 ms passed for what it set off
        s->since = s->since != 0 ? s->since : GetTickCount() | 1;
        if (HIWORD(GetQueueStatus(QS_INPUT)) != 0 || GetTickCount() - s->since < 150)
            return false;
        s->since = 0;
    } else if (verb == "type") {
        SendKeys(std::vector<WORD>(arg.begin(), arg.end()), KEYEVENTF_UNICODE);
    } else if (verb == "click" || verb == "dbl") {
        // The pointer first, and the buttons once it is there: Wine takes the
        // buttons of one batch at the pointer's old place.
        if (!Target(arg, &target) || !GetCursorPos(&now))
            return false;
        if (!s->moved || abs(now.x - target.x) > 1 || abs(now.y - target.y) > 1)
            return SendMouse(MOUSEEVENTF_MOVE, target), s->moved = true, false;
        s->moved = false;
        for (int i = verb == "dbl" ? 2 : 1; i > 0; --i)
            SendMouse(MOUSEEVENTF_LEFTDOWN, target), SendMouse(MOUSEEVENTF_LEFTUP, target);
    } else if (verb == "focus") {
        SetFocus(Item(arg));
    } else if (verb == "set") {
        SetWindowTextA(Item(arg.substr(0, arg.find('='))), arg.substr(arg.find('=') + 1).c_str());
    } else if (verb == "quit") {
        PostQuitMessage(atoi(arg.c_str()));
    } else if (customWord) {
        return customWord(word);
    }
    return true;
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    Script* s = running;
    if (s == nullptr || s->busy)
        return;
    // Also after the last word: a dialog the script failed to end must not block.
    if (GetTickCount() - s->deadline < 0x80000000u)
        s->timedOut = true, EnumThreadWindows(GetCurrentThreadId(), CloseOne, 0);
    else if (s->next < s->words.size())
        s->busy = true, s->next += Run(s, s->words[s->next]) ? 1 : 0, s->busy = false;
}

}  // namespace

std::function<bool(const std::string& word)> customWord;
bool postKeys = false;

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
    bool stopped = s.timedOut || s.next < s.words.size();
    std::string at = "stopped at word " + std::to_string(s.next) + (s.timedOut ? " (timed out)" : "");
    return {result, s.seen, stopped ? at : "", s.dialog};
}

HWND MarkupDialog() {
    HWND dialog = FindWindowA(kMarkupDialogClass, nullptr);
    return dialog != nullptr && IsWindowVisible(dialog) ? dialog : nullptr;
}

HWND CommonDialogOf(HWND owner) {
    HWND c = nullptr;
    while ((c = FindWindowExA(nullptr, c, "#32770", nullptr)) != nullptr &&
           (GetWindow(c, GW_OWNER) != owner || !IsWindowVisible(c)))
        continue;
    return c;
}

}  // namespace markup_testing

#include "tests/installer/dialog_driver.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <vector>

#include "markup_dialog/markup_dialog.h"

namespace markup_testing {

namespace {

struct Script {
    std::vector<std::string> words;
    size_t next;
    DWORD deadline;
    bool timedOut;
    HWND dialog;
    std::string seen;
};

Script running;  // the script of the timer that runs now

HWND MarkupDialog() {
    HWND dialog = FindWindowA(kMarkupDialogClass, nullptr);
    return dialog != nullptr && IsWindowVisible(dialog) ? dialog : nullptr;
}

// "400" an item of the markup dialog, "401/403" an item inside one; "c" its
// common dialog, "c1" an item of that, "name" its name box (edt1 in Wine's
// hooked dialog, cmb13 on Windows).
HWND Item(const std::string& id) {
    HWND c = nullptr;
    while ((c = FindWindowExA(nullptr, c, "#32770", nullptr)) != nullptr &&
           (GetWindow(c, GW_OWNER) != MarkupDialog() || !IsWindowVisible(c)))
        continue;
    if (id == "name")
        return GetDlgItem(c, 0x480) != nullptr ? GetDlgItem(c, 0x480) : GetDlgItem(c, 0x47c);
    if (id[0] == 'c')
        return id.size() == 1 ? c : GetDlgItem(c, atoi(id.c_str() + 1));
    HWND item = GetDlgItem(MarkupDialog(), atoi(id.c_str()));
    return id.find('/') == std::string::npos ? item : GetDlgItem(item, atoi(id.c_str() + id.find('/') + 1));
}

// Keys are posted to the focused control and buttons clicked by message
// instead of typed and clicked: they take the dialog's own loop as real ones
// do, but not the system's input queue, which hands them to whichever window
// the server thinks is in front. A dialog of a process started by the test
// may lose real input while the machine is busy.
void PressKey(BYTE key) {
    PostMessageA(GetFocus() != nullptr ? GetFocus() : MarkupDialog(), WM_KEYDOWN, key, 1);
}

// What a '?' or "until:" word looks at: "on:ID" checked, "en:ID" enabled,
// "t:ID" text, "open" the markup and common dialogs, "icon" whether the
// dialog shows one, "msg" the message and the length of the text.
std::string Probe(const std::string& what, const MarkupDialogState* state) {
    std::string kind = what.substr(0, what.find(':'));
    HWND item = Item(what.substr(what.find(':') + 1)), dialog = MarkupDialog();
    auto yes = [](bool b) { return std::string(b ? "1" : "0"); };
    if (kind == "on")
        return yes(SendMessageA(item, BM_GETCHECK, 0, 0) == BST_CHECKED);
    if (kind == "en")
        return yes(IsWindowEnabled(item));
    if (kind == "t")
        return TextOf(item);
    if (kind == "open")
        return yes(dialog != nullptr) + yes(Item("c") != nullptr);
    if (kind == "icon")
        return yes(state->icon != nullptr);
    return std::string(state->message) + " [" + (state->text ? std::to_string(strlen(state->text)) : "-") + "]";
}

// Runs one word; false repeats it at the next tick.
bool Run(Script* s, const std::string& word) {
    std::string verb = word.substr(0, word.find(':'));
    std::string arg = word.find(':') == std::string::npos ? "" : word.substr(word.find(':') + 1);
    auto* state = reinterpret_cast<MarkupDialogState*>(GetWindowLongPtrA(MarkupDialog(), GWLP_USERDATA));
    if (verb == "Enter" || verb == "Esc") {
        PressKey(verb == "Enter" ? VK_RETURN : VK_ESCAPE);
    } else if (verb == "wait") {  // for the next dialog
        HWND dialog = MarkupDialog();
        if (dialog == nullptr || dialog == s->dialog)
            return false;
        s->dialog = dialog;
    } else if (verb[0] == '?') {
        s->seen += (s->seen.empty() ? "" : " ") + Probe(word.substr(1), state);
    } else if (verb == "until") {
        return Probe(arg.substr(0, arg.rfind('=')), state) == arg.substr(arg.rfind('=') + 1);
    } else if (verb == "click") {
        PostMessageA(Item(arg), BM_CLICK, 0, 0);
    } else if (verb == "set") {
        SetWindowTextA(Item(arg.substr(0, arg.find('='))), arg.substr(arg.find('=') + 1).c_str());
    } else if (verb == "text") {  // the field's text, as the chooser would leave it
        snprintf(state->text, static_cast<size_t>(state->textSize), "%s", arg.c_str());
    }
    return true;
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    Script* s = &running;
    // Also after the last word: a dialog the script failed to end must not block.
    if (GetTickCount() - s->deadline < 0x80000000u)
        s->timedOut = true, PostMessageA(Item("c"), WM_CLOSE, 0, 0), PostMessageA(MarkupDialog(), WM_CLOSE, 0, 0);
    else if (s->next < s->words.size())
        s->next += Run(s, s->words[s->next]) ? 1 : 0;
}

}  // namespace

Outcome Drive(const std::function<int()>& show, const std::string& script, unsigned timeoutMs) {
    Script& s = running = {{"wait"}, 0, GetTickCount() + timeoutMs, false, nullptr, ""};
    std::istringstream words(script);
    for (std::string word; words >> word;)
        s.words.push_back(word);
    UINT_PTR timer = SetTimer(nullptr, 0, 20, Tick);
    int result = show();
    KillTimer(nullptr, timer);
    std::string at = "stopped at word " + std::to_string(s.next) + (s.timedOut ? " (timed out)" : "");
    return {result, s.seen, s.timedOut || s.next < s.words.size() ? at : ""};
}

}  // namespace markup_testing

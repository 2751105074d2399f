// The two window procedures that bring a markup dialog to life: the dialog's
// own (painting, results, the browse button, the agreement gate) and the
// subclass of its controls (Enter, Escape, the browse field's parts).

#include <cstdint>

#include "markup_dialog/file_chooser.h"
#include "markup_dialog/markup_dialog.h"
#include "markup_dialog/markup_grammar.h"
#include "markup_dialog/markup_layout.h"
#include "util/owners.h"

namespace {

MarkupDialogState* StateOf(HWND dialog) {
    return reinterpret_cast<MarkupDialogState*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

void FinishDialog(HWND dialog, MarkupDialogState* state, int result) {
    state->result = result;
    DestroyWindow(dialog);
}

HWND DefaultButton(HWND dialog, const MarkupDialogState* state) {
    return state->defaultIndex >= 0 ? GetDlgItem(dialog, markup::kButtonBaseId + state->defaultIndex) : nullptr;
}

bool DefaultEnabled(HWND dialog, const MarkupDialogState* state) {
    HWND button = DefaultButton(dialog, state);
    return button != nullptr && IsWindowEnabled(button);
}

void OnPaint(HWND dialog, const MarkupDialogState* state) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(dialog, &paint);
    SetBkMode(dc, TRANSPARENT);
    {
        Selection font(dc, state->font);
        int x = 8;
        if (state->icon != nullptr) {
            DrawIcon(dc, 8, 8, state->icon);
            x = 48;
        }
        if (state->message != nullptr) {
            RECT rect = {x, 8, x + markupMaxTextWidth, 16000};
            DrawTextA(dc, state->message, -1, &rect, DT_WORDBREAK);
        }
    }  // the DC goes back with its own font
    EndPaint(dialog, &paint);
}

// A white band behind the message down to a black line, the button face
// below; or the button face everywhere with flag bit 0.
void OnEraseBackground(HWND dialog, const MarkupDialogState* state, HDC dc) {
    RECT client;
    GetClientRect(dialog, &client);
    if ((state->flags & markup::kFlagPlainBackground) != 0) {
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    int line = markup::BandLineY(state->messageHeight);
    RECT band = {0, 0, client.right, line};
    FillRect(dc, &band, GetSysColorBrush(COLOR_WINDOW));
    MoveToEx(dc, 0, line, nullptr);
    LineTo(dc, client.right, line);
    RECT rest = {0, line + 1, client.right, client.bottom};
    FillRect(dc, &rest, GetSysColorBrush(COLOR_BTNFACE));
}

void OnDrawItem(const MarkupDialogState* state, const DRAWITEMSTRUCT* item) {
    bool dropDown = state->fieldKind == 'D';
    char text[markup::kLabelSize] = "";
    int length = -1;
    if (static_cast<int>(item->itemID) >= 0) {
        // Items are added at most 255 characters long; the length is checked
        // all the same, since the buffer is fixed.
        LRESULT need = SendMessageA(item->hwndItem, dropDown ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, item->itemID, 0);
        if (need >= 0 && need < static_cast<LRESULT>(sizeof text)) {
            length = static_cast<int>(SendMessageA(item->hwndItem, dropDown ? CB_GETLBTEXT : LB_GETTEXT, item->itemID,
                                                   reinterpret_cast<LPARAM>(text)));
        }
    }
    markup::ItemInk ink = length > 0 ? markup::InkForItem(text) : markup::ItemInk{0, 0};
    bool selected = (item->itemState & ODS_SELECTED) != 0;
    int background = selected ? COLOR_HIGHLIGHT : COLOR_WINDOW;
    FillRect(item->hDC, &item->rcItem, GetSysColorBrush(background));
    COLORREF oldBack = SetBkColor(item->hDC, GetSysColor(background));
    COLORREF oldInk = SetTextColor(item->hDC, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : ink.colour);
    if (length >= 0) {
        RECT rect = item->rcItem;
        rect.left += 4;
        DrawTextA(item->hDC, text + ink.skip, length - ink.skip, &rect, DT_SINGLELINE);
    }
    SetTextColor(item->hDC, oldInk);
    SetBkColor(item->hDC, oldBack);
}

bool OnKeyDown(HWND dialog, MarkupDialogState* state, WPARAM key) {
    if (key == VK_ESCAPE) {
        FinishDialog(dialog, state, state->cancelIndex);
        return true;
    }
    if (key == VK_RETURN && DefaultEnabled(dialog, state)) {
        FinishDialog(dialog, state, state->defaultIndex);
        return true;
    }
    return false;
}

void OnBrowse(HWND dialog, MarkupDialogState* state) {
    char label[markup::kLabelSize] = "";
    GetDlgItemTextA(dialog, markup::kBrowseId, label, sizeof label);
    markup::BrowseLabel parts;
    markup::SplitBrowseLabel(label, &parts);
    // Without a buffer there is nowhere to put a choice.
    if (state->text != nullptr) {
        ChooseFile(0, state->text, state->chooserMode, dialog, parts.title, parts.filter, state->textSize);
    }
    HWND edit = GetDlgItem(GetDlgItem(dialog, markup::kBrowseId), markup::kBrowseEditId);
    SetWindowTextA(edit, state->text != nullptr ? state->text : "");
}

// The agreement gate: the default button is enabled exactly while check box
// 15 is checked. Every click on a check box or radio button looks again,
// since a radio button of the group unchecks box 15 without a click on it.
void SyncAgreementGate(HWND dialog, const MarkupDialogState* state) {
    HWND box = GetDlgItem(dialog, markup::kCheckBaseId + markup::kGateCheckBox);
    if ((state->flags & markup::kFlagAgreementGate) == 0 || box == nullptr) {
        return;
    }
    HWND button = DefaultButton(dialog, state);
    if (button != nullptr) {
        EnableWindow(button, SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED);
    }
}

LRESULT OnCommand(HWND dialog, MarkupDialogState* state, WPARAM wParam) {
    int code = HIWORD(wParam);
    int id = LOWORD(wParam);
    if (code == LBN_DBLCLK && state->fieldKind == 'L') {
        if (DefaultEnabled(dialog, state)) {
            FinishDialog(dialog, state, state->defaultIndex);
        }
        return 0;
    }
    if (code != 0) {
        return 1;
    }
    if (id == markup::kBrowseButtonId) {
        OnBrowse(dialog, state);
        return 0;
    }
    if (id >= markup::kButtonBaseId && id < markup::kButtonBaseId + markup::kMaxButtons) {
        FinishDialog(dialog, state, id - markup::kButtonBaseId);
        return 0;
    }
    if (id >= markup::kCheckBaseId && id <= markup::kCheckBaseId + 15) {
        SyncAgreementGate(dialog, state);
    }
    return 1;
}

int Selection(HWND dialog, UINT request) {
    LRESULT index = SendDlgItemMessageA(dialog, markup::kFieldId, request, 0, 0);
    return index >= 0 ? static_cast<int>(static_cast<uint32_t>(index) << 16) : 0;
}

// The results are read from the controls while they still exist.
void OnDestroy(HWND dialog, MarkupDialogState* state) {
    int values = 0;
    for (int n = 0; n < 16; ++n) {
        HWND box = GetDlgItem(dialog, markup::kCheckBaseId + n);
        if (box != nullptr && SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED) {
            values |= 1 << n;
        }
    }
    if (state->fieldKind == 'D') {
        values += Selection(dialog, CB_GETCURSEL);
    } else if (state->fieldKind == 'L') {
        values += Selection(dialog, LB_GETCURSEL);
    } else if (state->fieldKind == 'E' && state->textSize != 0 && state->text != nullptr) {
        SendDlgItemMessageA(dialog, markup::kFieldId, WM_GETTEXT, static_cast<WPARAM>(state->textSize),
                            reinterpret_cast<LPARAM>(state->text));
    }
    state->values = values;
    if (state->result == -1) {
        state->result = state->cancelIndex;
    }
}

void PlaceBrowseParts(HWND container, int width, int height) {
    markup::BrowseParts parts = markup::LayOutBrowseParts(width);
    MoveWindow(GetDlgItem(container, markup::kBrowseEditId), 0, 0, parts.editWidth, height, TRUE);
    MoveWindow(GetDlgItem(container, markup::kBrowseButtonId), parts.buttonX, 0, parts.buttonWidth, height, TRUE);
}

// Enter and Escape go to the dialog before the control sees them. Returns
// whether the dialog ended on the key, which destroyed the control too.
// Enter on a button chooses that button, as it does in the platform's own
// dialogs: the focus starts on the first button, and a message's "+&OK" is
// answered with Enter. A disabled button (the gated default) chooses nothing.
bool ForwardKey(HWND control, int id, WPARAM key, LPARAM lParam) {
    if (key != VK_ESCAPE && key != VK_RETURN) {
        return false;
    }
    HWND dialog = GetParent(control);
    if (key == VK_RETURN && id >= markup::kButtonBaseId) {
        if (IsWindowEnabled(control)) {
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
        }
    } else {
        SendMessageA(dialog, WM_KEYDOWN, key, lParam);
    }
    return !IsWindow(control);
}

}  // namespace

LRESULT CALLBACK MarkupDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MarkupDialogState* state = StateOf(window);
    if (state == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    switch (message) {
        case WM_PAINT:
            OnPaint(window, state);
            break;
        case WM_ERASEBKGND:
            OnEraseBackground(window, state, reinterpret_cast<HDC>(wParam));
            return 1;
        case WM_MEASUREITEM:
            reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = markup::kItemHeight;
            break;
        case WM_DRAWITEM:
            OnDrawItem(state, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            break;
        case WM_KEYDOWN:
            if (OnKeyDown(window, state, wParam)) {
                return 0;
            }
            break;
        case WM_COMMAND:
            return OnCommand(window, state, wParam);
        case WM_DESTROY:
            OnDestroy(window, state);
            break;
        default:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK MarkupControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(control, GWLP_USERDATA));
    int id = static_cast<int>(GetWindowLongPtrA(control, GWLP_ID));
    switch (message) {
        case WM_COMMAND:
            if (id == markup::kBrowseId && LOWORD(wParam) == markup::kBrowseButtonId) {
                SendMessageA(GetParent(control), WM_COMMAND, wParam, lParam);
            }
            break;
        case WM_SIZE:
            if (id == markup::kBrowseId) {
                PlaceBrowseParts(control, LOWORD(lParam), HIWORD(lParam));
            }
            break;
        case WM_KEYDOWN:
            if (ForwardKey(control, id, wParam, lParam)) {
                return 0;
            }
            break;
        default:
            break;
    }
    if (previous == nullptr) {
        return DefWindowProcA(control, message, wParam, lParam);
    }
    return CallWindowProcA(previous, control, message, wParam, lParam);
}

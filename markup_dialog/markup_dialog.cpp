#include "markup_dialog/markup_dialog.h"

#include <cstring>

#include "markup_dialog/markup_layout.h"
#include "util/owners.h"

int markupMaxTextWidth = 0;

namespace {

using markup::ControlPlan;
using markup::DialogLayout;
using markup::Extent;

constexpr DWORD kDialogExStyle = WS_EX_APPWINDOW | WS_EX_DLGMODALFRAME;
constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr UINT kOldMetricsSize = 340;  // NONCLIENTMETRICSA without the padded border

HFONT CreateDialogFont() {
    NONCLIENTMETRICSA metrics;
    memset(&metrics, 0, sizeof metrics);
    metrics.cbSize = kOldMetricsSize;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, kOldMetricsSize, &metrics, 0);
    return CreateFontIndirectA(&metrics.lfMessageFont);
}

// Numbers from 32001 to 63999 name the platform's stock icons.
HICON LoadDialogIcon(HINSTANCE instance, int iconId) {
    if (iconId == 0) {
        return nullptr;
    }
    bool stock = iconId >= 32001 && iconId <= 63999;
    return LoadIconA(stock ? nullptr : instance, MAKEINTRESOURCEA(iconId));
}

void RegisterDialogClass(HINSTANCE instance) {
    WNDCLASSEXA windowClass;
    memset(&windowClass, 0, sizeof windowClass);
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MarkupDialogProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    windowClass.lpszClassName = kMarkupDialogClass;
    RegisterClassExA(&windowClass);  // fails harmlessly once the class exists
}

void Subclass(HWND control) {
    LONG_PTR previous = GetWindowLongPtrA(control, GWLP_WNDPROC);
    SetWindowLongPtrA(control, GWLP_USERDATA, previous);
    SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MarkupControlProc));
}

// Creates the dialog's controls as the layout asks for them, measuring with
// the dialog font selected into a screen device context.
class DialogHost final : public markup::LayoutHost {
public:
    DialogHost(HWND dialog, MarkupDialogState* state, HDC screen) : dialog_(dialog), state_(state), screen_(screen) {}

    Extent MeasureText(const char* text, bool edit, int maxWidth) override {
        RECT rect = {0, 0, maxWidth, 0};
        DrawTextA(screen_, text, -1, &rect, DT_CALCRECT | DT_WORDBREAK | (edit ? DT_EDITCONTROL : 0));
        return {rect.right, rect.bottom};
    }

    Extent AdjustRect(Extent client, uint32_t style, uint32_t exStyle) override {
        RECT rect = {0, 0, client.width, client.height};
        AdjustWindowRectEx(&rect, style, FALSE, exStyle);
        return {rect.right - rect.left, rect.bottom - rect.top};
    }

    bool Create(const ControlPlan& plan, Extent* actual) override;

    HWND controls[markup::kMaxControls] = {};
    HWND buttons[markup::kMaxButtons] = {};

private:
    HWND Child(HWND parent, const char* className, const char* text, uint32_t style, int id, int width, int height);
    void FillItems(HWND control, const ControlPlan& plan);
    void SetUp(HWND control, const ControlPlan& plan);

    HWND dialog_;
    MarkupDialogState* state_;
    HDC screen_;
    int controlCount_ = 0;
    int buttonCount_ = 0;
};

HWND DialogHost::Child(HWND parent,
                       const char* className,
                       const char* text,
                       uint32_t style,
                       int id,
                       int width,
                       int height) {
    HWND child = CreateWindowExA(0, className, text, style, 0, 0, width, height, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), state_->instance, nullptr);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(state_->font), TRUE);
    return child;
}

void DialogHost::FillItems(HWND control, const ControlPlan& plan) {
    bool list = plan.tag == 'L';
    const char* cursor = state_->text;
    char item[markup::kLabelSize];
    while (markup::NextListItem(&cursor, item, sizeof item)) {
        SendMessageA(control, list ? LB_ADDSTRING : CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    SendMessageA(control, list ? LB_SETCURSEL : CB_SETCURSEL, static_cast<WPARAM>(plan.selection), 0);
}

void DialogHost::SetUp(HWND control, const ControlPlan& plan) {
    switch (plan.tag) {
        case 'C':
        case 'R':
            SendMessageA(control, BM_SETCHECK, plan.checked ? BST_CHECKED : BST_UNCHECKED, 0);
            break;
        case 'E':
            if (plan.textLimit > 0) {
                SendMessageA(control, EM_LIMITTEXT, static_cast<WPARAM>(plan.textLimit), 0);
            }
            break;
        case 'B':
            Child(control, "EDIT", state_->text != nullptr ? state_->text : "", plan.innerEditStyle,
                  markup::kBrowseEditId, 8, plan.innerHeight);
            Child(control, "BUTTON", "...", markup::kButtonStyle, markup::kBrowseButtonId, 8, plan.innerHeight);
            break;
        case 'D': {
            // The open list's room is part of a drop-down's height: enough for every item.
            SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(state_->font), TRUE);
            RECT rect;
            GetWindowRect(control, &rect);
            SetWindowPos(control, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top + plan.droppedExtra,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            FillItems(control, plan);
            break;
        }
        case 'L':
            FillItems(control, plan);
            break;
        default:
            break;
    }
}

bool DialogHost::Create(const ControlPlan& plan, Extent* actual) {
    bool button = plan.tag == 'P';
    if ((button && buttonCount_ == markup::kMaxButtons) || (!button && controlCount_ == markup::kMaxControls)) {
        return false;
    }
    if (strchr("BDEL", plan.tag) != nullptr) {
        state_->fieldKind = plan.tag;  // the owner-drawn items are measured while the field is made
    }
    HWND control =
        CreateWindowExA(plan.exStyle, plan.className, plan.text, plan.style, plan.x, plan.y, plan.width, plan.height,
                        dialog_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(plan.id)), state_->instance, nullptr);
    if (control == nullptr) {
        return false;
    }
    SetUp(control, plan);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(state_->font), TRUE);
    Subclass(control);
    (button ? buttons[buttonCount_++] : controls[controlCount_++]) = control;
    RECT rect;
    GetWindowRect(control, &rect);
    *actual = {rect.right - rect.left, rect.bottom - rect.top};
    return true;
}

markup::LayoutMetrics ReadMetrics(HDC screen) {
    SIZE extent = {0, 0};
    GetTextExtentPoint32A(screen, "WWWWWWWW", 8, &extent);
    markup::LayoutMetrics metrics;
    metrics.screenWidth = GetSystemMetrics(SM_CXSCREEN);
    metrics.screenHeight = GetSystemMetrics(SM_CYSCREEN);
    metrics.scrollWidth = GetSystemMetrics(SM_CXVSCROLL);
    metrics.frame = GetSystemMetrics(SM_CXDLGFRAME);
    metrics.captionHeight = GetSystemMetrics(SM_CYCAPTION);
    metrics.lineHeight = extent.cy;
    metrics.charUnit = markup::CharUnit(extent.cx);
    return metrics;
}

void ApplyLayout(HWND dialog, const DialogLayout& layout, const DialogHost& host) {
    constexpr UINT kPlace = SWP_NOZORDER | SWP_NOACTIVATE;
    for (int i = 0; i < layout.controlCount; ++i) {
        const markup::PlacedWindow& c = layout.controls[i];
        SetWindowPos(host.controls[i], nullptr, c.x, c.y, c.width, c.height, kPlace);
    }
    for (int i = 0; i < layout.buttonCount; ++i) {
        const markup::PlacedWindow& b = layout.buttons[i];
        SetWindowPos(host.buttons[i], nullptr, b.x, b.y, b.width, b.height, kPlace);
    }
    SetWindowPos(dialog, nullptr, layout.windowX, layout.windowY, layout.windowWidth, layout.windowHeight, kPlace);
}

// Builds the controls and buttons and sizes the hidden dialog window.
void BuildDialog(HWND dialog, MarkupDialogState* state, const markup::LayoutInput& input) {
    WindowDC screen(nullptr);
    Selection font(screen.get(), state->font);
    DialogHost host(dialog, state, screen.get());
    DialogLayout layout;
    LayOutDialog(input, ReadMetrics(screen.get()), &host, &layout);
    state->messageHeight = layout.messageHeight;
    state->fieldKind = layout.fieldKind;
    state->flags = layout.flags;
    state->chooserMode = layout.chooserMode;
    state->defaultIndex = layout.defaultIndex;
    state->cancelIndex = layout.cancelIndex;
    if (layout.gateClosed) {
        EnableWindow(GetDlgItem(dialog, markup::kButtonBaseId + layout.defaultIndex), FALSE);
    }
    ApplyLayout(dialog, layout, host);
}

// Runs the dialog's own loop until it ends. A quit message ends it too: the
// window is destroyed without collecting anything (its state then still
// holds what came in) and the quit goes back into the queue, so that the loop
// outside ends as well.
void RunModal(HWND dialog, MarkupDialogState* state) {
    MSG msg;
    while (state->result == -1 && IsWindow(dialog)) {
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            SetWindowLongPtrA(dialog, GWLP_USERDATA, 0);
            DestroyWindow(dialog);
            state->result = -1;
            if (got == 0) {
                PostQuitMessage(static_cast<int>(msg.wParam));
            }
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace

int ShowMarkupDialog(HWND owner,
                     const char* message,
                     const char* caption,
                     int iconId,
                     const char* buttons,
                     const char* markup,
                     int* values,
                     char* text,
                     int textSize) {
    HWND focusBefore = GetFocus();
    markupMaxTextWidth = markup::MaxTextWidth(GetSystemMetrics(SM_CXSCREEN));
    MarkupDialogState state;
    memset(&state, 0, sizeof state);
    state.instance = GetModuleHandleA(nullptr);
    GdiObject<HFONT> font(CreateDialogFont());
    state.font = font.get();
    state.result = -1;
    state.values = values != nullptr ? *values : 0;
    state.cancelIndex = -1;
    state.defaultIndex = -1;
    state.icon = LoadDialogIcon(state.instance, iconId);
    state.message = message;
    state.text = text;
    state.textSize = textSize;
    RegisterDialogClass(state.instance);

    HWND dialog = CreateWindowExA(kDialogExStyle, kMarkupDialogClass, caption, kDialogStyle, 0, 0, 0, 0,
                                  GetActiveWindow(), nullptr, state.instance, nullptr);
    if (dialog != nullptr) {
        SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
        markup::LayoutInput input = {message, iconId != 0, buttons, markup, state.values, text, textSize};
        BuildDialog(dialog, &state, input);
        if (owner != nullptr) {
            EnableWindow(owner, FALSE);
        }
        ShowWindow(dialog, SW_SHOW);
        SetActiveWindow(dialog);
        SetFocus(GetDlgItem(dialog, markup::kButtonBaseId));
        RunModal(dialog, &state);
        if (owner != nullptr) {
            EnableWindow(owner, TRUE);
        }
    }
    if (values != nullptr) {
        *values = state.values;
    }
    if (focusBefore != nullptr && IsWindow(focusBefore)) {
        SetFocus(focusBefore);
    }
    // LoadIconA hands out shared icons, which must not be destroyed: only the
    // font is ours to release, which its owner does.
    return state.result;
}

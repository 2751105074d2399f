#pragma once
// The program's one dialog, built at run time from a button string such as
// "+&OK|-&Cancel" and a control markup string such as "<C0>Run at startup".
// The grammar and the layout arithmetic are pure (markup_grammar.h,
// markup_layout.h); this is the window side.

#include <windows.h>

constexpr char kMarkupDialogClass[] = "ZUV_UB_CLASS";

// The record of one open dialog. It lives on ShowMarkupDialog's stack, and the
// dialog window holds a pointer to it in GWLP_USERDATA.
struct MarkupDialogState {
    HINSTANCE instance;
    HFONT font;
    int messageHeight;
    int result;  // -1 while the dialog is open
    char fieldKind;
    int values;
    int cancelIndex;
    int defaultIndex;
    HICON icon;
    const char* message;
    int flags;
    char* text;
    int textSize;
    int chooserMode;
};

// The widest text, recomputed at every call: the screen width minus 100. Read
// by the measuring and by the painting.
extern int markupMaxTextWidth;

// Shows the dialog and returns when it has ended: the index of the chosen
// button, or -1 without a choice. Enter gives the '+' button while it is
// enabled; Escape and closing the window the '-' button. `*values` carries
// the check boxes in bits 0 to 15 and the list selection in bits 16 to 31,
// both ways; `text` is the data field's text (`textSize` bytes). A quit
// message that arrives meanwhile ends the dialog with -1 and is posted again
// for the loop outside.
int ShowMarkupDialog(HWND owner,
                     const char* message,
                     const char* caption,
                     int iconId,
                     const char* buttons,
                     const char* markup,
                     int* values,
                     char* text,
                     int textSize);

LRESULT CALLBACK MarkupDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Installed on every markup control and button: hands Enter and Escape to the
// dialog and keeps the browse field's parts over its container.
LRESULT CALLBACK MarkupControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

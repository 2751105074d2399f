// The markup dialog driven as a user drives it: real keys and clicks go in
// through SendInput while the dialog runs its own loop on the test thread,
// and the result, `*values` and `text` are checked afterwards.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "markup_dialog/markup_dialog.h"
#include "markup_dialog/markup_layout.h"
#include "tests/markup_dialog/dialog_driver.h"

namespace {

using namespace markup_testing;

constexpr char kLicenceMarkup[] = "<E10><C15>I have read and fully agree to this license agreement <F2><=>";
constexpr char kLicenceButtons[] = "+&Continue installation|-&No, I don't agree";
constexpr char kOptionsMarkup[] =
    "<B128>Select the installation folder|Folder|*._||<C0>Automatically execute on startup"
    "<C2>Add link on desktop<C1>Execute after installation<=>";

struct Dialog {
    const char* message = nullptr;
    const char* buttons = nullptr;
    const char* markup = nullptr;
    int* values = nullptr;
    char* text = nullptr;
    int textSize = 0;
    int iconId = 0;
    HWND owner = nullptr;

    int Show() const {
        return ShowMarkupDialog(owner, message, "Test", iconId, buttons, markup, values, text, textSize);
    }
};

// Opens the dialog, runs `steps` once it has the keyboard, and returns the result.
int Drive(const Dialog& dialog, std::vector<Step> steps, HWND* shown = nullptr) {
    static HWND window;
    window = nullptr;
    steps.insert(steps.begin(), WaitForDialog(&window));
    ScriptResult outcome = RunScript([&dialog] { return dialog.Show(); }, steps);
    EXPECT_TRUE(outcome.finished) << outcome.failure;
    EXPECT_FALSE(IsWindow(window)) << "the dialog window outlived the call";
    if (shown != nullptr)
        *shown = window;
    return outcome.result;
}

HWND Item(int id) {
    return GetDlgItem(MarkupDialog(), id);
}

Step Do(std::function<void()> action) {
    return [action] {
        action();
        return true;
    };
}

Step Key(WORD key) {
    return Do([key] { PressKey(key); });
}

Step Click(int id, int clicks = 1) {
    return ClickOn(CentreOf([id] { return Item(id); }), clicks);
}

Step Until(std::function<bool()> condition) {
    return condition;
}

Step CloseBox() {
    return ClickOn(CloseBoxOf(MarkupDialog));
}

// A point inside item `index` of the list field.
Where ListItem(int index) {
    return [index](POINT* point) {
        RECT item;
        if (Item(400) == nullptr ||
            SendMessageA(Item(400), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item)) == LB_ERR)
            return false;
        MapWindowPoints(Item(400), nullptr, reinterpret_cast<POINT*>(&item), 2);
        *point = {item.left + 10, (item.top + item.bottom) / 2};
        return true;
    };
}

bool Checked(int id) {
    return SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool Enabled(int id) {
    return IsWindowEnabled(Item(id)) != FALSE;
}

// How a dialog can be ended, and the result each way gives.
enum class Way { kEnter, kEscape, kCloseBox, kAltF4, kSpace };

std::vector<Step> End(Way way) {
    switch (way) {
        case Way::kEnter:
            return {Key(VK_RETURN)};
        case Way::kEscape:
            return {Key(VK_ESCAPE)};
        case Way::kCloseBox:
            return {CloseBox()};
        case Way::kAltF4:
            return {Do([] { PressKeys({VK_MENU, VK_F4}); })};
        case Way::kSpace:
            return {Key(VK_SPACE)};
    }
    return {};
}

TEST(MarkupDialog, WaysOutAndTheirResults) {
    struct Case {
        const char* buttons;
        Way way;
        int result;
    } cases[] = {
        {nullptr, Way::kEnter, 0},
        {nullptr, Way::kEscape, 0},
        {nullptr, Way::kCloseBox, 0},
        {"+&OK|-&Cancel", Way::kEnter, 0},
        {"+&OK|-&Cancel", Way::kEscape, 1},
        {"+&OK|-&Cancel", Way::kCloseBox, 1},
        {"+&OK|-&Cancel", Way::kAltF4, 1},
        {"+&OK|-&Cancel", Way::kSpace, 0},  // the space bar clicks OK, which has the
                                            // focus
        {"&Yes|&No", Way::kEscape, -1},     // two buttons and no '-'
        {"&Yes|&No", Way::kCloseBox, -1},
        {"&Yes|&No", Way::kEnter, 0},  // Enter chooses the focused button
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.buttons != nullptr ? c.buttons : "null") + " way " +
                     std::to_string(static_cast<int>(c.way)));
        Dialog dialog;
        dialog.message = "Remember this setting after bootup?";
        dialog.iconId = 32514;
        dialog.buttons = c.buttons;
        EXPECT_EQ(Drive(dialog, End(c.way)), c.result);
    }

    // Enter on a button chooses that button, as in the platform's dialogs,
    // also when it is not the default one.
    Dialog dialog;
    dialog.buttons = "+&OK|-&Cancel";
    EXPECT_EQ(Drive(dialog, {Do([] { SetFocus(Item(1001)); }), Key(VK_RETURN)}), 1);
}

TEST(MarkupDialog, ButtonsAndStartingFocus) {
    Dialog dialog;
    dialog.buttons = "+&OK|-&Cancel";
    std::string texts[2];
    LONG styles[2] = {};
    bool focusOnOk = false;
    Drive(dialog, {Do([&] {
                       for (int i = 0; i < 2; ++i) {
                           texts[i] = TextOf(Item(1000 + i));
                           styles[i] = GetWindowLongA(Item(1000 + i), GWL_STYLE);
                       }
                       focusOnOk = GetFocus() == Item(1000);
                   }),
                   Key(VK_ESCAPE)});
    EXPECT_EQ(texts[0], "&OK");
    EXPECT_EQ(texts[1], "&Cancel");
    EXPECT_EQ(styles[0] & 0x0F, BS_DEFPUSHBUTTON);
    EXPECT_EQ(styles[1] & 0x0F, BS_PUSHBUTTON);
    EXPECT_TRUE(focusOnOk);

    std::string single;
    Dialog plain;
    Drive(plain, {Do([&] { single = TextOf(Item(1000)); }), Key(VK_RETURN)});
    EXPECT_EQ(single, "&OK");
}

TEST(MarkupDialog, LicenceGateWithEnterInTheEdit) {
    char licence[] = "Licence text\r\nSecond line\r\nThird line";
    Dialog dialog;
    dialog.message = "Please read the license agreement and press 'Continue' to proceed with the installation.";
    dialog.iconId = 1005;  // not among the test program's resources: no icon, the room still reserved
    dialog.buttons = kLicenceButtons;
    dialog.markup = kLicenceMarkup;
    dialog.text = licence;
    std::vector<bool> gate;
    bool readOnly = false;
    bool scrollBar = false;
    std::string shown;
    int result = Drive(dialog, {
                                   Do([&] {
                                       gate.push_back(Enabled(1000));
                                       LONG style = GetWindowLongA(Item(400), GWL_STYLE);
                                       readOnly = (style & ES_READONLY) != 0;
                                       scrollBar = (style & WS_VSCROLL) != 0;
                                       shown = TextOf(Item(400));
                                   }),
                                   Click(400),
                                   Key(VK_RETURN),  // unchecked: the dialog stays open
                                   Settle(),
                                   Until([] { return MarkupDialog() != nullptr; }),
                                   Click(515),
                                   Until([] { return Checked(515); }),
                                   Do([&] { gate.push_back(Enabled(1000)); }),
                                   Click(515),
                                   Until([] { return !Checked(515); }),
                                   Do([&] { gate.push_back(Enabled(1000)); }),
                                   Click(515),
                                   Until([] { return Checked(515); }),
                                   Do([&] { gate.push_back(Enabled(1000)); }),
                                   Click(400),
                                   Key(VK_RETURN),
                               });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(gate, (std::vector<bool>{false, true, false, true}));
    EXPECT_TRUE(readOnly);
    EXPECT_TRUE(scrollBar);
    EXPECT_EQ(shown, licence);
    EXPECT_STREQ(licence, "Licence text\r\nSecond line\r\nThird line");  // textSize 0: nothing copied back
}

TEST(MarkupDialog, LicenceDialogStates) {
    struct Case {
        int* values;
        int in;
        Way way;
        bool startsEnabled;
        int result;
    } cases[] = {
        {nullptr, 0, Way::kEscape, false, 1},
        {nullptr, 0, Way::kCloseBox, false, 1},
        {reinterpret_cast<int*>(1), 0x8000, Way::kEnter, true, 0},  // bit 15 set: checked, enabled
    };
    for (const Case& c : cases) {
        int values = c.in;
        char licence[] = "text";
        Dialog dialog;
        dialog.buttons = kLicenceButtons;
        dialog.markup = kLicenceMarkup;
        dialog.text = licence;
        dialog.values = c.values != nullptr ? &values : nullptr;
        bool enabled = !c.startsEnabled;
        bool checked = !c.startsEnabled;
        std::vector<Step> steps = {Do([&] {
            enabled = Enabled(1000);
            checked = Checked(515);
        })};
        for (const Step& step : End(c.way))
            steps.push_back(step);
        EXPECT_EQ(Drive(dialog, steps), c.result);
        EXPECT_EQ(enabled, c.startsEnabled);
        EXPECT_EQ(checked, c.startsEnabled);
    }
}

TEST(MarkupDialog, WithoutTheGateFlagBoxFifteenLeavesTheButtonAlone) {
    char text[] = "x";
    Dialog dialog;
    dialog.buttons = "+&OK|-&Cancel";
    dialog.markup = "<E><C15>agree<=>";
    dialog.text = text;
    std::vector<bool> enabled;
    int values = 0;
    dialog.values = &values;
    int result =
        Drive(dialog, {Do([&] { enabled.push_back(Enabled(1000)); }), Click(515), Until([] { return Checked(515); }),
                       Do([&] { enabled.push_back(Enabled(1000)); }), Click(515), Until([] { return !Checked(515); }),
                       Do([&] { enabled.push_back(Enabled(1000)); }), Key(VK_ESCAPE)});
    EXPECT_EQ(result, 1);
    EXPECT_EQ(enabled, (std::vector<bool>{true, true, true}));
}

TEST(MarkupDialog, CheckBoxStatesSurviveTheCloseBox) {
    char folder[256] = "C:\\Program Files\\zuvware\\Tapdeck";
    int values = 5;
    Dialog dialog;
    dialog.message = "Select a folder and set the requested options.";
    dialog.iconId = 1005;
    dialog.buttons = "+&Continue|-&Abort installation";
    dialog.markup = kOptionsMarkup;
    dialog.values = &values;
    dialog.text = folder;
    dialog.textSize = sizeof folder;
    std::vector<bool> before;
    std::string shown;
    bool readOnly = false;
    int result = Drive(dialog, {Do([&] {
                                    before = {Checked(500), Checked(501), Checked(502)};
                                    HWND edit = GetDlgItem(Item(401), 402);
                                    shown = TextOf(edit);
                                    readOnly = (GetWindowLongA(edit, GWL_STYLE) & ES_READONLY) != 0;
                                }),
                                Click(500), Until([] { return !Checked(500); }), Click(501),
                                Until([] { return Checked(501); }), CloseBox()});
    EXPECT_EQ(before, (std::vector<bool>{true, false, true}));
    EXPECT_EQ(shown, "C:\\Program Files\\zuvware\\Tapdeck");
    EXPECT_TRUE(readOnly);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(values, 6);  // boxes 1 and 2, whatever their order on screen
    EXPECT_STREQ(folder, "C:\\Program Files\\zuvware\\Tapdeck");
}

TEST(MarkupDialog, ListDoubleClickChoosesTheDefault) {
    char items[] = "first|!Error|third";
    int values = 0;
    Dialog dialog;
    dialog.buttons = "+&OK|-&Cancel";
    dialog.markup = "<L>";
    dialog.values = &values;
    dialog.text = items;
    int result = Drive(dialog, {ClickOn(ListItem(2), 2)});
    EXPECT_EQ(result, 0);
    EXPECT_EQ(values, 2 << 16);
}

TEST(MarkupDialog, ListDoubleClickDoesNothingWithoutAnEnabledDefault) {
    char items[] = "a|b";
    int values = 0;
    Dialog dialog;
    dialog.buttons = "&Yes|-&No";
    dialog.markup = "<L>";
    dialog.values = &values;
    dialog.text = items;
    int result = Drive(
        dialog, {ClickOn(ListItem(0), 2), Settle(), Until([] { return MarkupDialog() != nullptr; }), Key(VK_ESCAPE)});
    EXPECT_EQ(result, 1);
    EXPECT_EQ(values >> 16, 0);  // the clicked item, the first
}

TEST(MarkupDialog, DropDownSelectionInAndOut) {
    struct Case {
        bool withValues;
        int in;
        int startSelection;
        int out;
    } cases[] = {
        {false, 0, 0, 0},
        {true, static_cast<int>(0xFFFF0000u), -1, 0},  // index -1: no selection, upper half back 0
        {true, (1 << 16) | 0x3, 1, 1 << 16},           // bits without a box come back 0
    };
    for (const Case& c : cases) {
        char items[] = "alpha|beta|gamma";
        int values = c.in;
        Dialog dialog;
        dialog.buttons = "+&OK|-&Cancel";
        dialog.markup = "<D>";
        dialog.values = c.withValues ? &values : nullptr;
        dialog.text = items;
        int selection = -2;
        int count = 0;
        Drive(dialog, {Do([&] {
                           selection = static_cast<int>(SendMessageA(Item(400), CB_GETCURSEL, 0, 0));
                           count = static_cast<int>(SendMessageA(Item(400), CB_GETCOUNT, 0, 0));
                       }),
                       Key(VK_RETURN)});
        EXPECT_EQ(selection, c.startSelection);
        EXPECT_EQ(count, 3);
        if (c.withValues) {
            EXPECT_EQ(values, c.out);
        }
    }
}

TEST(MarkupDialog, StaticTextWithALiteralAngle) {
    std::string label;
    LONG id = 0;
    Dialog dialog;
    dialog.markup = "<S>a<<b";
    Drive(dialog, {Do([&] {
                       HWND child = GetWindow(MarkupDialog(), GW_CHILD);
                       char name[16] = "";
                       GetClassNameA(child, name, sizeof name);
                       if (lstrcmpiA(name, "Static") == 0) {
                           label = TextOf(child);
                           id = GetWindowLongA(child, GWL_ID);
                       }
                   }),
                   Key(VK_RETURN)});
    EXPECT_EQ(label, "a<b");
    EXPECT_EQ(id, -1);
}

TEST(MarkupDialog, EditTextComesBackWithinTextSize) {
    struct Case {
        int textSize;
        const char* typed;
        const char* back;
        bool readOnly;
    } cases[] = {
        {16, "cd", "abcd", false},
        {5, "cdef", "abcd", false},  // the field takes textSize - 1 characters
        {1, "cd", "", true},         // read-only, and nothing fits but the terminator
    };
    for (const Case& c : cases) {
        char text[16] = "ab";
        Dialog dialog;
        dialog.buttons = "+&OK|-&Cancel";
        dialog.markup = "<E>";
        dialog.text = text;
        dialog.textSize = c.textSize;
        bool readOnly = false;
        int result = Drive(dialog, {Do([&] { readOnly = (GetWindowLongA(Item(400), GWL_STYLE) & ES_READONLY) != 0; }),
                                    Click(400), Key(VK_END), Do([&] { TypeText(c.typed); }), Settle(), Key(VK_RETURN)});
        EXPECT_EQ(result, 0);
        EXPECT_EQ(readOnly, c.readOnly);
        EXPECT_STREQ(text, c.back) << "textSize " << c.textSize;
    }
}

TEST(MarkupDialog, QuitEndsTheDialogAndReachesTheOuterLoop) {
    int values = 1;
    char text[16] = "keep";
    Dialog dialog;
    dialog.buttons = "+&OK|-&Cancel";
    dialog.markup = "<C0>a<C1>b<E>";
    dialog.values = &values;
    dialog.text = text;
    dialog.textSize = sizeof text;
    HWND shown = nullptr;
    int result = Drive(dialog,
                       {Click(501), Until([] { return Checked(501); }), Do([] { SetWindowTextA(Item(400), "new"); }),
                        Do([] { PostQuitMessage(7); })},
                       &shown);
    EXPECT_EQ(result, -1);
    EXPECT_EQ(values, 1);  // the initial value, not the boxes' states
    EXPECT_STREQ(text, "keep");
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}

TEST(MarkupDialog, OwnerIsDisabledWhileOpen) {
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    Dialog dialog;
    dialog.owner = owner;
    bool enabledWhileOpen = true;
    Drive(dialog, {Do([&] { enabledWhileOpen = IsWindowEnabled(owner) != FALSE; }), Key(VK_ESCAPE)});
    EXPECT_FALSE(enabledWhileOpen);
    EXPECT_TRUE(IsWindowEnabled(owner));
    DestroyWindow(owner);
}

TEST(MarkupDialog, StockIconStaysUsableAfterTheDialog) {
    Dialog dialog;
    dialog.message = "Install aborted.";
    dialog.iconId = 32516;
    Drive(dialog, {Key(VK_RETURN)});
    ICONINFO info;
    ASSERT_TRUE(GetIconInfo(LoadIconA(nullptr, MAKEINTRESOURCEA(32516)), &info));
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}

TEST(MarkupDialog, BrowseModeThreeOpensNothingAndRefreshesTheField) {
    char path[64] = "C:\\Data\\";
    Dialog dialog;
    dialog.buttons = "+&OK|-&Cancel";
    dialog.markup = "<B3>Pick";
    dialog.text = path;
    dialog.textSize = sizeof path;
    std::string shown;
    bool chooserSeen = false;
    Drive(dialog, {ClickOn(CentreOf([] { return GetDlgItem(Item(401), 403); })), Until([&] {
                       shown = TextOf(GetDlgItem(Item(401), 402));
                       chooserSeen = chooserSeen || CommonDialogOf(MarkupDialog()) != nullptr;
                       return shown != "C:\\Data\\";
                   }),
                   // The "..." button has the focus now, and it does not hand on Escape.
                   Click(1001)});
    EXPECT_FALSE(chooserSeen);
    EXPECT_EQ(shown, "C:\\Data\\*.*");  // mode 3 still puts the pattern on first
}

// The band's colours read back from the window: white down to the line, the
// black line, then the button face.
struct Band {
    COLORREF above;
    COLORREF line;
    COLORREF below;
};

Band ReadBand(HWND dialog, int lineY) {
    RECT client;
    GetClientRect(dialog, &client);
    HDC dc = GetDC(dialog);
    int x = client.right - 3;  // in the right margin, clear of every control
    Band band = {GetPixel(dc, x, lineY - 1), GetPixel(dc, x, lineY), GetPixel(dc, x, lineY + 1)};
    ReleaseDC(dialog, dc);
    return band;
}

TEST(MarkupDialog, MessageBandIsPaintedBehindTheControls) {
    struct Case {
        const char* message;
        const char* markup;
        bool band;
    } cases[] = {{nullptr, "<S>first", true}, {"Line one\nline two", "<S>x", true}, {nullptr, "<F1><S>x", false}};
    for (const Case& c : cases) {
        Dialog dialog;
        dialog.message = c.message;
        dialog.markup = c.markup;
        Band band = {};
        int lineY = 0;
        int firstTop = 0;
        Drive(dialog,
              {Do([] { RedrawWindow(MarkupDialog(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW); }),
               Do([&] {
                   HDC screen = GetDC(nullptr);
                   RECT measured = {0, 0, GetSystemMetrics(SM_CXSCREEN) - 100, 0};
                   HGDIOBJ old =
                       SelectObject(screen, reinterpret_cast<HFONT>(SendMessageA(Item(1000), WM_GETFONT, 0, 0)));
                   if (c.message != nullptr)
                       DrawTextA(screen, c.message, -1, &measured, DT_CALCRECT | DT_WORDBREAK);
                   SelectObject(screen, old);
                   ReleaseDC(nullptr, screen);
                   lineY = markup::BandLineY(measured.bottom);
                   band = ReadBand(MarkupDialog(), lineY);
                   firstTop = ClientRectIn(GetWindow(MarkupDialog(), GW_CHILD), MarkupDialog()).top;
               }),
               Key(VK_RETURN)});
        COLORREF face = GetSysColor(COLOR_BTNFACE);
        if (c.band) {
            EXPECT_EQ(band.above, GetSysColor(COLOR_WINDOW)) << lineY;
            EXPECT_EQ(band.line, RGB(0, 0, 0)) << lineY;
            EXPECT_EQ(band.below, face) << lineY;
        } else {
            EXPECT_EQ(band.above, face);
            EXPECT_EQ(band.line, face);
        }
        if (c.message == nullptr) {
            EXPECT_EQ(lineY, 12);
            EXPECT_EQ(firstTop, 8);  // the first control starts above the line, on the band
        } else {
            EXPECT_EQ(firstTop, lineY + 4);
        }
    }
}

// Measures as the dialog does, with the font the dialog gave its buttons, and
// creates nothing: the layout arithmetic run dry beside the real dialog. Only
// a drop-down's height is taken from the real one, since the platform sets
// it (the closed box) whatever it was asked for.
class MeasuringHost final : public markup::LayoutHost {
public:
    MeasuringHost(HFONT font, HWND dialog) : dc_(GetDC(nullptr)), old_(SelectObject(dc_, font)), dialog_(dialog) {}
    ~MeasuringHost() {
        SelectObject(dc_, old_);
        ReleaseDC(nullptr, dc_);
    }
    markup::Extent MeasureText(const char* text, bool edit, int maxWidth) override {
        RECT rect = {0, 0, maxWidth, 0};
        DrawTextA(dc_, text, -1, &rect, DT_CALCRECT | DT_WORDBREAK | (edit ? DT_EDITCONTROL : 0));
        return {rect.right, rect.bottom};
    }
    markup::Extent AdjustRect(markup::Extent client, uint32_t style, uint32_t exStyle) override {
        RECT rect = {0, 0, client.width, client.height};
        AdjustWindowRectEx(&rect, style, FALSE, exStyle);
        return {rect.right - rect.left, rect.bottom - rect.top};
    }
    bool Create(const markup::ControlPlan& plan, markup::Extent* actual) override {
        *actual = {plan.width, plan.height};
        RECT real;
        if (plan.tag == 'D' && GetWindowRect(GetDlgItem(dialog_, markup::kFieldId), &real))
            actual->height = real.bottom - real.top;
        return true;
    }
    markup::LayoutMetrics Metrics() {
        SIZE extent;
        GetTextExtentPoint32A(dc_, "WWWWWWWW", 8, &extent);
        return {GetSystemMetrics(SM_CXSCREEN),   GetSystemMetrics(SM_CYSCREEN),  GetSystemMetrics(SM_CXVSCROLL),
                GetSystemMetrics(SM_CXDLGFRAME), GetSystemMetrics(SM_CYCAPTION), extent.cy,
                markup::CharUnit(extent.cx)};
    }

private:
    HDC dc_;
    HGDIOBJ old_;
    HWND dialog_;
};

std::string Show(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right - r.left) + "x" +
           std::to_string(r.bottom - r.top);
}

std::string Show(const markup::PlacedWindow& w) {
    return std::to_string(w.x) + "," + std::to_string(w.y) + " " + std::to_string(w.width) + "x" +
           std::to_string(w.height);
}

TEST(MarkupDialog, ControlRectanglesFollowTheLayoutArithmetic) {
    const char* markups[] = {"<S>first<V-4><S>pulled up<H300>", kOptionsMarkup, "<C0>a<R1>b<L2><=>", "<D><C3>x"};
    for (const char* markupText : markups) {
        SCOPED_TRACE(markupText);
        char text[256] = "C:\\Data|two";
        int values = 0;
        Dialog dialog;
        dialog.message = "Select a folder and set the requested options.";
        dialog.iconId = 32516;
        dialog.buttons = "+&Ok|-&Reinstall";
        dialog.markup = markupText;
        dialog.values = &values;
        dialog.text = text;
        dialog.textSize = sizeof text;
        std::vector<std::string> real;
        std::vector<std::string> expected;
        RECT window = {};
        RECT client = {};
        markup::DialogLayout layout;
        Drive(dialog,
              {Do([&] {
                   HWND shown = MarkupDialog();
                   MeasuringHost host(reinterpret_cast<HFONT>(SendMessageA(Item(1000), WM_GETFONT, 0, 0)), shown);
                   markup::LayoutInput input = {dialog.message, true, dialog.buttons, markupText,
                                                values,         text, dialog.textSize};
                   markup::LayOutDialog(input, host.Metrics(), &host, &layout);
                   HWND child = GetWindow(shown, GW_CHILD);
                   for (int i = 0; child != nullptr; child = GetWindow(child, GW_HWNDNEXT), ++i) {
                       RECT r = ClientRectIn(child, shown);
                       const markup::PlacedWindow& w =
                           i < layout.controlCount ? layout.controls[i] : layout.buttons[i - layout.controlCount];
                       if (w.tag == 'D')
                           r.bottom = r.top + w.height;  // a drop-down reports its closed height
                       real.push_back(Show(r));
                       expected.push_back(Show(w));
                   }
                   GetWindowRect(shown, &window);
                   GetClientRect(shown, &client);
               }),
               Key(VK_ESCAPE)});
        EXPECT_EQ(real, expected);
        EXPECT_EQ(Show(window), std::to_string(layout.windowX) + "," + std::to_string(layout.windowY) + " " +
                                    std::to_string(layout.windowWidth) + "x" + std::to_string(layout.windowHeight));
        // Wine's frame for this style is SM_CXDLGFRAME wide and the caption
        // SM_CYCAPTION high, so the client area is the content plus margins.
        EXPECT_EQ(client.right, layout.contentWidth + 16);
        EXPECT_EQ(client.bottom, layout.clientHeight);
    }
}

}  // namespace

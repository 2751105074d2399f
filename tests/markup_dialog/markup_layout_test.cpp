#include "markup_dialog/markup_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <tuple>

namespace {

constexpr int kPitch = 7, kLine = 13;  // pixels per character and per line

// Measures with a fixed pitch, wrapping at the width it is given, adds the
// frames the styles ask for, and writes down each plan instead of creating
// it; a drop-down comes back as tall as its closed box, as the platform makes it.
class DryHost final : public markup::LayoutHost {
public:
    markup::Extent MeasureText(const char* text, bool, int) override {
        return {static_cast<int>(strlen(text)) * kPitch, *text != '\0' ? kLine : 0};
    }
    markup::Extent AdjustRect(markup::Extent client, uint32_t style, uint32_t exStyle) override {
        long long edge = (exStyle & markup::kClientEdge ? 2 : 0) + (style & 0x00800000 ? 1 : 0);
        return {static_cast<int>(std::min<long long>(INT_MAX, client.width + 2 * edge)),
                static_cast<int>(std::min<long long>(INT_MAX, client.height + 2 * edge))};
    }
    bool Create(const markup::ControlPlan& p, markup::Extent* actual) override {
        char line[200];  // where it goes is the placed window's; what it is, here
        snprintf(line, sizeof line, "%s%c%d style %x", plans.empty() ? "" : " | ", p.tag, p.id, p.style);
        plans += line;
        const std::tuple<const char*, long long> extras[] = {{"exstyle", p.exStyle},     {"checked", p.checked},
                                                             {"limit", p.textLimit},     {"inner", p.innerHeight},
                                                             {"edit", p.innerEditStyle}, {"dropped", p.droppedExtra},
                                                             {"selection", p.selection}};
        for (const auto& [name, value] : extras) {  // only what is not 0; the styles in hex
            bool hex = name[1] == 'x' || name[1] == 'd';
            snprintf(line, sizeof line, hex ? " %s %llx" : " %s %lld", name, value);
            plans += value != 0 ? line : "";
        }
        plans += *p.text ? " '" + std::string(p.text).substr(0, 8) + "'" : "";
        *actual = {p.width, strcmp(p.className, "COMBOBOX") == 0 ? 21 : p.height};
        return p.text[0] != '#';  // a control that cannot be created
    }
    std::string plans;
};

// The layout's own results, labelled.
std::string Dialog(const markup::DialogLayout& l) {
    char line[300];
    snprintf(line, sizeof line,
             "message %d, content %d, row %d, client %d, window %d,%d %dx%d, flags %d, gate %d, default %d, "
             "cancel %d, field %c, chooser %d",
             l.messageHeight, l.contentWidth, l.rowWidth, l.clientHeight, l.windowX, l.windowY, l.windowWidth,
             l.windowHeight, l.flags, l.gateClosed, l.defaultIndex, l.cancelIndex, l.fieldKind ? l.fieldKind : '-',
             l.chooserMode);
    return line;
}

// Where each window went, controls first, as "x,y widthxheight".
std::string Placed(const markup::DialogLayout& l) {
    std::string placed;
    for (int i = 0; i < l.controlCount + l.buttonCount; ++i) {
        const markup::PlacedWindow& w = i < l.controlCount ? l.controls[i] : l.buttons[i - l.controlCount];
        placed += (placed.empty() ? "" : " ") + std::to_string(w.x) + "," + std::to_string(w.y) + " " +
                  std::to_string(w.width) + "x" + std::to_string(w.height);
    }
    return placed;
}

struct Laid {
    std::string dialog;
    std::string placed;
    std::string plans;
    int controls;
};

Laid LayOut(const markup::LayoutInput& input) {
    DryHost host;
    static markup::DialogLayout l;
    markup::LayOutDialog(input, {1024, 768, 17, 3, 19, kLine, 8}, &host, &l);
    return {Dialog(l), Placed(l), host.plans, l.controlCount};
}

const char kOptions[] =
    "<B128>Select the installation folder|Folder|*._||<C0>Automatically execute on startup"
    "<C2>Add link on desktop<C1>Execute after installation<=>";
const char kFolder[] = "c:\\program files\\zuvware\\Tapdeck";

// Each plan: the tag and id, the style, what else is not 0, and the first
// eight characters of the text.
TEST(MarkupLayout, Plans) {
    const std::tuple<const char*, markup::LayoutInput, const char*, const char*, const char*> rows[] = {
        {"a message and OK",
         {"Install aborted.", false, "+&OK", nullptr, 0, nullptr, 0},
         "message 13, content 112, row 69, client 62, window 445,340 134x87, flags 0, gate 0, default 0, cancel 0, "
         "field -, chooser 0",
         "29,33 69x21",
         "P1000 style 50010001 '&OK'"},
        {"the licence's: a text and the agreement gate",
         {nullptr, false, "+a|-b", "<E10><C15>I agree<F2><=>", 0x8000, "x", 0},
         "message 0, content 118, row 118, client 204, window 442,269 140x229, flags 2, gate 0, default 0, cancel 1, "
         "field E, chooser 0",
         "8,8 118x140 8,152 118x13 8,169 118x2 8,175 55x21 71,175 55x21",
         "E400 style 50211844 exstyle 200 'x' | C515 style 50010003 checked 1 'I agree' | =101 style 50001000 | P1000 "
         "style 50010001 'a' | P1001 style 50010000 'b'"},
        {"the installer's options",
         {"Select a folder and set the requested options.", true, "+&Continue|-&Abort installation", kOptions, 5,
          kFolder, 256},
         "message 32, content 362, row 300, client 157, window 320,293 384x182, flags 0, gate 0, default 0, cancel 1, "
         "field B, chooser 0",
         "8,48 362x19 8,71 362x13 8,88 362x13 8,105 362x13 8,122 362x2 39,128 111x21 158,128 181x21",
         "B401 style 50010000 inner 21 edit 50810800 'Select t' | C500 style 50010003 checked 1 'Automati' | C502 "
         "style 50010003 checked 1 'Add link' | C501 style 50010003 'Execute ' | =101 style 50001000 | P1000 style "
         "50010001 '&Continu' | P1001 style 50010000 '&Abort i'"},
        {"only the first data field counts",
         {nullptr, false, "x", "<B1>t<E><D><L><F2>", 0, "x", 16},
         "message 0, content 55, row 55, client 60, window 473,341 77x85, flags 2, gate 1, default 0, cancel 0, field "
         "B, chooser 1",
         "8,8 55x19 8,31 55x21",
         "B401 style 50010000 inner 21 edit 50810000 't' | P1000 style 50010000 'x'"},
        {"an edit with a limit",
         {nullptr, false, nullptr, "<E>", 0, "abc", 64},
         "message 0, content 69, row 69, client 64, window 466,339 91x89, flags 0, gate 0, default 0, cancel 0, field "
         "E, chooser 0",
         "8,8 69x23 8,35 69x21",
         "E400 style 50011000 exstyle 200 limit 63 'abc' | P1000 style 50010001 '&OK'"},
        {"a list with its selection",
         {nullptr, false, nullptr, "<L2>", 2 << 16, "ab|!Error|c", 0},
         "message 0, content 69, row 69, client 73, window 466,335 91x98, flags 0, gate 0, default 0, cancel 0, field "
         "L, chooser 0",
         "8,8 69x32 8,44 69x21",
         "L400 style 50a11151 selection 2 | P1000 style 50010001 '&OK'"},
        {"a control that cannot be created takes no room",
         {nullptr, false, nullptr, "<C0>#aaaaaaaaaaaaaaaaaaaaaaaaa<S>b", 0, nullptr, 0},
         "message 0, content 69, row 69, client 54, window 466,344 91x79, flags 0, gate 0, default 0, cancel 0, field "
         "-, chooser 0",
         "8,8 69x13 8,25 69x21",
         "C500 style 50010003 '#aaaaaaa' | S-1 style 50000000 'b' | P1000 style 50010001 '&OK'"},
    };
    for (const auto& [name, input, dialog, placed, plans] : rows) {
        Laid laid = LayOut(input);
        EXPECT_EQ(laid.dialog, dialog) << name;
        EXPECT_EQ(laid.placed, placed) << name;
        EXPECT_EQ(laid.plans, plans) << name;
    }
}

TEST(MarkupLayout, BrowseFieldAndUnits) {
    markup::BrowseParts narrow = markup::LayOutBrowseParts(8), wide = markup::LayOutBrowseParts(300);
    EXPECT_EQ(narrow.editWidth, 0);
    EXPECT_EQ(narrow.buttonX, -24);
    EXPECT_EQ(wide.editWidth, 267);
    EXPECT_EQ(wide.buttonX, 268);
    EXPECT_EQ(wide.buttonWidth, 32);
    EXPECT_EQ(markup::CharUnit(88), 11);
    EXPECT_EQ(markup::CharUnit(89), 12);
    EXPECT_EQ(markup::MaxTextWidth(1024), 924);
}

TEST(MarkupLayout, ListItemsInkedByTheirMark) {
    const std::tuple<const char*, uint32_t, bool> rows[] = {
        {"!Error", 0x0000FF, true},
        {"?Maybe", 0xC0C0, true},
        {"plain", 0, false},
    };
    for (const auto& [text, colour, skip] : rows) {
        EXPECT_EQ(markup::InkForItem(text).colour, colour) << text;
        EXPECT_EQ(markup::InkForItem(text).skip, skip) << text;
    }
}

}  // namespace

#include "markup_dialog/markup_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

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
        snprintf(line, sizeof line, " | %c%d %x", p.tag, p.id, p.style);
        plans += line;
        const long long extras[] = {p.exStyle,        p.checked,      p.textLimit, p.innerHeight,
                                    p.innerEditStyle, p.droppedExtra, p.selection};
        for (int i = 0; i < 7; ++i) {  // only what is not 0; the styles in hex
            snprintf(line, sizeof line, i % 4 == 0 ? " %c%llx" : " %c%lld", "xclhide"[i], extras[i]);
            plans += extras[i] != 0 ? line : "";
        }
        plans += *p.text ? " '" + std::string(p.text).substr(0, 8) + "'" : "";
        *actual = {p.width, strcmp(p.className, "COMBOBOX") == 0 ? 21 : p.height};
        return p.text[0] != '#';  // a control that cannot be created
    }
    std::string plans;
};

// The layout's results, then each plan and where it went.
std::string LayOut(const markup::LayoutInput& input) {
    DryHost host;
    static markup::DialogLayout l;
    markup::LayOutDialog(input, {1024, 768, 17, 3, 19, kLine, 8}, &host, &l);
    char line[200];
    snprintf(line, sizeof line, "m%d c%d r%d h%d w%d,%d,%dx%d f%d g%d %d/%d %c%d", l.messageHeight, l.contentWidth,
             l.rowWidth, l.clientHeight, l.windowX, l.windowY, l.windowWidth, l.windowHeight, l.flags, l.gateClosed,
             l.defaultIndex, l.cancelIndex, l.fieldKind ? l.fieldKind : '-', l.chooserMode);
    std::string shown = line;
    for (int i = 0; i < l.controlCount + l.buttonCount; ++i) {
        const markup::PlacedWindow& w = i < l.controlCount ? l.controls[i] : l.buttons[i - l.controlCount];
        shown += " @" + std::to_string(w.x) + "," + std::to_string(w.y) + "," + std::to_string(w.width) + "x" +
                 std::to_string(w.height);
    }
    return shown + host.plans;
}

TEST(MarkupLayout, Plans) {
    const char* options =
        "<B128>Select the installation folder|Folder|*._||<C0>Automatically execute on startup"
        "<C2>Add link on desktop<C1>Execute after installation<=>";
    const char* folder = "c:\\program files\\zuvware\\Tapdeck";
    // clang-format off
    const struct { markup::LayoutInput input; const char* expected; } rows[] = {
        {{"Install aborted.", false, "+&OK", nullptr, 0, nullptr, 0}, "m13 c112 r69 h62 w445,340,134x87 f0 g0 0/0 -0 @29,33,69x21 | P1000 50010001 "
         "'&OK'"},
        {{nullptr, false, "+a|-b", "<E10><C15>I agree<F2><=>", 0x8000, "x", 0}, "m0 c118 r118 h204 w442,269,140x229 f2 g0 0/1 E0 @8,8,118x140 "
         "@8,152,118x13 @8,169,118x2 @8,175,55x21 @71,175,55x21 | E400 50211844 x200 'x' | C515 50010003 c1 'I agree' | =101 50001000 | P1000 "
         "50010001 'a' | P1001 50010000 'b'"},
        {{"Select a folder and set the requested options.", true, "+&Continue|-&Abort installation", options, 5, folder, 256}, "m32 c362 r300 h157 "
         "w320,293,384x182 f0 g0 0/1 B0 @8,48,362x19 @8,71,362x13 @8,88,362x13 @8,105,362x13 @8,122,362x2 @39,128,111x21 @158,128,181x21 | B401 "
         "50010000 h21 i50810800 'Select t' | C500 50010003 c1 'Automati' | C502 50010003 c1 'Add link' | C501 50010003 'Execute ' | =101 50001000 "
         "| P1000 50010001 '&Continu' | P1001 50010000 '&Abort i'"},
        {{nullptr, false, "a|b", "<S>a<V-4><S>b<H300>", 0, nullptr, 0}, "m0 c300 r118 h67 w351,338,322x92 f0 g0 -1/-1 -0 @8,8,300x13 @8,21,300x13 "
         "@99,38,55x21 @162,38,55x21 | S-1 50000000 'a' | S-1 50000000 'b' | P1000 50010000 'a' | P1001 50010000 'b'"},
        {{nullptr, false, "x", "<B1>t<E><D><L><F2>", 0, "x", 16}, "m0 c55 r55 h60 w473,341,77x85 f2 g1 0/0 B1 @8,8,55x19 @8,31,55x21 | B401 50010000 "
         "h21 i50810000 't' | P1000 50010000 'x'"},
        {{nullptr, false, nullptr, "<E>", 0, "abc", 64}, "m0 c69 r69 h64 w466,339,91x89 f0 g0 0/0 E0 @8,8,69x23 @8,35,69x21 | E400 50011000 x200 l63 "
         "'abc' | P1000 50010001 '&OK'"},
        {{nullptr, false, nullptr, "<E3:20>", 0, "", 1}, "m0 c185 r69 h90 w408,326,207x115 f0 g0 0/0 E0 @8,8,185x49 @66,61,69x21 | E400 50211844 "
         "x200 | P1000 50010001 '&OK'"},
        {{nullptr, false, nullptr, "<L2>", 2 << 16, "ab|!Error|c", 0}, "m0 c69 r69 h73 w466,335,91x98 f0 g0 0/0 L0 @8,8,69x32 @8,44,69x21 | L400 "
         "50a11151 e2 | P1000 50010001 '&OK'"},
        {{nullptr, false, nullptr, "<D>", static_cast<int>(0xFFFF0000u), "ab|c", 0}, "m0 c69 r69 h62 w466,340,91x87 f0 g0 0/0 D0 @8,8,69x55 "
         "@8,33,69x21 | D400 50810613 d34 e-1 | P1000 50010001 '&OK'"},
        {{nullptr, false, nullptr, "<C0>a<R1>b<C15>c<S>d", 0x8001, nullptr, 0}, "m0 c69 r69 h105 w466,319,91x130 f0 g0 0/0 -0 @8,8,69x13 @8,25,69x13 "
         "@8,42,69x13 @8,59,69x13 @8,76,69x21 | C500 50010003 c1 'a' | R501 50010009 'b' | C515 50010003 c1 'c' | S-1 50000000 'd' | P1000 "
         "50010001 '&OK'"},
        // A control that cannot be created takes no room.
        {{nullptr, false, nullptr, "<C0>#aaaaaaaaaaaaaaaaaaaaaaaaa<S>b", 0, nullptr, 0}, "m0 c69 r69 h54 w466,344,91x79 f0 g0 "
         "0/0 -0 @8,8,69x13 @8,25,69x21 | C500 50010003 '#aaaaaaa' | S-1 50000000 'b' | P1000 50010001 '&OK'"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(LayOut(row.input), row.expected) << row.input.markup;
    // Tags that create nothing leave the button alone.
    for (const char* markup : {"<C16>x", "<C-1>x", "<R20>y", "<c0>x", "<Q>z", "<", "<F3>", "<H5>", "<V9>"})
        EXPECT_EQ(LayOut({nullptr, false, nullptr, markup, 0, nullptr, 0}).find(" @", 45), std::string::npos) << markup;
    markup::BrowseParts narrow = markup::LayOutBrowseParts(8), wide = markup::LayOutBrowseParts(300);
    EXPECT_EQ(std::to_string(narrow.editWidth) + " " + std::to_string(narrow.buttonX) + " " + std::to_string(wide.editWidth) + " " +
              std::to_string(wide.buttonX) + " " + std::to_string(wide.buttonWidth) + " " + std::to_string(markup::CharUnit(88)) + " " +
              std::to_string(markup::CharUnit(89)) + " " + std::to_string(markup::MaxTextWidth(1024)), "0 -24 267 268 32 11 12 924");
    EXPECT_EQ(markup::InkForItem("!Error").colour + markup::InkForItem("?Maybe").colour + markup::InkForItem("plain").skip, 0xC1BFu);
    EXPECT_TRUE(markup::InkForItem("!E").skip && markup::InkForItem("?M").skip && !markup::InkForItem("").skip);
    // clang-format on
}

}  // namespace

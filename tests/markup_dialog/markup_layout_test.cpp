#include "markup_dialog/markup_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

using markup::ControlPlan;
using markup::Extent;

constexpr int kPitch = 7;  // pixels per character
constexpr int kLine = 13;  // pixels per line

// Measures with a fixed pitch, wrapping at the width it is given, adds the
// frames the styles ask for and creates nothing; a drop-down comes back as
// tall as its closed box, as the platform makes it.
class DryHost final : public markup::LayoutHost {
public:
    Extent MeasureText(const char* text, bool, int maxWidth) override {
        int width = 0, lines = 0;
        for (const char* line = text; *text != '\0' && line != nullptr;) {
            const char* end = strchr(line, '\n');
            int lineWidth = static_cast<int>(end != nullptr ? end - line : strlen(line)) * kPitch;
            lines += std::max(1, (lineWidth + maxWidth - 1) / maxWidth);
            width = std::max(width, lineWidth);
            line = end != nullptr ? end + 1 : nullptr;
        }
        return {width, lines * kLine};
    }
    Extent AdjustRect(Extent client, uint32_t style, uint32_t exStyle) override {
        long long edge = (exStyle & markup::kClientEdge ? 2 : 0) + (style & 0x00800000 ? 1 : 0);
        return {static_cast<int>(std::min<long long>(INT_MAX, client.width + 2 * edge)),
                static_cast<int>(std::min<long long>(INT_MAX, client.height + 2 * edge))};
    }
    bool Create(const ControlPlan& plan, Extent* actual) override {
        if (plan.id == failId)
            return false;
        char line[160];
        snprintf(line, sizeof line, "%c%d %d,%d %dx%d %x", plan.tag, plan.id, plan.x, plan.y, plan.width, plan.height,
                 plan.style);
        std::string shown = line;
        auto add = [&](bool when, const char* name, long long value) {
            if (when)
                shown += " " + std::string(name) + std::to_string(value);
        };
        add(plan.exStyle != 0, "ex", plan.exStyle);
        add(plan.checked, "on", 1);
        add(plan.textLimit != 0, "lim", plan.textLimit);
        add(plan.innerHeight != 0, "in", plan.innerHeight);
        add(plan.innerEditStyle != 0, "/", plan.innerEditStyle);
        add(plan.droppedExtra != 0, "drop", plan.droppedExtra);
        add(plan.selection != 0, "sel", plan.selection);
        std::string text = std::string(plan.text).substr(0, 12);
        std::replace(text.begin(), text.end(), '\n', '/');
        plans.push_back(shown + " '" + text + "'");
        *actual = {plan.width, strcmp(plan.className, "COMBOBOX") == 0 ? 21 : plan.height};
        return true;
    }
    int failId = INT_MIN;
    std::vector<std::string> plans;
};

struct Row {
    const char* markup;
    const char* message;
    const char* buttons;
    int values;
    const char* text;
    int textSize;
    bool icon;
    std::vector<std::string> expected;  // the layout, then each plan and where it went
};

// The layout's results in one line, then every plan with its final place.
std::vector<std::string> LayOut(const Row& row, int failId = INT_MIN) {
    DryHost host;
    host.failId = failId;
    static markup::DialogLayout l;
    markup::LayoutInput input = {row.message, row.icon, row.buttons, row.markup, row.values, row.text, row.textSize};
    markup::LayOutDialog(input, {1024, 768, 17, 3, 19, kLine, 8}, &host, &l);
    char line[200];
    snprintf(line, sizeof line,
             "msg %d content %d row %d client %d window %d,%d %dx%d flags %d gate %d buttons %d %d %c%d",
             l.messageHeight, l.contentWidth, l.rowWidth, l.clientHeight, l.windowX, l.windowY, l.windowWidth,
             l.windowHeight, l.flags, l.gateClosed, l.defaultIndex, l.cancelIndex, l.fieldKind ? l.fieldKind : '-',
             l.chooserMode);
    std::vector<std::string> lines = {line};
    for (int i = 0; i < l.controlCount + l.buttonCount; ++i) {
        const markup::PlacedWindow& w = i < l.controlCount ? l.controls[i] : l.buttons[i - l.controlCount];
        snprintf(line, sizeof line, " -> %d,%d %dx%d", w.x, w.y, w.width, w.height);
        lines.push_back(host.plans[i] + line);
    }
    return lines;
}

TEST(MarkupLayout, Plans) {
    const Row rows[] = {
        {nullptr,
         nullptr,
         "+&OK",
         0,
         nullptr,
         0,
         false,
         {"msg 0 content 69 row 69 client 41 window 466,351 91x66 flags 0 gate 0 buttons 0 0 -0",
          "P1000 8,12 69x21 50010001 '&OK' -> 8,12 69x21"}},
        {nullptr,
         "",
         "+&OK",
         0,
         nullptr,
         0,
         true,
         {"msg 0 content 69 row 69 client 41 window 466,351 91x66 flags 0 gate 0 buttons 0 0 -0",
          "P1000 8,12 69x21 50010001 '&OK' -> 8,12 69x21"}},
        {nullptr,
         "Install aborted.",
         "+&OK",
         0,
         nullptr,
         0,
         false,
         {"msg 13 content 112 row 69 client 62 window 445,340 134x87 flags 0 gate 0 buttons 0 0 -0",
          "P1000 8,33 69x21 50010001 '&OK' -> 29,33 69x21"}},
        {nullptr,
         "Install aborted.",
         "+&OK",
         0,
         nullptr,
         0,
         true,
         {"msg 32 content 152 row 69 client 81 window 425,331 174x106 flags 0 gate 0 buttons 0 0 -0",
          "P1000 8,52 69x21 50010001 '&OK' -> 49,52 69x21"}},
        {nullptr,
         "a\nb\nc",
         "+&OK",
         0,
         nullptr,
         0,
         true,
         {"msg 39 content 69 row 69 client 88 window 466,327 91x113 flags 0 gate 0 buttons 0 0 -0",
          "P1000 8,59 69x21 50010001 '&OK' -> 8,59 69x21"}},
        {"<E10><C15>I have read and fully agree to this license agreement <F2><=>",
         "Please read the license agreement and press 'Continue' to proceed with the installation.",
         "+&Continue installation|-&No, I don't agree",
         0,
         "Licence line one\nline two",
         0,
         true,
         {"msg 32 content 656 row 384 client 244 window 173,249 678x269 flags 2 gate 1 buttons 0 1 E0",
          "E400 8,48 137x140 50211844 ex512 'Licence line' -> 8,48 656x140",
          "C515 8,192 410x13 50010003 'I have read ' -> 8,192 656x13", "=101 8,209 656x2 50001000 '' -> 8,209 656x2",
          "P1000 8,215 202x21 50010001 '&Continue in' -> 144,215 202x21",
          "P1001 218,215 174x21 50010000 '&No, I don't' -> 354,215 174x21"}},
        {"<E10><C15>I agree<F2><=>",
         nullptr,
         "+a|-b",
         0x8000,
         "x",
         0,
         false,
         {"msg 0 content 118 row 118 client 204 window 442,269 140x229 flags 2 gate 0 buttons 0 1 E0",
          "E400 8,8 32x140 50211844 ex512 'x' -> 8,8 118x140",
          "C515 8,152 81x13 50010003 on1 'I agree' -> 8,152 118x13", "=101 8,169 81x2 50001000 '' -> 8,169 118x2",
          "P1000 8,175 55x21 50010001 'a' -> 8,175 55x21", "P1001 71,175 55x21 50010000 'b' -> 71,175 55x21"}},
        {"<=><H300><=>",
         "abc",
         nullptr,
         0,
         nullptr,
         0,
         false,
         {"msg 13 content 300 row 69 client 70 window 351,336 322x95 flags 0 gate 0 buttons 0 0 -0",
          "=101 8,29 21x2 50001000 '' -> 8,29 300x2", "=101 8,35 300x2 50001000 '' -> 8,35 300x2",
          "P1000 8,41 69x21 50010001 '&OK' -> 123,41 69x21"}},
        {"<B128>Select the installation folder|Folder|*._||<C0>Automatically execute on startup<C2>Add link on "
         "desktop<C1>Execute after installation<=>",
         "Select a folder and set the requested options.",
         "+&Continue|-&Abort installation",
         5,
         "c:\\program files\\zuvware\\Tapdeck",
         256,
         true,
         {"msg 32 content 362 row 300 client 157 window 320,293 384x182 flags 0 gate 0 buttons 0 1 B0",
          "B401 8,48 8x19 50010000 in21 /1350633472 'Select the i' -> 8,48 362x19",
          "C500 8,71 256x13 50010003 on1 'Automaticall' -> 8,71 362x13",
          "C502 8,88 165x13 50010003 on1 'Add link on ' -> 8,88 362x13",
          "C501 8,105 214x13 50010003 'Execute afte' -> 8,105 362x13", "=101 8,122 362x2 50001000 '' -> 8,122 362x2",
          "P1000 8,128 111x21 50010001 '&Continue' -> 39,128 111x21",
          "P1001 127,128 181x21 50010000 '&Abort insta' -> 158,128 181x21"}},
        {"<H301>",
         nullptr,
         "+&Ok|-&Reinstall",
         0,
         nullptr,
         0,
         false,
         {"msg 0 content 301 row 195 client 41 window 350,351 323x66 flags 0 gate 0 buttons 0 1 -0",
          "P1000 8,12 69x21 50010001 '&Ok' -> 61,12 69x21",
          "P1001 85,12 118x21 50010000 '&Reinstall' -> 138,12 118x21"}},
        {"<H300>",
         nullptr,
         "x",
         0,
         nullptr,
         0,
         false,
         {"msg 0 content 300 row 55 client 41 window 351,351 322x66 flags 0 gate 0 buttons 0 0 -0",
          "P1000 8,12 55x21 50010000 'x' -> 130,12 55x21"}},
        {"<S>a<V-4><S>b<H300>",
         nullptr,
         nullptr,
         0,
         nullptr,
         0,
         false,
         {"msg 0 content 300 row 69 client 67 window 351,338 322x92 flags 0 gate 0 buttons 0 0 -0",
          "S-1 8,8 7x13 50000000 'a' -> 8,8 300x13", "S-1 8,21 7x13 50000000 'b' -> 8,21 300x13",
          "P1000 8,38 69x21 50010001 '&OK' -> 123,38 69x21"}},
        {"<B1>t<E><D><L>",
         nullptr,
         nullptr,
         0,
         "x",
         16,
         false,
         {"msg 0 content 69 row 69 client 60 window 466,341 91x85 flags 0 gate 0 buttons 0 0 B1",
          "B401 8,8 8x19 50010000 in21 /1350631424 't' -> 8,8 69x19", "P1000 8,31 69x21 50010001 '&OK' -> 8,31 69x21"}},
        {"<E>",
         nullptr,
         nullptr,
         0,
         "",
         64,
         false,
         {"msg 0 content 108 row 69 client 64 window 447,339 130x89 flags 0 gate 0 buttons 0 0 E0",
          "E400 8,8 108x23 50011000 ex512 lim63 '' -> 8,8 108x23", "P1000 8,35 69x21 50010001 '&OK' -> 27,35 69x21"}},
        {"<E>",
         nullptr,
         nullptr,
         0,
         "a\nb",
         64,
         false,
         {"msg 0 content 69 row 69 client 77 window 466,333 91x102 flags 0 gate 0 buttons 0 0 E0",
          "E400 8,8 32x36 50211044 ex512 lim63 'a/b' -> 8,8 69x36", "P1000 8,48 69x21 50010001 '&OK' -> 8,48 69x21"}},
        {"<E-3>",
         nullptr,
         nullptr,
         0,
         "abc",
         64,
         false,
         {"msg 0 content 69 row 69 client 90 window 466,326 91x115 flags 0 gate 0 buttons 0 0 E0",
          "E400 8,8 29x49 50011004 ex512 lim63 'abc' -> 8,8 69x49", "P1000 8,61 69x21 50010001 '&OK' -> 8,61 69x21"}},
        {"<E3:20>",
         nullptr,
         nullptr,
         0,
         "",
         1,
         false,
         {"msg 0 content 185 row 69 client 90 window 408,326 207x115 flags 0 gate 0 buttons 0 0 E0",
          "E400 8,8 185x49 50211844 ex512 '' -> 8,8 185x49", "P1000 8,61 69x21 50010001 '&OK' -> 66,61 69x21"}},
        {"<E1:5>",
         nullptr,
         nullptr,
         0,
         nullptr,
         2,
         false,
         {"msg 0 content 69 row 69 client 64 window 466,339 91x89 flags 0 gate 0 buttons 0 0 E0",
          "E400 8,8 48x23 50011000 ex512 lim1 '' -> 8,8 69x23", "P1000 8,35 69x21 50010001 '&OK' -> 8,35 69x21"}},
        {"<L>",
         nullptr,
         nullptr,
         0,
         "ab|!Error|c",
         0,
         false,
         {"msg 0 content 69 row 69 client 88 window 466,327 91x113 flags 0 gate 0 buttons 0 0 L0",
          "L400 8,8 52x47 50811151 '' -> 8,8 69x47", "P1000 8,59 69x21 50010001 '&OK' -> 8,59 69x21"}},
        {"<L2>",
         nullptr,
         nullptr,
         2 << 16,
         "ab|!Error|c",
         0,
         false,
         {"msg 0 content 69 row 69 client 73 window 466,335 91x98 flags 0 gate 0 buttons 0 0 L0",
          "L400 8,8 69x32 50a11151 sel2 '' -> 8,8 69x32", "P1000 8,44 69x21 50010001 '&OK' -> 8,44 69x21"}},
        {"<L-2>",
         nullptr,
         nullptr,
         0,
         "a",
         0,
         false,
         {"msg 0 content 69 row 69 client 73 window 466,335 91x98 flags 0 gate 0 buttons 0 0 L0",
          "L400 8,8 34x32 50a11151 '' -> 8,8 69x32", "P1000 8,44 69x21 50010001 '&OK' -> 8,44 69x21"}},
        {"<D>",
         nullptr,
         nullptr,
         static_cast<int>(0xFFFF0000u),
         "ab|c",
         0,
         false,
         {"msg 0 content 69 row 69 client 62 window 466,340 91x87 flags 0 gate 0 buttons 0 0 D0",
          "D400 8,8 24x34 50810613 drop34 sel-1 '' -> 8,8 69x55", "P1000 8,33 69x21 50010001 '&OK' -> 8,33 69x21"}},
        {"<D>",
         nullptr,
         nullptr,
         0,
         nullptr,
         0,
         false,
         {"msg 0 content 69 row 69 client 62 window 466,340 91x87 flags 0 gate 0 buttons 0 0 D0",
          "D400 8,8 10x34 50810613 drop4 '' -> 8,8 69x25", "P1000 8,33 69x21 50010001 '&OK' -> 8,33 69x21"}},
        {"<C0>a<R1>b<C15>c<S>d",
         nullptr,
         nullptr,
         0x8001,
         nullptr,
         0,
         false,
         {"msg 0 content 69 row 69 client 105 window 466,319 91x130 flags 0 gate 0 buttons 0 0 -0",
          "C500 8,8 39x13 50010003 on1 'a' -> 8,8 69x13", "R501 8,25 39x13 50010009 'b' -> 8,25 69x13",
          "C515 8,42 39x13 50010003 on1 'c' -> 8,42 69x13", "S-1 8,59 7x13 50000000 'd' -> 8,59 69x13",
          "P1000 8,76 69x21 50010001 '&OK' -> 8,76 69x21"}},
        {"<F2>",
         nullptr,
         "a|b",
         0,
         nullptr,
         0,
         false,
         {"msg 0 content 118 row 118 client 41 window 442,351 140x66 flags 2 gate 0 buttons -1 -1 -0",
          "P1000 8,12 55x21 50010000 'a' -> 8,12 55x21", "P1001 71,12 55x21 50010000 'b' -> 71,12 55x21"}},
        {"<F2>",
         nullptr,
         "x",
         0,
         nullptr,
         0,
         false,
         {"msg 0 content 55 row 55 client 41 window 473,351 77x66 flags 2 gate 1 buttons 0 0 -0",
          "P1000 8,12 55x21 50010000 'x' -> 8,12 55x21"}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(LayOut(row), row.expected) << row.markup;
    }
}

TEST(MarkupLayout, DegenerateInputs) {
    // Tags that create nothing leave the button alone.
    for (const char* markup : {"<C16>x", "<C-1>x", "<R20>y", "<c0>x", "<Q>z", "<", "<F3>", "<H5>", "<V9>"})
        EXPECT_EQ(LayOut({markup, nullptr, nullptr, 0, nullptr, 0, false, {}}).size(), 2u) << markup;
    // A control that cannot be created takes no room.
    std::vector<std::string> failed =
        LayOut({"<C0>aaaaaaaaaaaaaaaaaaaaaaaaaa<S>b", nullptr, nullptr, 0, nullptr, 0, false, {}}, 500);
    EXPECT_EQ(failed[1].substr(0, 11), "S-1 8,8 7x1");
    // Huge numbers saturate.
    for (const char* markup : {"<E2147483647:2147483647>", "<E-2147483648>", "<L99999999999>", "<V2147483647><S>x",
                               "<V-2147483648><S>x<V-2147483648>", "<H2147483647>"}) {
        int x = 0, width = 0;
        std::string summary = LayOut({markup, nullptr, nullptr, 0, "a|b", 4, false, {}})[0];
        sscanf(summary.c_str() + summary.find("window"), "window %d,%*d %dx", &x, &width);
        EXPECT_TRUE(width >= 0 && x <= 1024) << markup << ": " << summary;
    }
    EXPECT_EQ(markup::MaxTextWidth(1024), 924);
    EXPECT_EQ(markup::CharUnit(88) * 100 + markup::CharUnit(89), 1112);  // rounded up to a multiple of 8 first
    for (int width : {300, 33, 8}) {
        markup::BrowseParts parts = markup::LayOutBrowseParts(width);
        EXPECT_EQ(parts.editWidth * 10000 + parts.buttonX + 100 * parts.buttonWidth,
                  std::max(0, width - 33) * 10000 + width - 32 + 3200);
    }
    const struct {
        const char* item;
        uint32_t colour;
        int skip;
    } inks[] = {{"!Error", 0x000000FF, 1}, {"?Maybe", 0x0000C0C0, 1}, {"plain", 0, 0}, {"", 0, 0}};
    for (const auto& ink : inks) {
        EXPECT_EQ(markup::InkForItem(ink.item).colour, ink.colour) << ink.item;
        EXPECT_EQ(markup::InkForItem(ink.item).skip, ink.skip) << ink.item;
    }
}

}  // namespace

#include "markup_dialog/markup_layout.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

namespace {

using markup::ControlPlan;
using markup::DialogLayout;
using markup::Extent;
using markup::LayoutInput;
using markup::LayoutMetrics;
using markup::PlacedWindow;

constexpr int kPitch = 7;  // pixels per character
constexpr int kLine = 13;  // pixels per line

// Measures with a fixed pitch, wrapping at the width it is given, and adds
// the frames the styles ask for; creates nothing, but keeps every plan. A
// drop-down list comes back as tall as its closed box, as the platform makes it.
class DryHost final : public markup::LayoutHost {
public:
    Extent MeasureText(const char* text, bool, int maxWidth) override {
        int width = 0;
        int lines = 0;
        std::string all(text);
        size_t start = 0;
        while (start <= all.size() && !all.empty()) {
            size_t end = all.find('\n', start);
            if (end == std::string::npos)
                end = all.size();
            int lineWidth = static_cast<int>(end - start) * kPitch;
            int wraps = maxWidth > 0 ? (lineWidth + maxWidth - 1) / maxWidth : 1;
            lines += wraps > 1 ? wraps : 1;
            width = std::max(width, lineWidth);
            start = end + 1;
        }
        return {width, lines * kLine};
    }
    Extent AdjustRect(Extent client, uint32_t style, uint32_t exStyle) override {
        int edge = (exStyle & markup::kClientEdge ? 2 : 0) + (style & 0x00800000 ? 1 : 0);
        auto grow = [edge](int size) { return static_cast<int>(std::min<long long>(INT_MAX, size + 2LL * edge)); };
        return {grow(client.width), grow(client.height)};
    }
    bool Create(const ControlPlan& plan, Extent* actual) override {
        if (plan.id == failId)
            return false;
        plans.push_back(plan);
        texts.push_back(plan.text);
        *actual = {plan.width, strcmp(plan.className, "COMBOBOX") == 0 ? kClosedDropDown : plan.height};
        return true;
    }
    static constexpr int kClosedDropDown = 21;
    int failId = INT_MIN;
    std::vector<ControlPlan> plans;
    std::vector<std::string> texts;
};

const LayoutMetrics kMetrics = {1024, 768, 17, 3, 19, kLine, 8};

struct DryRun {
    DryHost host;
    DialogLayout layout;
};

LayoutInput Input(const char* markup,
                  const char* message = nullptr,
                  const char* buttons = nullptr,
                  int values = 0,
                  const char* text = nullptr,
                  int textSize = 0,
                  bool icon = false) {
    return {message, icon, buttons, markup, values, text, textSize};
}

void LayOut(DryRun* run, const LayoutInput& input) {
    markup::LayOutDialog(input, kMetrics, &run->host, &run->layout);
}

const ControlPlan* PlanOf(const DryRun& run, int id) {
    for (const ControlPlan& plan : run.host.plans) {
        if (plan.id == id)
            return &plan;
    }
    return nullptr;
}

TEST(MarkupLayout, MeasuresAndCharacterUnit) {
    EXPECT_EQ(markup::MaxTextWidth(1024), 924);
    EXPECT_EQ(markup::CharUnit(88), 11);
    EXPECT_EQ(markup::CharUnit(89), 12);  // rounded up to a multiple of 8 first
    EXPECT_EQ(markup::CharUnit(0), 0);
}

TEST(MarkupLayout, MessageAreaWithAndWithoutIcon) {
    struct Case {
        const char* message;
        bool icon;
        int messageHeight;
        int contentWidth;
        int buttonTop;
    } cases[] = {
        {nullptr, false, 0, 0, 12},                // content at 8, buttons 4 lower than a first control
        {"", true, 0, 0, 12},                      // an icon without message reserves nothing
        {"Install aborted.", false, 13, 112, 33},  // 16 characters, one line: 13 + 16, then + 4
        {"Install aborted.", true, 32, 152, 52},   // the icon's 40 by 32
        {"a\nb\nc", true, 39, 47, 59},
    };
    for (const Case& c : cases) {
        DryRun run;
        LayOut(&run, Input(nullptr, c.message, "+&OK", 0, nullptr, 0, c.icon));
        EXPECT_EQ(run.layout.messageHeight, c.messageHeight) << c.message;
        EXPECT_EQ(run.layout.contentWidth, std::max(c.contentWidth, run.layout.rowWidth)) << c.message;
        EXPECT_EQ(run.layout.buttons[0].y, c.buttonTop) << c.message;
    }
}

TEST(MarkupLayout, LicenceDialog) {
    const char* licence = "Licence line one\nline two";
    DryRun run;
    LayOut(&run, Input("<E10><C15>I have read and fully agree to this license agreement <F2><=>",
                       "Please read the license agreement and press 'Continue' to proceed with the installation.",
                       "+&Continue installation|-&No, I don't agree", 0, licence, 0, true));
    const DialogLayout& l = run.layout;
    ASSERT_EQ(l.controlCount, 3);
    const ControlPlan* edit = PlanOf(run, markup::kFieldId);
    ASSERT_NE(edit, nullptr);
    // Ten rows with a scroll bar, read-only because textSize is below 2, no limit.
    EXPECT_EQ(edit->style, markup::kEditScrollStyle | markup::kReadOnly);
    EXPECT_EQ(edit->exStyle, markup::kClientEdge);
    EXPECT_EQ(edit->height, 10 * kLine + 4 + 6);
    EXPECT_EQ(edit->width, 16 * kPitch + 17 + 4 + 4);
    EXPECT_EQ(edit->textLimit, 0);
    EXPECT_EQ(run.host.texts[0], licence);
    EXPECT_EQ(edit->y, 48);  // message 32 high with the icon, + 16

    const ControlPlan* box = PlanOf(run, 515);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->y, edit->y + edit->height + 4);
    EXPECT_EQ(box->style, markup::kCheckBoxStyle);
    EXPECT_FALSE(box->checked);
    const char label[] = "I have read and fully agree to this license agreement ";
    EXPECT_EQ(box->width, (static_cast<int>(sizeof label) - 1) * kPitch + 32);
    EXPECT_EQ(box->height, kLine);

    const ControlPlan* line = PlanOf(run, markup::kLineId);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->style, markup::kLineStyle);
    EXPECT_EQ(line->height, 2);
    const int messageWidth = 88 * kPitch + 40;  // the widest so far, with the icon's room
    EXPECT_EQ(line->width, messageWidth);
    EXPECT_EQ(line->y, box->y + kLine + 4);
    for (int i = 0; i < l.controlCount; ++i)
        EXPECT_EQ(l.controls[i].width, l.contentWidth);  // every control as wide as the content

    EXPECT_EQ(l.flags, 2);
    EXPECT_TRUE(l.gateClosed);
    EXPECT_EQ(l.defaultIndex, 0);
    EXPECT_EQ(l.cancelIndex, 1);
    EXPECT_EQ(l.fieldKind, 'E');
    EXPECT_EQ(l.buttons[0].y, line->y + 2 + 4);

    DryRun agreed;
    LayOut(&agreed, Input("<E10><C15>I agree<F2><=>", nullptr, "+a|-b", 0x8000, licence, 0));
    EXPECT_FALSE(agreed.layout.gateClosed);
    EXPECT_TRUE(PlanOf(agreed, 515)->checked);
}

TEST(MarkupLayout, SeparatorTakesTheContentWidthSoFar) {
    DryRun run;
    LayOut(&run, Input("<=><H300><=>", "abc"));
    EXPECT_EQ(run.host.plans[0].width, 21);
    EXPECT_EQ(run.host.plans[1].width, 300);
    EXPECT_EQ(run.layout.contentWidth, 300);
}

TEST(MarkupLayout, OptionsDialog) {
    char folder[256] = "c:\\program files\\zuvware\\Tapdeck";
    DryRun run;
    LayOut(&run, Input("<B128>Select the installation folder|Folder|*._||<C0>Automatically execute on startup"
                       "<C2>Add link on desktop<C1>Execute after installation<=>",
                       "Select a folder and set the requested options.", "+&Continue|-&Abort installation", 5, folder,
                       256, true));
    const DialogLayout& l = run.layout;
    EXPECT_EQ(l.fieldKind, 'B');
    EXPECT_EQ(l.chooserMode, 0);
    const ControlPlan* browse = PlanOf(run, markup::kBrowseId);
    ASSERT_NE(browse, nullptr);
    EXPECT_EQ(run.host.texts[0], "Select the installation folder|Folder|*._||");
    EXPECT_EQ(browse->style, markup::kBrowseStyle);
    EXPECT_EQ(browse->innerEditStyle, markup::kBrowseEditStyle | markup::kReadOnly);
    EXPECT_EQ(browse->width, 8);
    EXPECT_EQ(browse->height, kLine + 6);
    EXPECT_EQ(browse->innerHeight, kLine + 8);
    // Check boxes in markup order, each checked from its own bit.
    std::vector<int> ids;
    std::vector<bool> checked;
    for (const ControlPlan& plan : run.host.plans) {
        if (plan.tag == 'C') {
            ids.push_back(plan.id);
            checked.push_back(plan.checked);
        }
    }
    EXPECT_EQ(ids, (std::vector<int>{500, 502, 501}));
    EXPECT_EQ(checked, (std::vector<bool>{true, true, false}));
}

TEST(MarkupLayout, ButtonRowIsCentredInTheContent) {
    DryRun run;
    LayOut(&run, Input("<H301>", nullptr, "+&Ok|-&Reinstall"));
    const DialogLayout& l = run.layout;
    ASSERT_EQ(l.buttonCount, 2);
    int first = 3 * kPitch + 48;  // "&Ok" measured as it stands
    int second = 10 * kPitch + 48;
    EXPECT_EQ(l.rowWidth, first + 8 + second);
    int shift = (301 - l.rowWidth) / 2;
    EXPECT_EQ(l.buttons[0].x, 8 + shift);
    EXPECT_EQ(l.buttons[1].x, 8 + first + 8 + shift);
    EXPECT_EQ(l.buttons[0].height, kLine + 8);
    EXPECT_EQ(run.host.plans[0].style, markup::kButtonStyle | markup::kDefaultButton);
    EXPECT_EQ(run.host.plans[1].style, markup::kButtonStyle);
    EXPECT_EQ(run.host.plans[1].id, 1001);
}

TEST(MarkupLayout, WindowSizeAndPosition) {
    DryRun run;
    LayOut(&run, Input("<H300>", nullptr, "x"));
    const DialogLayout& l = run.layout;
    EXPECT_EQ(l.clientHeight, 12 + kLine + 8 + 8);
    EXPECT_EQ(l.windowWidth, 300 + 2 * 3 + 16);
    EXPECT_EQ(l.windowHeight, l.clientHeight + 19 + 2 * 3);
    EXPECT_EQ(l.windowX, (1024 - l.windowWidth) / 2);
    EXPECT_EQ(l.windowY, (768 - l.windowHeight) / 2);
}

TEST(MarkupLayout, VerticalSpaceAndMinimumWidth) {
    DryRun run;
    LayOut(&run, Input("<S>a<V-4><S>b<H300>"));
    ASSERT_EQ(run.layout.controlCount, 2);
    EXPECT_EQ(run.host.plans[0].y, 8);
    EXPECT_EQ(run.host.plans[1].y, 8 + kLine + 4 - 4);
    EXPECT_EQ(run.layout.contentWidth, 300);
    EXPECT_EQ(run.layout.buttons[0].y, run.host.plans[1].y + kLine + 4);
}

TEST(MarkupLayout, TagsThatCreateNothing) {
    for (const char* markup : {"<C16>x", "<C-1>x", "<R20>y", "<c0>x", "<Q>z", "<", "<F3>", "<H5>", "<V9>"}) {
        DryRun run;
        LayOut(&run, Input(markup));
        EXPECT_EQ(run.layout.controlCount, 0) << markup;
        EXPECT_EQ(run.host.plans.size(), 1u) << markup;  // the button only
    }
}

TEST(MarkupLayout, OnlyTheFirstDataFieldCounts) {
    char text[16] = "x";
    DryRun run;
    LayOut(&run, Input("<B1>t<E><D><L>", nullptr, nullptr, 0, text, sizeof text));
    EXPECT_EQ(run.layout.controlCount, 1);
    EXPECT_EQ(run.layout.fieldKind, 'B');
    EXPECT_EQ(run.layout.chooserMode, 1);
    EXPECT_EQ(run.host.plans[0].innerEditStyle, markup::kBrowseEditStyle);  // 1 has no 128: editable
}

TEST(MarkupLayout, AControlThatCannotBeCreatedTakesNoRoom) {
    DryRun run;
    run.host.failId = 500;
    LayOut(&run, Input("<C0>aaaaaaaaaaaaaaaaaaaaaaaaaa<S>b"));
    ASSERT_EQ(run.layout.controlCount, 1);
    EXPECT_EQ(run.layout.controls[0].y, 8);
    EXPECT_EQ(run.layout.contentWidth, std::max(kPitch, run.layout.rowWidth));
}

TEST(MarkupLayout, EditSizesAndStyles) {
    struct Case {
        const char* markup;
        const char* text;
        int textSize;
        uint32_t style;
        int width;   // of the window
        int height;  // of the window
        int limit;
    } cases[] = {
        {"<E>", "", 64, markup::kEditLineStyle, 100 + 4 + 4, kLine + 4 + 6, 63},
        {"<E>", "abc", 64, markup::kEditLineStyle, 21 + 8, kLine + 10, 63},
        {"<E>", "a\nb", 64, markup::kEditScrollStyle, 7 + 17 + 8, 2 * kLine + 10, 63},
        {"<E-3>", "", 64, markup::kEditRowsStyle, 108, 3 * kLine + 10, 63},  // rows, no scroll bar
        {"<E3:20>", "", 64, markup::kEditScrollStyle, 20 * 8 + 17 + 8, 3 * kLine + 10, 63},
        {"<E1:5>", "", 64, markup::kEditLineStyle, 5 * 8 + 8, kLine + 10, 63},
        {"<E>", "", 1, markup::kEditLineStyle | markup::kReadOnly, 108, kLine + 10, 0},
        {"<E>", nullptr, 0, markup::kEditLineStyle | markup::kReadOnly, 108, kLine + 10, 0},  // null text as empty
        {"<E>", "", 2, markup::kEditLineStyle, 108, kLine + 10, 1},
    };
    for (const Case& c : cases) {
        DryRun run;
        LayOut(&run, Input(c.markup, nullptr, nullptr, 0, c.text, c.textSize));
        const ControlPlan* edit = PlanOf(run, markup::kFieldId);
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->style, c.style) << c.markup << " " << c.textSize;
        EXPECT_EQ(edit->width, c.width) << c.markup;
        EXPECT_EQ(edit->height, c.height) << c.markup;
        EXPECT_EQ(edit->textLimit, c.limit) << c.markup;
    }
}

TEST(MarkupLayout, ListAndDropDownFields) {
    struct Case {
        const char* markup;
        const char* text;
        int values;
        const char* className;
        uint32_t style;
        int width;
        int height;  // asked for
        int placedHeight;
        int selection;
    } cases[] = {
        {"<L>", "ab|!Error|c", 0, "LISTBOX", markup::kListStyle, 42 + 8 + 2, 45 + 2, 47, 0},
        {"<L2>", "ab|!Error|c", 2 << 16, "LISTBOX", markup::kListStyle | markup::kVScroll, 42 + 8 + 17 + 2, 30 + 2, 32,
         2},
        // A negative row count is read as rows, not as a negative height.
        {"<L-2>", "a", 0, "LISTBOX", markup::kListStyle | markup::kVScroll, 7 + 8 + 17 + 2, 32, 32, 0},
        {"<D>", "ab|c", static_cast<int>(0xFFFF0000u), "COMBOBOX", markup::kDropDownStyle, 14 + 8 + 2, 34,
         DryHost::kClosedDropDown + 30 + 4, -1},
        {"<D>", nullptr, 0, "COMBOBOX", markup::kDropDownStyle, 8 + 2, 34, DryHost::kClosedDropDown + 4, 0},
    };
    for (const Case& c : cases) {
        DryRun run;
        LayOut(&run, Input(c.markup, nullptr, nullptr, c.values, c.text, 0));
        ASSERT_EQ(run.layout.controlCount, 1) << c.markup;
        const ControlPlan& plan = run.host.plans[0];
        EXPECT_STREQ(plan.className, c.className);
        EXPECT_EQ(plan.style, c.style) << c.markup;
        EXPECT_EQ(plan.width, c.width) << c.markup;
        EXPECT_EQ(plan.height, c.height) << c.markup;
        EXPECT_EQ(run.layout.controls[0].height, c.placedHeight) << c.markup;
        EXPECT_EQ(plan.selection, c.selection) << c.markup;
    }
}

TEST(MarkupLayout, CheckBoxStatesFromTheValues) {
    DryRun run;
    LayOut(&run, Input("<C0>a<R1>b<C15>c<S>d", nullptr, nullptr, 0x8001));
    ASSERT_EQ(run.host.plans.size(), 5u);
    EXPECT_TRUE(run.host.plans[0].checked);
    EXPECT_FALSE(run.host.plans[1].checked);
    EXPECT_EQ(run.host.plans[1].style, markup::kRadioStyle);
    EXPECT_TRUE(run.host.plans[2].checked);
    EXPECT_EQ(run.host.plans[3].id, markup::kStaticId);
    EXPECT_EQ(run.host.plans[3].width, kPitch);
}

TEST(MarkupLayout, AgreementGateNeedsADefaultButton) {
    struct Case {
        const char* buttons;
        int values;
        bool closed;
    } cases[] = {{"+a|-b", 0, true}, {"+a|-b", 0x8000, false}, {"a|b", 0, false}, {"x", 0, true}};
    for (const Case& c : cases) {
        DryRun run;
        LayOut(&run, Input("<F2>", nullptr, c.buttons, c.values));
        EXPECT_EQ(run.layout.gateClosed, c.closed) << c.buttons;
    }
}

TEST(MarkupLayout, HugeNumbersSaturate) {
    for (const char* markup : {"<E2147483647:2147483647>", "<E-2147483648>", "<L99999999999>", "<V2147483647><S>x",
                               "<V-2147483648><S>x<V-2147483648>", "<H2147483647>"}) {
        DryRun run;
        LayOut(&run, Input(markup, nullptr, nullptr, 0, "a|b", 4));
        const DialogLayout& l = run.layout;
        EXPECT_GE(l.windowWidth, 0) << markup;
        EXPECT_LE(l.windowX, 1024) << markup;
    }
}

TEST(BrowseParts, EditAndButtonCoverTheContainer) {
    struct Case {
        int width;
        int edit;
        int buttonX;
    } cases[] = {{300, 267, 268}, {33, 0, 1}, {8, 0, -24}};
    for (const Case& c : cases) {
        markup::BrowseParts parts = markup::LayOutBrowseParts(c.width);
        EXPECT_EQ(parts.editWidth, c.edit);
        EXPECT_EQ(parts.buttonX, c.buttonX);
        EXPECT_EQ(parts.buttonWidth, 32);
    }
}

TEST(ItemInk, MarkedItemsAreColouredWithoutTheirMark) {
    EXPECT_EQ(markup::InkForItem("!Error").colour, 0x000000FFu);
    EXPECT_EQ(markup::InkForItem("!Error").skip, 1);
    EXPECT_EQ(markup::InkForItem("?Maybe").colour, 0x0000C0C0u);
    EXPECT_EQ(markup::InkForItem("plain").colour, 0u);
    EXPECT_EQ(markup::InkForItem("plain").skip, 0);
    EXPECT_EQ(markup::InkForItem("").skip, 0);
}

}  // namespace

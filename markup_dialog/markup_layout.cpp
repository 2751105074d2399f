#include "markup_dialog/markup_layout.h"

#include <cstring>

namespace markup {

namespace {

int Add(long long a, long long b) {
    return SaturateToInt(a + b);
}

int Mul(long long a, long long b) {
    return SaturateToInt(a * b);
}

int Max(int a, int b) {
    return a > b ? a : b;
}

int Magnitude(int n) {
    return SaturateToInt(n < 0 ? -static_cast<long long>(n) : n);
}

// The running state of one layout: where the next control goes, and what the
// tags so far have decided.
class Builder {
public:
    Builder(const LayoutInput& input, const LayoutMetrics& metrics, LayoutHost* host, DialogLayout* out)
        : in_(input), metrics_(metrics), host_(host), out_(out) {}

    void Run();

private:
    Extent Measure(const char* text, bool edit);
    void MessageArea();
    void Tag(const MarkupTag& tag, Extent label);
    void PlanEdit(const MarkupTag& tag, ControlPlan* plan);
    void PlanBrowse(const MarkupTag& tag, ControlPlan* plan);
    void PlanList(const MarkupTag& tag, ControlPlan* plan);
    void Place(const ControlPlan& plan);
    void Buttons();
    void Finish();

    const LayoutInput& in_;
    const LayoutMetrics& metrics_;
    LayoutHost* host_;
    DialogLayout* out_;
    int y_ = 8;
    int buttonX_ = 8;
    int buttonHeight_ = 0;
};

ControlPlan EmptyPlan(char tag, int y) {
    ControlPlan plan;
    memset(&plan, 0, sizeof plan);
    plan.tag = tag;
    plan.text = "";
    plan.x = 8;
    plan.y = y;
    return plan;
}

Extent Builder::Measure(const char* text, bool edit) {
    Extent size = host_->MeasureText(text, edit, out_->maxTextWidth);
    if (size.width > out_->maxTextWidth) {
        size.width = out_->maxTextWidth;
    }
    return size;
}

void Builder::MessageArea() {
    if (in_.message == nullptr || in_.message[0] == '\0') {
        return;
    }
    Extent size = Measure(in_.message, false);
    if (in_.hasIcon) {
        out_->contentWidth = Add(size.width, 40);
        out_->messageHeight = Max(size.height, 32);
    } else {
        out_->contentWidth = Max(size.width, 0);
        out_->messageHeight = size.height;
    }
    y_ = Add(out_->messageHeight, 16);
}

void Builder::PlanEdit(const MarkupTag& tag, ControlPlan* plan) {
    const char* text = in_.text != nullptr ? in_.text : "";
    Extent size = {kEmptyEditWidth, metrics_.lineHeight};
    if (text[0] != '\0') {
        size = Measure(text, true);
    }
    if (tag.n != 0) {
        size.height = Mul(Magnitude(tag.n), metrics_.lineHeight);
    }
    if (tag.m != 0) {
        size.width = Mul(tag.m, metrics_.charUnit);
    }
    plan->style = kEditLineStyle;
    if (size.height > metrics_.lineHeight) {
        plan->style = tag.n < 0 ? kEditRowsStyle : kEditScrollStyle;
        if (tag.n >= 0) {
            size.width = Add(size.width, metrics_.scrollWidth);
        }
    }
    Extent window = host_->AdjustRect(size, plan->style, kClientEdge);
    plan->width = Add(window.width, 4);
    plan->height = Add(window.height, 6);
    if (in_.textSize < 2) {
        plan->style |= kReadOnly;
    }
    plan->className = "EDIT";
    plan->exStyle = kClientEdge;
    plan->text = text;
    plan->id = kFieldId;
    plan->textLimit = in_.textSize > 1 ? in_.textSize - 1 : 0;
}

void Builder::PlanBrowse(const MarkupTag& tag, ControlPlan* plan) {
    out_->chooserMode = tag.n & 3;
    plan->className = "STATIC";
    plan->text = tag.label;
    plan->style = kBrowseStyle;
    plan->id = kBrowseId;
    plan->width = 8;
    plan->height = Add(metrics_.lineHeight, 6);
    plan->innerEditStyle = kBrowseEditStyle | ((tag.n & kBrowseReadOnlyFlag) != 0 ? kReadOnly : 0);
    plan->innerHeight = Add(metrics_.lineHeight, 8);
}

void Builder::PlanList(const MarkupTag& tag, ControlPlan* plan) {
    int widest = 0;
    int count = 0;
    const char* cursor = in_.text;
    char item[kLabelSize];
    while (NextListItem(&cursor, item, sizeof item)) {
        widest = Max(widest, Measure(item, false).width);
        count = Add(count, 1);
    }
    int total = Mul(count, kItemHeight);
    Extent size = {Add(widest, 8), total};
    if (tag.letter == 'L') {
        plan->className = "LISTBOX";
        plan->style = kListStyle;
        if (tag.n != 0) {
            // Rows, not pixels: a negative count is read as its size, like the edit's.
            size.height = Mul(Magnitude(tag.n), kItemHeight);
            plan->style |= kVScroll;
            size.width = Add(size.width, metrics_.scrollWidth);
        }
    } else {
        plan->className = "COMBOBOX";
        plan->style = kDropDownStyle;
        size.height = 32;
        plan->droppedExtra = Add(total, 4);
    }
    Extent window = host_->AdjustRect(size, plan->style, 0);
    plan->width = window.width;
    plan->height = window.height;
    plan->id = kFieldId;
    plan->text = "";
    plan->selection = in_.values >> 16;
}

void Builder::Tag(const MarkupTag& tag, Extent label) {
    ControlPlan plan = EmptyPlan(tag.letter, y_);
    switch (tag.letter) {
        case 'C':
        case 'R':
            if (tag.n < 0 || tag.n > 15) {
                return;
            }
            plan.className = "BUTTON";
            plan.text = tag.label;
            plan.style = tag.letter == 'C' ? kCheckBoxStyle : kRadioStyle;
            plan.id = kCheckBaseId + tag.n;
            plan.width = Add(label.width, 32);
            plan.height = label.height;
            plan.checked = ((static_cast<unsigned>(in_.values) >> tag.n) & 1) != 0;
            break;
        case 'S':
            plan.className = "STATIC";
            plan.text = tag.label;
            plan.style = kStaticStyle;
            plan.id = kStaticId;
            plan.width = label.width;
            plan.height = label.height;
            break;
        case '=':
            plan.className = "STATIC";
            plan.style = kLineStyle;
            plan.id = kLineId;
            plan.width = out_->contentWidth;
            plan.height = 2;
            break;
        case 'E':
        case 'B':
        case 'D':
        case 'L':
            if (out_->fieldKind != 0) {
                return;  // only the first data field of a markup counts
            }
            out_->fieldKind = tag.letter;
            if (tag.letter == 'E') {
                PlanEdit(tag, &plan);
            } else if (tag.letter == 'B') {
                PlanBrowse(tag, &plan);
            } else {
                PlanList(tag, &plan);
            }
            break;
        case 'F':
            out_->flags = tag.n;
            return;
        case 'H':
            out_->contentWidth = Max(out_->contentWidth, tag.n);
            return;
        case 'V':
            y_ = Add(y_, tag.n);
            return;
        default:
            return;
    }
    Place(plan);
}

void Builder::Place(const ControlPlan& plan) {
    if (out_->controlCount == kMaxControls) {
        return;
    }
    Extent actual;
    if (!host_->Create(plan, &actual)) {
        return;  // takes no room: the next tag goes to the same place
    }
    PlacedWindow& placed = out_->controls[out_->controlCount++];
    placed.id = plan.id;
    placed.tag = plan.tag;
    placed.x = plan.x;
    placed.y = plan.y;
    placed.height = Add(actual.height, plan.droppedExtra);
    out_->contentWidth = Max(out_->contentWidth, actual.width);
    y_ = Add(y_, Add(actual.height, 4));
}

void Builder::Buttons() {
    ButtonList list;
    ParseButtons(in_.buttons, &list);
    out_->defaultIndex = list.defaultIndex;
    out_->cancelIndex = list.cancelIndex;
    for (int i = 0; i < list.count; ++i) {
        Extent label = Measure(list.entries[i].label, false);
        ControlPlan plan = EmptyPlan('P', y_);
        plan.className = "BUTTON";
        plan.text = list.entries[i].label;
        plan.style = kButtonStyle | (list.entries[i].mark == '+' ? kDefaultButton : 0);
        plan.id = kButtonBaseId + i;
        plan.x = buttonX_;
        plan.width = Add(label.width, 48);
        plan.height = Add(label.height, 8);
        Extent actual;
        if (!host_->Create(plan, &actual)) {
            continue;
        }
        PlacedWindow& placed = out_->buttons[out_->buttonCount++];
        placed.id = plan.id;
        placed.tag = 'P';
        placed.x = plan.x;
        placed.y = plan.y;
        placed.width = actual.width;
        placed.height = actual.height;
        buttonX_ = Add(buttonX_, Add(actual.width, 8));
        buttonHeight_ = actual.height;
    }
    out_->rowWidth = Max(Add(buttonX_, -16), 0);
    out_->contentWidth = Max(out_->contentWidth, out_->rowWidth);
    y_ = Add(y_, Add(buttonHeight_, 8));
    bool hasDefault = out_->defaultIndex >= 0 && out_->defaultIndex < list.count;
    out_->gateClosed = hasDefault && (out_->flags & kFlagAgreementGate) != 0 && (in_.values & 0x8000) == 0;
}

void Builder::Finish() {
    for (int i = 0; i < out_->controlCount; ++i) {
        out_->controls[i].width = out_->contentWidth;
    }
    int shift = (out_->contentWidth - out_->rowWidth) / 2;
    for (int i = 0; i < out_->buttonCount; ++i) {
        out_->buttons[i].x = Add(out_->buttons[i].x, shift);
    }
    out_->clientHeight = y_;
    long long frames = 2LL * metrics_.frame;
    out_->windowWidth = Add(out_->contentWidth, frames + 16);
    out_->windowHeight = Add(y_, frames + metrics_.captionHeight);
    out_->windowX = SaturateToInt((static_cast<long long>(metrics_.screenWidth) - out_->windowWidth) / 2);
    out_->windowY = SaturateToInt((static_cast<long long>(metrics_.screenHeight) - out_->windowHeight) / 2);
}

void Builder::Run() {
    MessageArea();
    const char* cursor = in_.markup != nullptr ? in_.markup : "";
    MarkupTag tag;
    while (NextMarkupTag(&cursor, &tag)) {
        Tag(tag, Measure(tag.label, false));
    }
    if (out_->controlCount > 0) {
        y_ = Add(y_, -4);
    }
    y_ = Add(y_, 4);
    Buttons();
    Finish();
}

}  // namespace

int MaxTextWidth(int screenWidth) {
    return Add(screenWidth, -100);
}

int CharUnit(int extentWidth) {
    return SaturateToInt((static_cast<long long>(extentWidth) + 7) / 8);
}

void LayOutDialog(const LayoutInput& input, const LayoutMetrics& metrics, LayoutHost* host, DialogLayout* out) {
    memset(out, 0, sizeof *out);
    out->maxTextWidth = MaxTextWidth(metrics.screenWidth);
    out->defaultIndex = -1;
    out->cancelIndex = -1;
    Builder(input, metrics, host, out).Run();
}

BrowseParts LayOutBrowseParts(int width) {
    BrowseParts parts;
    parts.editWidth = Max(Add(width, -33), 0);
    parts.buttonX = Add(width, -32);
    parts.buttonWidth = 32;
    return parts;
}

ItemInk InkForItem(const char* text) {
    if (text[0] == '!') {
        return {0x000000FFu, 1};
    }
    if (text[0] == '?') {
        return {0x0000C0C0u, 1};
    }
    return {0, 0};
}

}  // namespace markup

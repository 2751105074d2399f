// Arbitrary markup and button strings through the grammar and the whole
// layout, with a host whose measures and frames come from the input too.
// Input: 4 bytes of `values`, 1 byte of character pitch, 1 byte of frame
// size, then the markup, a NUL, the button string, a NUL, and the field text.
// Whatever the input: no crash, no overflow, no hang; every text comes back
// terminated within its buffer, and the layout's results keep their bounds.

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "markup_dialog/chooser_paths.h"
#include "markup_dialog/markup_grammar.h"
#include "markup_dialog/markup_layout.h"

namespace {

#define Check(condition) CheckAt(condition, #condition, __LINE__)

void CheckAt(bool holds, const char* condition, int line) {
    if (!holds) {
        fprintf(stderr, "markup_fuzz.cpp:%d: %s does not hold\n", line, condition);
        abort();
    }
}

bool Terminated(const char* text, size_t size) {
    return memchr(text, '\0', size) != nullptr;
}

int Clamp(long long value) {
    return value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : static_cast<int>(value);
}

class FuzzHost final : public markup::LayoutHost {
public:
    FuzzHost(int pitch, int frame) : pitch_(pitch), frame_(frame) {}
    markup::Extent MeasureText(const char* text, bool, int) override {
        size_t length = strlen(text);
        return {Clamp(static_cast<long long>(length) * pitch_), Clamp(13LL * (1 + (length % 5)))};
    }
    markup::Extent AdjustRect(markup::Extent client, uint32_t, uint32_t) override {
        return {Clamp(static_cast<long long>(client.width) + 2 * frame_),
                Clamp(static_cast<long long>(client.height) + 2 * frame_)};
    }
    bool Create(const markup::ControlPlan& plan, markup::Extent* actual) override {
        Check(plan.className != nullptr && plan.text != nullptr);
        Check(plan.tag != 'C' || (plan.id >= 500 && plan.id <= 515));
        ++created;
        *actual = {plan.width, plan.height};
        return (plan.id & 7) != 3;  // some windows cannot be made
    }
    int created = 0;

private:
    int pitch_;
    int frame_;
};

void Grammar(const std::string& markupText, const std::string& buttons, const std::string& text) {
    markup::MarkupTag tag;
    const char* cursor = markupText.c_str();
    const char* end = cursor + markupText.size();
    while (markup::NextMarkupTag(&cursor, &tag)) {
        Check(Terminated(tag.label, sizeof tag.label));
        Check(cursor <= end);
    }
    markup::ButtonList list;
    markup::ParseButtons(buttons.c_str(), &list);
    Check(list.count >= 1 && list.count <= markup::kMaxButtons);
    Check(list.defaultIndex >= -1 && list.defaultIndex < list.count);
    Check(list.cancelIndex >= -1 && list.cancelIndex < list.count);
    char item[markup::kLabelSize];
    cursor = text.c_str();
    while (markup::NextListItem(&cursor, item, sizeof item))
        Check(Terminated(item, sizeof item));
    markup::BrowseLabel label;
    markup::SplitBrowseLabel(text.substr(0, 255).c_str(), &label);
    Check(Terminated(label.title, sizeof label.title));
    size_t first = strnlen(label.filter, sizeof label.filter);
    Check(first + 1 < sizeof label.filter);
}

constexpr char kFolderShown[] = "C:\\Data";

void Chooser(const std::string& text, int mode) {
    char path[chooser::kMaxPath + 8];
    memset(path, '#', sizeof path);
    size_t limit = chooser::PathLimit(static_cast<int>(text.size() % 300));
    memcpy(path, text.data(), text.size() < limit ? text.size() : limit);
    chooser::AppendChooserPattern(path, limit, mode);
    Check(Terminated(path, limit));
    for (size_t i = limit; i < sizeof path; ++i)
        Check(path[i] == '#');
    char resolved[chooser::kMaxPath];
    if (chooser::ResolveChooserName(kFolderShown, path, resolved, limit))
        Check(Terminated(resolved, limit));
    chooser::AppendFolderMarker(path, limit);
    chooser::StripFolderMarker(path);
    chooser::JudgeFolderChoice(path, static_cast<chooser::PathStatus>(mode % 3), 2, 0);
    Check(Terminated(path, limit));
}

void Layout(const std::string& markupText,
            const std::string& buttons,
            const std::string& text,
            int values,
            int pitch,
            int frame) {
    FuzzHost host(pitch, frame);
    markup::LayoutMetrics metrics = {1024, 768, 17, frame, 19, 13, pitch};
    markup::LayoutInput input = {text.c_str(), (values & 1) != 0, buttons.c_str(), markupText.c_str(),
                                 values,       text.c_str(),      values & 0xFFF};
    static markup::DialogLayout layout;
    markup::LayOutDialog(input, metrics, &host, &layout);
    Check(layout.controlCount >= 0 && layout.controlCount <= markup::kMaxControls);
    Check(layout.buttonCount >= 0 && layout.buttonCount <= markup::kMaxButtons);
    Check(layout.contentWidth >= 0 && layout.contentWidth >= layout.rowWidth);
    Check(layout.fieldKind == 0 || strchr("BDEL", layout.fieldKind) != nullptr);
    Check(layout.chooserMode >= 0 && layout.chooserMode <= 3);
    for (int i = 0; i < layout.controlCount; ++i)
        Check(layout.controls[i].width == layout.contentWidth);
    for (int i = 0; i < layout.buttonCount; ++i)
        Check(layout.buttons[i].x >= 8);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 6 || size > 1 << 16)
        return 0;
    int values = static_cast<int>(data[0] | data[1] << 8 | data[2] << 16 | static_cast<uint32_t>(data[3]) << 24);
    int pitch = data[4] == 255 ? INT_MAX : data[4];
    int frame = data[5] == 255 ? INT_MAX / 2 : data[5] % 8;
    std::string rest(reinterpret_cast<const char*>(data + 6), size - 6);
    size_t firstNul = rest.find('\0');
    std::string markupText = rest.substr(0, firstNul);
    std::string buttons;
    std::string text;
    if (firstNul != std::string::npos) {
        size_t secondNul = rest.find('\0', firstNul + 1);
        buttons =
            rest.substr(firstNul + 1, secondNul == std::string::npos ? std::string::npos : secondNul - firstNul - 1);
        if (secondNul != std::string::npos)
            text = rest.substr(secondNul + 1).c_str();
    }
    Grammar(markupText, buttons, text);
    Chooser(text, values & 3);
    Layout(markupText, buttons, text, values, pitch, frame);
    return 0;
}

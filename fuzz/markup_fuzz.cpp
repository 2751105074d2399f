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
#include <sstream>
#include <string>

#include "markup_dialog/markup_grammar.h"
#include "markup_dialog/markup_layout.h"

#define Check(c) ((c) ? void() : (fprintf(stderr, "markup_fuzz.cpp:%d: %s\n", __LINE__, #c), abort()))

namespace {

bool Terminated(const char* text, size_t size) {
    return memchr(text, '\0', size) != nullptr;
}

class FuzzHost final : public markup::LayoutHost {
public:
    FuzzHost(int pitch, int frame) : pitch_(pitch), frame_(frame) {}
    markup::Extent MeasureText(const char* text, bool, int) override {
        return {markup::SaturateToInt(static_cast<long long>(strlen(text)) * pitch_),
                static_cast<int>(13 * (1 + strlen(text) % 5))};
    }
    markup::Extent AdjustRect(markup::Extent client, uint32_t, uint32_t) override {
        return {markup::SaturateToInt(static_cast<long long>(client.width) + 2 * frame_),
                markup::SaturateToInt(static_cast<long long>(client.height) + 2 * frame_)};
    }
    bool Create(const markup::ControlPlan& plan, markup::Extent* actual) override {
        Check(plan.className != nullptr && plan.text != nullptr);
        *actual = {plan.width, plan.height};
        return (plan.id & 7) != 3;  // some windows cannot be made
    }
    int pitch_, frame_;
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
    Check(list.count >= 1 && list.count <= markup::kMaxButtons && list.defaultIndex >= -1 &&
          list.defaultIndex < list.count && list.cancelIndex >= -1 && list.cancelIndex < list.count);
    char item[markup::kLabelSize];
    cursor = text.c_str();
    while (markup::NextListItem(&cursor, item, sizeof item))
        Check(Terminated(item, sizeof item));
    markup::BrowseLabel label;
    markup::SplitBrowseLabel(text.substr(0, 255).c_str(), &label);
    Check(Terminated(label.title, sizeof label.title) &&
          strnlen(label.filter, sizeof label.filter) + 1 < sizeof label.filter);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 6 || size > 1 << 16)
        return 0;
    int values = static_cast<int>(data[0] | data[1] << 8 | data[2] << 16 | static_cast<uint32_t>(data[3]) << 24);
    int pitch = data[4] == 255 ? INT_MAX : data[4];
    int frame = data[5] == 255 ? INT_MAX / 2 : data[5] % 8;
    std::istringstream parts(std::string(reinterpret_cast<const char*>(data + 6), size - 6));
    std::string markupText, buttons, text;
    std::getline(std::getline(std::getline(parts, markupText, '\0'), buttons, '\0'), text, '\0');
    Grammar(markupText, buttons, text);
    FuzzHost host(pitch, frame);
    markup::LayoutMetrics metrics = {1024, 768, 17, frame, 19, 13, pitch};
    markup::LayoutInput input = {text.c_str(), (values & 1) != 0, buttons.c_str(), markupText.c_str(),
                                 values,       text.c_str(),      values & 0xFFF};
    static markup::DialogLayout layout;
    markup::LayOutDialog(input, metrics, &host, &layout);
    Check(layout.controlCount >= 0 && layout.controlCount <= markup::kMaxControls && layout.buttonCount >= 0 &&
          layout.buttonCount <= markup::kMaxButtons);
    Check(layout.windowWidth >= 0 && layout.windowX <= metrics.screenWidth);  // huge numbers saturate on the screen
    Check((layout.fieldKind == 0 || strchr("BDEL", layout.fieldKind)) && layout.chooserMode >= 0 &&
          layout.chooserMode <= 3);
    return 0;
}

#pragma once
// The two strings a markup dialog is built from, and the texts inside them:
// the control markup ("<C0>Automatically execute on startup<=>"), the button
// string ("+&OK|-&Cancel"), the items of a list field and the label of a
// browse field. Pure logic: the windows are made in markup_dialog.cpp.

#include <climits>
#include <cstddef>

namespace markup {

// Markup numbers and the sizes built from them are held in int; anything
// beyond its range stops at the nearest end instead of wrapping.
inline int SaturateToInt(long long value) {
    return value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : static_cast<int>(value);
}

// A label, a button's text or a list item holds at most 255 characters; a
// longer one is shortened to that, since every control text read back later
// goes through a 256-byte buffer.
constexpr int kLabelSize = 256;
// Markup controls and buttons each; further tags and entries create nothing.
constexpr int kMaxControls = 32;
constexpr int kMaxButtons = 32;

struct MarkupTag {
    char letter;  // case-sensitive; 0 for a '<' that ends the string
    int n;        // signed first number, 0 when absent, saturated at the int range
    int m;        // second number after ':', 0 when absent, saturated
    char label[kLabelSize];
};

// Reads the tag at or after `*cursor` with its label, skipping the text before
// a first tag, and moves the cursor past the label. Returns false when no tag
// is left. "<<" stands for one '<': inside a label it is kept as one, before a
// tag it is skipped.
bool NextMarkupTag(const char** cursor, MarkupTag* tag);

struct ButtonEntry {
    char label[kLabelSize];  // without the mark
    char mark;               // '+' default, '-' cancel, 0 none
};

struct ButtonList {
    ButtonEntry entries[kMaxButtons];
    int count;         // at least 1
    int defaultIndex;  // the last '+' entry, -1 without one
    int cancelIndex;   // the last '-' entry, -1 without one
};

// Splits a button string on '|'. Null stands for "+&OK"; an empty string and
// an empty entry make a button with an empty label. A single button is both
// the default and the cancel button.
void ParseButtons(const char* buttons, ButtonList* out);

// Reads the next item of a list field's text, whose items are separated by
// '|', into `item` (of `size` bytes, shortened to fit) and moves the cursor
// past it. Returns false when no item is left: an empty text holds none, and a
// final '|' ends the list without adding an empty item.
bool NextListItem(const char** cursor, char* item, size_t size);

// A browse field's label as the chooser takes it: the title up to the first
// '|', then the filter, whose strings the further '|' separate. Without any
// '|' the filter is "All files (*.*)" with the pattern "*.*".
struct BrowseLabel {
    char title[kLabelSize];
    // NUL-separated strings always followed by an empty one, whether or not
    // the label's filter part ended with '|', so the chooser never reads on.
    char filter[kLabelSize + 4];
};

void SplitBrowseLabel(const char* label, BrowseLabel* out);

}  // namespace markup

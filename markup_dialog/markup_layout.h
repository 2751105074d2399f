#pragma once
// Where every window of a markup dialog goes, worked out from measured text
// sizes and system metrics. The arithmetic runs "dry" against any LayoutHost:
// markup_dialog.cpp's host measures with the dialog font and creates the real
// controls, the tests' host measures with a fixed pitch and creates nothing.
// Pure logic: no Windows header, so the style words are spelled out.

#include <cstdint>

#include "markup_dialog/markup_grammar.h"

namespace markup {

// Control identifiers.
constexpr int kStaticId = -1;
constexpr int kLineId = 101;
constexpr int kFieldId = 400;
constexpr int kBrowseId = 401;
constexpr int kBrowseEditId = 402;
constexpr int kBrowseButtonId = 403;
constexpr int kCheckBaseId = 500;  // + n, n from 0 to 15
constexpr int kButtonBaseId = 1000;
constexpr int kGateCheckBox = 15;  // the agreement box of flag bit 1

constexpr int kFlagPlainBackground = 1;
constexpr int kFlagAgreementGate = 2;

// Window styles the controls are created with.
constexpr uint32_t kCheckBoxStyle = 0x50010003;  // child, visible, tab stop, auto check box
constexpr uint32_t kRadioStyle = 0x50010009;     // the same with an auto radio button
constexpr uint32_t kStaticStyle = 0x50000000;
constexpr uint32_t kLineStyle = 0x50001000;        // sunken static
constexpr uint32_t kEditLineStyle = 0x50011000;    // single line, wants return
constexpr uint32_t kEditRowsStyle = 0x50011004;    // multi-line without scroll bar
constexpr uint32_t kEditScrollStyle = 0x50211044;  // multi-line, auto vertical scroll, scroll bar
constexpr uint32_t kReadOnly = 0x00000800;
constexpr uint32_t kClientEdge = 0x00000200;  // WS_EX_CLIENTEDGE
constexpr uint32_t kBrowseStyle = 0x50010000;
constexpr uint32_t kBrowseEditStyle = 0x50810000;  // with a border
constexpr uint32_t kBrowseReadOnlyFlag = 128;      // of the 'B' tag's number
constexpr uint32_t kListStyle = 0x50811151;        // notify, owner-drawn fixed, strings, no integral height
constexpr uint32_t kDropDownStyle = 0x50810613;    // drop-down list, owner-drawn fixed, strings
constexpr uint32_t kVScroll = 0x00200000;
constexpr uint32_t kButtonStyle = 0x50010000;
constexpr uint32_t kDefaultButton = 0x00000001;

constexpr int kItemHeight = 15;  // rows of the list and drop-down fields
constexpr int kEmptyEditWidth = 100;

struct Extent {
    int width;
    int height;
};

struct LayoutMetrics {
    int screenWidth;    // SM_CXSCREEN
    int screenHeight;   // SM_CYSCREEN
    int scrollWidth;    // SM_CXVSCROLL
    int frame;          // SM_CXDLGFRAME, which serves for the vertical frames as well
    int captionHeight;  // SM_CYCAPTION
    int lineHeight;     // height of "WWWWWWWW" in the dialog font
    int charUnit;       // see CharUnit
};

// The widest a measured text may be: screen width minus 100.
int MaxTextWidth(int screenWidth);

// The width of "WWWWWWWW" rounded up to a multiple of 8, divided by 8.
int CharUnit(int extentWidth);

// One window the layout asks its host to create, at its first place and size.
struct ControlPlan {
    char tag;  // the markup letter, or 'P' for a push button
    const char* className;
    const char* text;
    uint32_t style;
    uint32_t exStyle;
    int id;
    int x;
    int y;
    int width;
    int height;
    bool checked;             // 'C', 'R': checked at creation
    int textLimit;            // 'E': characters the edit takes, 0 for the platform's own limit
    uint32_t innerEditStyle;  // 'B': the edit inside the container
    int innerHeight;          // 'B': first height of the edit and the "..." button
    int droppedExtra;         // 'D': added to the window height for the open list
    int selection;            // 'D', 'L': the item to select, -1 or beyond the items for none
};

class LayoutHost {
public:
    // DrawTextA with DT_CALCRECT | DT_WORDBREAK, and DT_EDITCONTROL when
    // `edit`, from the rectangle (0, 0, maxWidth, 0): its right and bottom.
    virtual Extent MeasureText(const char* text, bool edit, int maxWidth) = 0;
    // AdjustWindowRectEx of (0, 0, client) without menu: the window's size.
    virtual Extent AdjustRect(Extent client, uint32_t style, uint32_t exStyle) = 0;
    // Creates the window of `plan`, with everything that goes with it (check
    // state, items, font, subclass). Returns false when it cannot be created;
    // otherwise `actual` gets the window's size as the platform made it.
    virtual bool Create(const ControlPlan& plan, Extent* actual) = 0;

protected:
    ~LayoutHost() = default;
};

struct LayoutInput {
    const char* message;  // may be null
    bool hasIcon;         // iconId non-zero, whether or not the icon loads
    const char* buttons;  // may be null: "+&OK"
    const char* markup;   // may be null
    int values;
    const char* text;  // may be null
    int textSize;
};

// A created window's final place and size in the dialog's client area.
struct PlacedWindow {
    int id;
    char tag;
    int x;
    int y;
    int width;
    int height;  // for 'D' the height with the open list
};

struct DialogLayout {
    int maxTextWidth;
    int messageHeight;
    int contentWidth;
    int rowWidth;      // the buttons' widths plus 8 between neighbours
    int clientHeight;  // the final y
    char fieldKind;    // 'B', 'D', 'E', 'L' or 0
    int flags;         // the last 'F' tag's number
    int chooserMode;   // the 'B' tag's number AND 3
    int defaultIndex;  // -1 without a '+' button
    int cancelIndex;   // -1 without a '-' button
    bool gateClosed;   // the default button starts disabled
    int controlCount;
    PlacedWindow controls[kMaxControls];
    int buttonCount;
    PlacedWindow buttons[kMaxButtons];
    int windowX;
    int windowY;
    int windowWidth;
    int windowHeight;
};

// Builds the dialog through `host`: the message area, every markup tag in
// order, the buttons, then the final widths, the centred button row and the
// window's size and screen position. Sums that would overflow an int
// saturate.
void LayOutDialog(const LayoutInput& input, const LayoutMetrics& metrics, LayoutHost* host, DialogLayout* out);

// The browse field's edit and "..." button over the container's client area
// of `width`: the edit from 0, the button 32 wide at the right, one pixel of
// the container between them.
struct BrowseParts {
    int editWidth;  // never negative
    int buttonX;
    int buttonWidth;
};
BrowseParts LayOutBrowseParts(int width);

// The line under the white message band.
inline int BandLineY(int messageHeight) {
    return messageHeight + 12;
}

// Colour (a COLORREF) and first character to draw of a list item: '!' red,
// '?' dark yellow, both without that character; anything else black.
struct ItemInk {
    uint32_t colour;
    int skip;
};
ItemInk InkForItem(const char* text);

}  // namespace markup

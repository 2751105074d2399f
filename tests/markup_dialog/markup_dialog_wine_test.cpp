// The markup dialog driven as a user drives it: real keys and clicks go in
// while the dialog runs its own loop on the test thread; the result,
// `*values` and `text` are checked afterwards.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "markup_dialog/markup_dialog.h"
#include "tests/markup_dialog/dialog_driver.h"
#include "tests/support/scratch_folder.h"

namespace {

using namespace markup_testing;

constexpr char kLicence[] = "<E10><C15>I have read and fully agree to this license agreement <F2><=>";
constexpr char kLicenceButtons[] = "+&Continue installation|-&No, I don't agree";
constexpr char kLicenceText[] = "Licence text\r\nSecond line\r\nThird line";
constexpr char kOptions[] =
    "<B128>Select the installation folder|Folder|*._||<C0>Automatically execute on startup"
    "<C2>Add link on desktop<C1>Execute after installation<=>";
constexpr char kFolder[] = "C:\\Program Files\\zuvware\\Tapdeck";
constexpr int kNoValues = 0x7EADBEEF;  // `values` passed as null

struct Row {
    const char* buttons;
    const char* markup;
    const char* text;  // copied to a 256-byte buffer; null passes null
    int textSize;
    int values;
    const char* script;
    int result;
    int valuesAfter;
    const char* textAfter;
    const char* seen;
};

TEST(MarkupDialog, Scenarios) {
    const char* okCancel = "+&OK|-&Cancel";
    const Row rows[] = {
        // Ways out: Enter gives the '+' button, Escape and closing the '-' one, or -1 without one.
        {nullptr, nullptr, nullptr, 0, 0, "Enter", 0, 0, nullptr, ""},
        {nullptr, nullptr, nullptr, 0, 0, "Esc", 0, 0, nullptr, ""},
        {nullptr, nullptr, nullptr, 0, 0, "click:close", 0, 0, nullptr, ""},
        {okCancel, nullptr, nullptr, 0, 0, "?t:1000 ?t:1001 ?def:1000 ?def:1001 ?focus Enter", 0, 0, nullptr,
         "&OK &Cancel 1 0 1000"},
        {okCancel, nullptr, nullptr, 0, 0, "Esc", 1, 0, nullptr, ""},
        {okCancel, nullptr, nullptr, 0, 0, "click:close", 1, 0, nullptr, ""},
        {okCancel, nullptr, nullptr, 0, 0, "AltF4", 1, 0, nullptr, ""},
        {okCancel, nullptr, nullptr, 0, 0, "Space", 0, 0, nullptr, ""},  // the space bar clicks the focused OK
        {okCancel, nullptr, nullptr, 0, 0, "focus:1001 Enter", 1, 0, nullptr, ""},  // Enter on a button chooses it
        {"&Yes|&No", nullptr, nullptr, 0, 0, "Esc", -1, 0, nullptr, ""},
        {"&Yes|&No", nullptr, nullptr, 0, 0, "click:close", -1, 0, nullptr, ""},
        {"&Yes|&No", nullptr, nullptr, 0, 0, "Enter", 0, 0, nullptr, ""},
        // The agreement gate: the default button is enabled exactly while box 15 is checked.
        {kLicenceButtons, kLicence, kLicenceText, 0, kNoValues,
         "?ro:400 ?t:400 ?en:1000 click:400 Enter settle until:open=10 click:515 until:on:515=1 ?en:1000 click:515 "
         "until:on:515=0 ?en:1000 click:515 until:on:515=1 ?en:1000 click:400 Enter",
         0, kNoValues, kLicenceText, "11 Licence text\r\nSecond line\r\nThird line 0 1 0 1"},
        {kLicenceButtons, kLicence, "text", 0, kNoValues, "?en:1000 ?on:515 Esc", 1, kNoValues, nullptr, "0 0"},
        {kLicenceButtons, kLicence, "text", 0, kNoValues, "click:close", 1, kNoValues, nullptr, ""},
        {kLicenceButtons, kLicence, "text", 0, 0x8000, "?en:1000 ?on:515 Enter", 0, 0x8000, nullptr, "1 1"},
        {okCancel, "<E><C15>agree<=>", "x", 0, 0,
         "?en:1000 click:515 until:on:515=1 ?en:1000 click:515 until:on:515=0 ?en:1000 Esc", 1, 0, nullptr, "1 1 1"},
        // Check boxes and the browse field; closing keeps the boxes' states.
        {"+&Continue|-&Abort installation", kOptions, kFolder, 256, 5,
         "?on:500 ?on:501 ?on:502 ?t:401/402 ?ro:401/402 click:500 until:on:500=0 click:501 until:on:501=1 click:close",
         1, 6, kFolder, "1 0 1 C:\\Program Files\\zuvware\\Tapdeck 10"},
        // Lists: a double click chooses the default button while it is enabled.
        {okCancel, "<L>", "first|!Error|third", 0, 0, "dbl:list2", 0, 2 << 16, nullptr, ""},
        {"&Yes|-&No", "<L>", "a|b", 0, 0, "dbl:list0 settle until:open=10 Esc", 1, 0, nullptr, ""},
        {okCancel, "<D>", "alpha|beta|gamma", 0, kNoValues, "?cb:400 Enter", 0, kNoValues, nullptr, "0/3"},
        {okCancel, "<D>", "alpha|beta|gamma", 0, static_cast<int>(0xFFFF0000u), "?cb:400 Enter", 0, 0, nullptr, "-1/3"},
        {okCancel, "<D>", "alpha|beta|gamma", 0, (1 << 16) | 3, "?cb:400 Enter", 0, 1 << 16, nullptr, "1/3"},
        // The edit's text comes back within textSize.
        {okCancel, "<E>", "ab", 16, 0, "?ro:400 click:400 End type:cd settle Enter", 0, 0, "abcd", "00"},
        {okCancel, "<E>", "ab", 5, 0, "click:400 End type:cdef settle Enter", 0, 0, "abcd", ""},
        {okCancel, "<E>", "ab", 1, 0, "?ro:400 click:400 End type:cd settle Enter", 0, 0, "", "10"},
        // A quit message ends the dialog with -1 and nothing comes back.
        {okCancel, "<C0>a<C1>b<E>", "keep", 16, 1, "click:501 until:on:501=1 set:400=new quit:7", -1, 1, "keep", ""},
        // Mode 3 opens nothing, but puts the pattern on and shows it.
        {okCancel, "<B3>Pick", "C:\\Data\\", 64, 0, "click:401/403 until:t:401/402=C:\\Data\\*.* ?open click:1001", 1,
         0, "C:\\Data\\*.*", "10"},
        {nullptr, "<S>a<<b", nullptr, 0, 0, "?first ?band:12 Enter", 0, 0, nullptr, "Static,a<b,-1 wkf"},
        {nullptr, "<F1><S>x", nullptr, 0, 0, "?band:12 Enter", 0, 0, nullptr, "fff"},  // no band with flag bit 0
    };
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.buttons ? row.buttons : "null") + " " + (row.markup ? row.markup : "") + " " +
                     row.script);
        char text[256] = "";
        snprintf(text, sizeof text, "%s", row.text != nullptr ? row.text : "");
        int values = row.values;
        Outcome outcome = Drive(
            [&] {
                bool plain = row.markup == nullptr;  // a message box of ours: with owner, message and icon
                return ShowMarkupDialog(
                    plain ? owner : nullptr, plain ? "Remember this setting after bootup?" : nullptr, "Test",
                    plain ? 32516 : 0, row.buttons, row.markup, row.values == kNoValues ? nullptr : &values,
                    row.text != nullptr ? text : nullptr, row.textSize);
            },
            std::string(row.markup == nullptr ? "?owner " : "") + row.script);
        EXPECT_EQ(outcome.failure, "");
        EXPECT_FALSE(IsWindow(outcome.dialog)) << "the dialog outlived the call";
        EXPECT_EQ(outcome.result, row.result);
        EXPECT_EQ(values, row.valuesAfter);
        EXPECT_STREQ(text, row.textAfter != nullptr ? row.textAfter : row.text != nullptr ? row.text : "");
        EXPECT_EQ(outcome.seen, (row.markup == nullptr ? std::string("0") + (*row.seen ? " " : "") : "") + row.seen);
        MSG msg;
        EXPECT_EQ(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) ? msg.wParam : 0u,
                  row.result == -1 && row.markup ? 7u : 0u);
        EXPECT_TRUE(IsWindowEnabled(owner));
    }
    DestroyWindow(owner);
    ICONINFO info;  // the stock icon the dialogs showed is still usable
    ASSERT_TRUE(GetIconInfo(LoadIconA(nullptr, MAKEINTRESOURCEA(32516)), &info));
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}

// The folder chooser as the installer opens it, through the "..." button: a
// file keeps it open on the file's folder, a folder not made yet is accepted.
TEST(MarkupDialog, FolderChooserWalk) {
    testing_support::ScratchFolder scratch;
    std::string sub = scratch.MakeFolder("sub");
    std::string file = scratch.WriteFile("sub\\note.txt", "x");
    std::string missing = scratch / "notyet";
    char folder[256];
    snprintf(folder, sizeof folder, "%s", scratch.Path().c_str());
    std::string name = "click:c1152 Home ShiftEnd type:";
    Outcome outcome = Drive(
        [&] {
            return ShowMarkupDialog(nullptr, "Select a folder and set the requested options.", "Installer", 1005,
                                    "+&Continue|-&Abort installation", kOptions, nullptr, folder, sizeof folder);
        },
        "click:401/403 until:open=11 until:name=" + scratch.Path() + " ?t:c1 ?t:c1090 ?title " + name + file +
            " until:name=" + file + " Enter until:name=" + sub + " settle ?open " + name + missing +
            " until:name=" + missing + " Enter until:open=10 until:t:401/402=" + missing + " Enter",
        nullptr, 20000);
    EXPECT_EQ(outcome.failure, "");
    EXPECT_EQ(outcome.result, 0);
    EXPECT_EQ(outcome.seen, "OK Folder: Select the installation folder 11");
    EXPECT_EQ(std::string(folder), missing);  // without the folder marker

    snprintf(folder, sizeof folder, "%s", sub.c_str());  // OK on the folder shown chooses it
    outcome = Drive([&] { return ShowMarkupDialog(nullptr, "", "", 0, "+a|-b", kOptions, nullptr, folder, 256); },
                    "click:401/403 until:open=11 until:name=" + sub + " click:c1 until:open=10 Esc", nullptr, 20000);
    EXPECT_EQ(outcome.failure, "");
    EXPECT_EQ(outcome.result, 1);
    EXPECT_EQ(std::string(folder), sub);
}

}  // namespace

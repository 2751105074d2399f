// The markup dialog driven as a user drives it: keys and clicks go in
// through the dialog's own loop on the test thread; the result, `*values`
// and `text` are checked afterwards.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "markup_dialog/markup_dialog.h"
#include "tests/markup_dialog/dialog_driver.h"
#include "tests/support/scratch_folder.h"

namespace {

using namespace markup_testing;

constexpr char kOptions[] =
    "<B128>Select the installation folder|Folder|*._||<C0>Automatically execute on startup"
    "<C2>Add link on desktop<C1>Execute after installation<=>";
constexpr int kNoValues = 0x7EADBEEF;  // `values` passed as null

// Ending each kind of dialog, and the folder chooser as the installer opens
// it through the "..." button: a file keeps it open on the file's folder, a
// folder not made yet is accepted, and OK on the folder shown chooses it.
TEST(MarkupDialog, Scenarios) {
    const char *ok = "+&OK|-&Cancel", *licence = "+&Continue installation|-&No, I don't agree";
    testing_support::ScratchFolder scratch;
    std::string sub = scratch.MakeFolder("sub"), file = scratch.WriteFile("sub\\note.txt", "x"),
                missing = scratch / "notyet";
    // clang-format off
    const struct { const char *buttons, *markup; std::string text; int textSize, values; std::string script; int result, valuesAfter;
                   const char* textAfter; std::string seen; } rows[] = {
        // Ways out: Enter gives the '+' button, Escape and closing the '-' one, or -1 without one; Enter on a button
        // chooses it. A message box of ours (no markup) disables its owner meanwhile.
        {ok, nullptr, "", 0, 0, "?owner ?t:1000 Enter", 0, 0, nullptr, "0 &OK"}, {ok, nullptr, "", 0, 0, "Esc", 1, 0, nullptr, ""},
        {ok, nullptr, "", 0, 0, "focus:1001 Enter", 1, 0, nullptr, ""}, {"&Yes|&No", nullptr, "", 0, 0, "Esc", -1, 0, nullptr, ""},
        // The agreement gate: the default button is enabled exactly while box 15 is checked.
        {licence, "<E10><C15>I have read and fully agree to this license agreement <F2><=>", "Licence\r\ntext", 0, kNoValues,
         "?t:400 ?en:1000 focus:400 Enter click:515 until:on:515=1 ?en:1000 click:515 until:on:515=0 ?en:1000 "
         "click:515 until:on:515=1 ?en:1000 focus:400 Enter", 0, kNoValues, nullptr, "Licence\r\ntext 0 1 0 1"},
        // Check boxes and the browse field; closing gives the '-' button and keeps the boxes' states.
        {"+&Continue|-&Abort installation", kOptions, "C:\\Program Files\\zuvware\\Tapdeck", 256, 5, "?t:401/402 click:500 click:501 "
         "until:on:501=1 click:close", 1, 6, nullptr, "C:\\Program Files\\zuvware\\Tapdeck"},
        {"+a|-b", kOptions, scratch.Path(), 256, kNoValues, "click:401/403 until:open=11 until:t:name=" + scratch.Path() + " ?t:c1090 ?t:c set:name=" +
         file + " Enter until:t:name=" + sub + " ?open set:name=" + missing + " Enter until:open=10 until:t:401/402=" + missing + " Enter", 0,
         kNoValues, missing.c_str(), "Folder: Select the installation folder 11"},  // without the folder marker
        {"+a|-b", kOptions, sub, 256, kNoValues, "click:401/403 until:open=11 until:t:name=" + sub + " click:c1 until:open=10 Esc", 1, kNoValues,
         nullptr, ""},
        // A double click in a list chooses the default button; a drop-down gives back the selection it was given.
        {ok, "<L>", "first|!Error|third", 0, 2 << 16, "dbl:400", 0, 2 << 16, nullptr, ""}, {ok, "<D>", "a|b|c", 0, 1 << 16, "Enter", 0, 1 << 16, nullptr, ""},
        // The edit's text comes back within textSize.
        {ok, "<E>", "ab", 5, 0, "set:400=abcdef Enter", 0, 0, "abcd", ""}, {ok, "<E>", "ab", 1, 0, "Enter", 0, 0, "", ""},
        // A quit message ends the dialog with -1, and nothing comes back.
        {ok, "<C0>a<C1>b<E>", "keep", 16, 1, "click:501 until:on:501=1 set:400=new quit:7", -1, 1, "keep", ""},
        // Mode 3 opens nothing, but puts the pattern on and shows it.
        {ok, "<B3>Pick", "C:\\Data\\", 64, 0, "click:401/403 until:t:401/402=C:\\Data\\*.* ?open click:1001", 1, 0, "C:\\Data\\*.*", "10"}};
    // clang-format on
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.buttons) + " " + (row.markup ? row.markup : "") + " " + row.script);
        char text[256];
        snprintf(text, sizeof text, "%s", row.text.c_str());
        int values = row.values;
        bool box = row.markup == nullptr;  // a message box of ours: with owner, message and icon
        Outcome outcome = Drive(
            [&] {
                return ShowMarkupDialog(box ? owner : nullptr, box ? "Remember this setting after bootup?" : nullptr,
                                        "Test", box ? 32516 : 0, row.buttons, row.markup,
                                        row.values == kNoValues ? nullptr : &values, box ? nullptr : text,
                                        row.textSize);
            },
            row.script);
        EXPECT_EQ(outcome.failure + (IsWindow(outcome.dialog) ? "the dialog outlived the call" : ""), "");
        EXPECT_EQ(std::to_string(outcome.result) + " " + std::to_string(values),
                  std::to_string(row.result) + " " + std::to_string(row.valuesAfter));
        EXPECT_EQ(text, row.textAfter != nullptr ? row.textAfter : row.text);
        EXPECT_EQ(outcome.seen, row.seen);
        MSG msg;
        bool quit = PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        EXPECT_EQ(quit ? msg.wParam : 0u, row.result == -1 && !box ? 7u : 0u);  // posted again for the outer loop
        EXPECT_TRUE(IsWindowEnabled(owner));
    }
    DestroyWindow(owner);
}

}  // namespace

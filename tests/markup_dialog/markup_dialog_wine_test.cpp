// The markup dialog driven as a user drives it: real keys and clicks go in
// while the dialog runs its own loop on the test thread; the result,
// `*values` and `text` are checked afterwards.

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

TEST(MarkupDialog, Scenarios) {
    const char *ok = "+&OK|-&Cancel", *yesNo = "&Yes|&No", *licence = "+&Continue installation|-&No, I don't agree";
    const char* gate = "<E10><C15>I have read and fully agree to this license agreement <F2><=>";
    const char* folder = "C:\\Program Files\\zuvware\\Tapdeck";
    // clang-format off
    const struct { const char *buttons, *markup, *text; int textSize, values; const char* script; int result, valuesAfter;
                   const char *textAfter, *seen; } rows[] = {
        // Ways out: Enter gives the '+' button, Escape and closing the '-' one, or -1 without one; Enter on a button chooses it.
        {nullptr, nullptr, nullptr, 0, 0, "?t:1000 Enter", 0, 0, nullptr, "&OK"}, {nullptr, nullptr, nullptr, 0, 0, "Esc", 0, 0, nullptr, ""},
        {nullptr, nullptr, nullptr, 0, 0, "click:close", 0, 0, nullptr, ""}, {ok, nullptr, nullptr, 0, 0, "Enter", 0, 0, nullptr, ""},
        {ok, nullptr, nullptr, 0, 0, "Esc", 1, 0, nullptr, ""}, {ok, nullptr, nullptr, 0, 0, "click:close", 1, 0, nullptr, ""}, {ok, nullptr, nullptr, 0, 0, "AltF4", 1, 0, nullptr, ""},
        {ok, nullptr, nullptr, 0, 0, "focus:1001 Enter", 1, 0, nullptr, ""}, {yesNo, nullptr, nullptr, 0, 0, "Esc", -1, 0, nullptr, ""}, {yesNo, nullptr, nullptr, 0, 0, "Enter", 0, 0, nullptr, ""},
        // The agreement gate: the default button is enabled exactly while box 15 is checked.
        {licence, gate, "Licence\r\ntext", 0, kNoValues, "?ro:400 ?t:400 ?en:1000 click:400 Enter settle until:open=10 click:515 until:on:515=1 ?en:1000 "
         "click:515 until:on:515=0 ?en:1000 click:515 until:on:515=1 ?en:1000 click:400 Enter", 0, kNoValues, nullptr, "11 Licence\r\ntext 0 1 0 1"},
        {licence, gate, "text", 0, kNoValues, "?en:1000 ?on:515 click:close", 1, kNoValues, nullptr, "0 0"}, {licence, gate, "text", 0, 0x8000, "?en:1000 ?on:515 Enter", 0, 0x8000, nullptr, "1 1"},
        {ok, "<E><C15>agree<=>", "x", 0, 0, "?en:1000 click:515 until:on:515=1 ?en:1000 Esc", 1, 1 << 15, nullptr, "1 1"},
        // Check boxes and the browse field; closing keeps the boxes' states.
        {"+&Continue|-&Abort installation", kOptions, folder, 256, 5, "?on:500 ?on:501 ?on:502 ?t:401/402 ?ro:401/402 click:500 until:on:500=0 click:501 until:on:501=1 "
         "click:close", 1, 6, nullptr, "1 0 1 C:\\Program Files\\zuvware\\Tapdeck 10"},
        // A double click in a list chooses the default button; a drop-down shows the selection given.
        {ok, "<L>", "first|!Error|third", 0, 0, "dbl:list2", 0, 2 << 16, nullptr, ""}, {ok, "<D>", "alpha|beta|gamma", 0, kNoValues, "?cb:400 Enter", 0, kNoValues, nullptr, "0/3"},
        {ok, "<D>", "alpha|beta|gamma", 0, static_cast<int>(0xFFFF0000u), "?cb:400 Enter", 0, 0, nullptr, "-1/3"},
        // The edit's text comes back within textSize; with no room it is read-only.
        {ok, "<E>", "ab", 5, 0, "?ro:400 click:400 End type:cdef settle Enter", 0, 0, "abcd", "00"}, {ok, "<E>", "ab", 1, 0, "?ro:400 Enter", 0, 0, "", "10"},
        // A quit message ends the dialog with -1, and nothing comes back.
        {ok, "<C0>a<C1>b<E>", "keep", 16, 1, "click:501 until:on:501=1 set:400=new quit:7", -1, 1, "keep", ""},
        // Mode 3 opens nothing, but puts the pattern on and shows it.
        {ok, "<B3>Pick", "C:\\Data\\", 64, 0, "click:401/403 until:t:401/402=C:\\Data\\*.* ?open click:1001", 1, 0, "C:\\Data\\*.*", "10"},
        // The message's white band ends in a black line; flag 1 leaves it out.
        {nullptr, "<S>a", nullptr, 0, 0, "?band:12 Enter", 0, 0, nullptr, "wkf"}, {nullptr, "<F1><S>a", nullptr, 0, 0, "?band:12 Enter", 0, 0, nullptr, "fff"}};
    // clang-format on
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.buttons ? row.buttons : "null") + " " + (row.markup ? row.markup : "") + " " +
                     row.script);
        char text[256];
        snprintf(text, sizeof text, "%s", row.text != nullptr ? row.text : "");
        int values = row.values;
        bool box = row.markup == nullptr;  // a message box of ours: with owner, message and icon
        Outcome outcome = Drive(
            [&] {
                return ShowMarkupDialog(box ? owner : nullptr, box ? "Remember this setting after bootup?" : nullptr,
                                        "Test", box ? 32516 : 0, row.buttons, row.markup,
                                        row.values == kNoValues ? nullptr : &values,
                                        row.text != nullptr ? text : nullptr, row.textSize);
            },
            std::string(box ? "?owner " : "") + row.script, owner);
        EXPECT_EQ(outcome.failure + (IsWindow(outcome.dialog) ? "the dialog outlived the call" : ""), "");
        EXPECT_EQ(std::to_string(outcome.result) + " " + std::to_string(values),
                  std::to_string(row.result) + " " + std::to_string(row.valuesAfter));
        EXPECT_STREQ(text, row.textAfter != nullptr ? row.textAfter : row.text != nullptr ? row.text : "");
        EXPECT_EQ(outcome.seen, (box ? std::string("0") + (*row.seen ? " " : "") : "") + row.seen);  // owner disabled
        MSG msg;
        bool quit = PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        EXPECT_EQ(quit ? msg.wParam : 0u, row.result == -1 && !box ? 7u : 0u);  // posted again for the outer loop
        EXPECT_TRUE(IsWindowEnabled(owner));
    }
    DestroyWindow(owner);
    ICONINFO info;  // the stock icon the boxes showed is still usable
    ASSERT_TRUE(GetIconInfo(LoadIconA(nullptr, MAKEINTRESOURCEA(32516)), &info));
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}

// The folder chooser as the installer opens it, through the "..." button: a
// file keeps it open on the file's folder, a folder not made yet is accepted,
// and OK on the folder shown chooses it.
TEST(MarkupDialog, FolderChooserWalk) {
    testing_support::ScratchFolder scratch;
    std::string sub = scratch.MakeFolder("sub"), file = scratch.WriteFile("sub\\note.txt", "x");
    std::string missing = scratch / "notyet", name = " click:c1152 Home ShiftEnd type:";
    char folder[256];
    snprintf(folder, sizeof folder, "%s", scratch.Path().c_str());
    auto show = [&] { return ShowMarkupDialog(nullptr, "", "", 0, "+a|-b", kOptions, nullptr, folder, 256); };
    Outcome outcome =
        Drive(show,
              "click:401/403 until:open=11 until:name=" + scratch.Path() + " ?t:c1 ?t:c1090 ?title" + name + file +
                  " until:name=" + file + " Enter until:name=" + sub + " settle ?open" + name + missing +
                  " until:name=" + missing + " Enter until:open=10 until:t:401/402=" + missing + " Enter",
              nullptr, 20000);
    EXPECT_EQ(outcome.failure + outcome.seen, "OK Folder: Select the installation folder 11");
    EXPECT_EQ(outcome.result, 0);
    EXPECT_EQ(std::string(folder), missing);  // without the folder marker
    snprintf(folder, sizeof folder, "%s", sub.c_str());
    outcome =
        Drive(show, "click:401/403 until:open=11 until:name=" + sub + " click:c1 until:open=10 Esc", nullptr, 20000);
    EXPECT_EQ(outcome.failure + std::to_string(outcome.result) + folder, "1" + sub);
}

}  // namespace

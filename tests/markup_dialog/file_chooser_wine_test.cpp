// The chooser on the real common dialog: folder mode through the markup
// dialog's "..." button as the installer uses it, and the file modes directly.

#include <windows.h>

#include <dlgs.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "markup_dialog/file_chooser.h"
#include "markup_dialog/markup_dialog.h"
#include "tests/markup_dialog/dialog_driver.h"
#include "tests/support/scratch_folder.h"

namespace {

using namespace markup_testing;
using testing_support::ScratchFolder;

HWND chooser = nullptr;
HWND markupWindow = nullptr;

Step Do(std::function<void()> action) {
    return [action] {
        action();
        return true;
    };
}

HWND NameBoxWindow();

Step WaitForChooser(HWND owner) {
    return [owner] {
        chooser = CommonDialogOf(owner != nullptr ? owner : MarkupDialog());
        return chooser != nullptr && NameBoxWindow() != nullptr;
    };
}

// With the hook Wine's dialog has the plain name box edt1; without one the
// combo box cmb13 (an edit inside it holds the text), as on Windows.
HWND NameBoxWindow() {
    HWND box = GetDlgItem(chooser, edt1);
    return box != nullptr ? box : GetDlgItem(chooser, cmb13);
}

std::string NameBox() {
    return TextOf(NameBoxWindow());
}

// Replaces the name box's text by typing, as a user does.
std::vector<Step> TypeName(const std::string& name) {
    // Home and Shift+End select the whole text: Wine's edit control does not
    // take Ctrl+A as "select all".
    return {ClickOn(CentreOf(NameBoxWindow)), Do([] { PressKey(VK_HOME); }), Do([] {
                PressKeys({VK_SHIFT, VK_END});
            }),
            Do([name] { TypeText(name); }), [name] { return NameBox() == name; }};
}

HWND BrowseButton() {
    return GetDlgItem(GetDlgItem(MarkupDialog(), 401), 403);
}

std::string BrowseEdit() {
    return TextOf(GetDlgItem(GetDlgItem(MarkupDialog(), 401), 402));
}

constexpr char kOptionsMarkup[] = "<B128>Select the installation folder|Folder|*._||<C0>Autostart<=>";

struct FolderRun {
    int result = -2;
    std::string okText, label, firstName, boxAfterFile, browseAfter, title;
    bool stillOpenAfterFile = false;
};

TEST(FolderChooser, FileKeepsTheDialogOpenAndAMissingFolderIsAccepted) {
    ScratchFolder scratch;
    scratch.MakeFolder("sub");
    std::string file = scratch.WriteFile("sub\\note.txt", "x");
    std::string missing = scratch / "not yet";
    char folder[256];
    snprintf(folder, sizeof folder, "%s", scratch.Path().c_str());
    FolderRun run;
    std::vector<Step> steps = {
        WaitForDialog(&markupWindow),
        ClickOn(CentreOf(BrowseButton)),
        WaitForChooser(nullptr),
        [&] {
            run.firstName = NameBox();
            return run.firstName == scratch.Path();  // the folder shown, after the first folder change
        },
        Do([&] {
            run.okText = TextOf(GetDlgItem(chooser, IDOK));
            run.label = TextOf(GetDlgItem(chooser, stc3));
            run.title = TextOf(chooser);
        }),
    };
    for (const Step& step : TypeName(file))
        steps.push_back(step);
    steps.push_back(Do([] { PressKey(VK_RETURN); }));
    steps.push_back([&] { return NameBox() == scratch / "sub"; });  // refused: the file's folder instead
    steps.push_back(Settle());
    steps.push_back(Do([&] { run.stillOpenAfterFile = IsWindowVisible(chooser) != FALSE; }));
    for (const Step& step : TypeName(missing))
        steps.push_back(step);
    steps.push_back(Do([] { PressKey(VK_RETURN); }));
    steps.push_back([] { return CommonDialogOf(MarkupDialog()) == nullptr; });
    steps.push_back([&] {
        run.browseAfter = BrowseEdit();
        return run.browseAfter != scratch.Path();
    });
    steps.push_back(Do([] { PressKey(VK_RETURN); }));
    ScriptResult outcome = RunScript(
        [&] {
            return ShowMarkupDialog(nullptr, "Select a folder and set the requested options.", "Installer", 1005,
                                    "+&Continue|-&Abort installation", kOptionsMarkup, nullptr, folder, sizeof folder);
        },
        steps, 20000);
    EXPECT_TRUE(outcome.finished) << outcome.failure << " name box '" << NameBox() << "'";
    EXPECT_EQ(outcome.result, 0);
    EXPECT_EQ(run.okText, "OK");
    EXPECT_EQ(run.label, "Folder:");
    EXPECT_EQ(run.title, "Select the installation folder");
    EXPECT_TRUE(run.stillOpenAfterFile);
    EXPECT_EQ(run.browseAfter, missing);  // without "(.)"
    EXPECT_EQ(std::string(folder), missing);
}

TEST(FolderChooser, OkOnTheFolderShownChoosesIt) {
    ScratchFolder scratch;
    std::string sub = scratch.MakeFolder("pick me");
    char folder[256];
    snprintf(folder, sizeof folder, "%s", sub.c_str());
    std::vector<Step> steps = {WaitForDialog(&markupWindow),
                               ClickOn(CentreOf(BrowseButton)),
                               WaitForChooser(nullptr),
                               [&] { return NameBox() == sub; },
                               ClickOn(CentreOf([] { return GetDlgItem(chooser, IDOK); })),
                               [] { return CommonDialogOf(MarkupDialog()) == nullptr; },
                               Do([] { PressKey(VK_ESCAPE); })};
    ScriptResult outcome = RunScript(
        [&] { return ShowMarkupDialog(nullptr, "", "", 0, "+a|-b", kOptionsMarkup, nullptr, folder, sizeof folder); },
        steps, 20000);
    EXPECT_TRUE(outcome.finished) << outcome.failure;
    EXPECT_EQ(outcome.result, 1);
    EXPECT_EQ(std::string(folder), sub);
}

TEST(FileChooser, ModeThreeOpensNothing) {
    char path[64] = "C:\\Data\\";
    EXPECT_EQ(ChooseFile(0, path, 3, nullptr, "t", "All\0*.*\0", sizeof path), 0);
    EXPECT_STREQ(path, "C:\\Data\\*.*");
    char other[64] = "C:\\Data";
    EXPECT_EQ(ChooseFile(0, other, 7, nullptr, "t", "All\0*.*\0", sizeof other), 0);
    EXPECT_STREQ(other, "C:\\Data");
}

TEST(FileChooser, FileModesAppendThePatternOnlyAfterABackslash) {
    ScratchFolder scratch;
    scratch.WriteFile("a.txt", "x");
    struct Case {
        int mode;
        std::string start;
        std::string nameShown;  // what the open dialog put in its name box
    } cases[] = {
        {1, scratch.Path() + "\\", "*.*"},
        {2, scratch.Path() + "\\", "*.*"},
        {1, scratch / "a.txt", "a.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.start + " mode " + std::to_string(c.mode));
        char path[256];
        snprintf(path, sizeof path, "%s", c.start.c_str());
        HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr,
                                     nullptr, nullptr);
        std::string shown;
        std::string folderShown;
        ScriptResult outcome = RunScript(
            [&] { return ChooseFile(0, path, c.mode, owner, "Pick", "Text\0*.txt\0All\0*.*\0", sizeof path); },
            {WaitForChooser(owner), Do([&] {
                 shown = NameBox();
                 char folder[MAX_PATH] = "";
                 SendMessageA(chooser, CDM_GETFOLDERPATH, sizeof folder, reinterpret_cast<LPARAM>(folder));
                 folderShown = folder;
             }),
             Do([] { PressKey(VK_ESCAPE); })});
        DestroyWindow(owner);
        EXPECT_TRUE(outcome.finished) << outcome.failure;
        EXPECT_EQ(outcome.result, 0);
        EXPECT_EQ(shown, c.nameShown);
        EXPECT_EQ(folderShown, scratch.Path());
        EXPECT_EQ(std::string(path), c.start);  // cancelled: the pattern is taken off again
    }
}

}  // namespace

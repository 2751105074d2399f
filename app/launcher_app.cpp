#include "app/launcher_app.h"

#include "app/folder_store.h"
#include "app/launcher_handles.h"
#include "app/launcher_values.h"
#include "installer/installer.h"
#include "markup_dialog/markup_dialog.h"
#include "util/bounded_text.h"
#include "util/find_no_case.h"
#include "util/shortcut.h"

namespace {

constexpr char kProduct[] = "Tapdeck";
constexpr char kVersion[] = "1.10";
constexpr char kReadmeTip[] = "Left-click to open Right-click for menu";
constexpr char kHelpTip[] = "Click right-button - Open folder 0 - to access the links";

// One explanatory shortcut in folder 0 of `folder`, named after its text, and
// the rescan that records it behind the items already there.
void AddExplanation(const char* folder, const char* target, const char* text) {
    char targetPath[kPathSize];
    char linkPath[kPathSize];
    if (!FormatText(targetPath, sizeof targetPath, "%s\\%s", folder, target) ||
        !FormatText(linkPath, sizeof linkPath, "%s\\0\\%s.lnk", folder, text))
        return;
    ShortcutSpec spec;
    FillShortcutSpec(&spec, text, targetPath, nullptr, nullptr, 0, nullptr, 0, SW_SHOW);
    SaveShortcut(linkPath, &spec);
    RescanFolder(0, nullptr);
}

}  // namespace

const char kAboutText[] =
    "Tapdeck 1.10\r\n\r\n"
    "Starts your programs and documents from the notification area: one icon "
    "for each numbered folder beside the program.\r\n\r\n"
    "https://tapdeck.example.org";

void SetUpFolderZero() {
    Installer installer(kProduct, kVersion, "Tapdeck Installer", 3, 3);
    installer.RunInstall();
    const char* folder = installer.GetInstallFolder();
    if (folder != nullptr) {
        // The folder scan works below baseDir: point it at the new
        // installation for the two rescans.
        char saved[kPathSize];
        CopyText(saved, sizeof saved, baseDir);
        CopyText(baseDir, sizeof baseDir, folder);
        char zero[kPathSize];
        if (FormatText(zero, sizeof zero, "%s\\0", folder))
            CreateDirectoryA(zero, nullptr);  // one already there is used as it is
        AddExplanation(folder, "readme.txt", kReadmeTip);
        AddExplanation(folder, "tapdeck.htm", kHelpTip);
        CopyText(baseDir, sizeof baseDir, saved);
    }
    // Only now: a copy started earlier would race the folder's preparation.
    installer.StartInstalledCopy();
    installer.ReportComplete();
}

int LauncherApp::init(const char* commandLine, int) {
    LoadLauncherHandles();
    CoInitialize(nullptr);
    Installer installer(kProduct, kVersion, "", 0, 0);
    bool installed = installer.IsInstalled();
    if (FindNoCase(commandLine != nullptr ? commandLine : "", "/u") != nullptr) {
        installer.Uninstall();
        CoUninitialize();
        return 1;
    }
    char self[kPathSize] = "";
    GetModuleFileNameA(nullptr, self, sizeof self);
    char* cut = strrchr(self, '\\');
    if (cut != nullptr)
        *cut = '\0';
    CopyText(baseDir, sizeof baseDir, self);
    if (!installed) {
        SetUpFolderZero();
        CoUninitialize();
        return 1;
    }
    ApplySettingsWord(ReadSettings());
    window.SetBackground(kNoBackground);
    window.CreateHidden();
    SetMainWindow(window.handle);
    TrimWorkingSet();
    if (window.folderCount > 0) {
        window.RunModal(1);
    } else if (ShowMarkupDialog(nullptr, "Tapdeck could not find folder '0'. Make sure this folder exists!", "Warning",
                                0x7F03, "+&Ok|-&Reinstall", nullptr, nullptr, nullptr, 0) == 1) {
        SetUpFolderZero();
    }
    DestroyIcon(fallbackIcon);
    fallbackIcon = nullptr;
    window.Destroy();
    CoUninitialize();
    return 1;
}

#include "app/launcher_app.h"

#include "app/folder_store.h"
#include "app/item_icons.h"
#include "app/launcher_values.h"
#include "app/working_set.h"
#include "installer/install_text.h"
#include "installer/installer.h"
#include "markup_dialog/markup_dialog.h"
#include "util/bounded_text.h"
#include "util/find_no_case.h"
#include "util/shortcut.h"

namespace {

constexpr char kProduct[] = "Tapdeck";
constexpr char kVersion[] = "1.10";

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

// The executable's folder, without its final backslash, into baseDir. False
// when the module's path does not fit the program's paths: a cut path would
// name another folder.
bool FindBaseDirectory() {
    char self[kPathSize];
    DWORD length = GetModuleFileNameA(nullptr, self, sizeof self);
    char* cut = length > 0 && length < sizeof self ? strrchr(self, '\\') : nullptr;
    if (cut == nullptr)
        return false;
    *cut = '\0';
    return CopyText(baseDir, sizeof baseDir, self);
}

// What stops the launcher before it starts, in a plain box: it needs no more
// of the system than the box itself.
void ShowStartError(const char* text) {
    MessageBoxA(nullptr, text, "Tapdeck", MB_OK | MB_ICONHAND);
}

}  // namespace

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
        AddExplanation(folder, "readme.txt", install_text::kReadmeLinkText);
        AddExplanation(folder, "tapdeck.htm", install_text::kHelpLinkText);
        CopyText(baseDir, sizeof baseDir, saved);
    }
    // Only now: a copy started earlier would race the folder's preparation.
    installer.StartInstalledCopy();
    installer.ReportComplete();
}

int LauncherApp::init(const char* commandLine, int) {
    LoadFallbackIcon();
    LookUpWorkingSetTrim();
    CoInitialize(nullptr);
    Installer installer(kProduct, kVersion, "", 0, 0);
    bool installed = installer.IsInstalled();
    if (FindNoCase(commandLine != nullptr ? commandLine : "", "/u") != nullptr) {
        installer.Uninstall();
    } else if (!FindBaseDirectory()) {
        ShowStartError(
            "Tapdeck cannot run from this folder: its path is too long. Move the program to a folder "
            "with a shorter path.");
        exitCode = 1;
    } else if (!installed) {
        SetUpFolderZero();
    } else {
        exitCode = RunLauncher(&window);
    }
    CoUninitialize();
    return 1;
}

int RunLauncher(LauncherWindow* window) {
    ApplySettingsWord(ReadSettings());
    window->SetBackground(kNoBackground);
    window->CreateHidden();
    if (window->handle == nullptr) {
        // Without its window the launcher would run on with no icon and no
        // way to end it.
        ShowStartError("Tapdeck could not create its window and cannot run.");
        EndLauncher(window);
        return 1;
    }
    SetMainWindow(window->handle);
    TrimWorkingSet();
    if (window->folderCount > 0) {
        window->RunModal(1);
    } else if (ShowMarkupDialog(nullptr, "Tapdeck could not find folder '0'. Make sure this folder exists!", "Warning",
                                0x7F03, "+&Ok|-&Reinstall", nullptr, nullptr, nullptr, 0) == 1) {
        SetUpFolderZero();
    }
    EndLauncher(window);
    return 0;
}

void EndLauncher(LauncherWindow* window) {
    // The window first: a list it still holds may show the fallback icon,
    // which its end must recognise as not its own to destroy.
    window->Destroy();
    DestroyIcon(fallbackIcon);
    fallbackIcon = nullptr;
}

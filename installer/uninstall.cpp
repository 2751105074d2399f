#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include "installer/install_text.h"
#include "installer/installer.h"
#include "util/registry.h"
#include "util/shortcut.h"

void Installer::Uninstall() {
    char key[256];
    char command[256] = "";
    if (!install_text::UninstallKeyPath(productName, key, sizeof key) ||
        RegReadValue(key, HKEY_LOCAL_MACHINE, REG_SZ, "UninstallString", command, sizeof command) != 0 ||
        command[0] == '\0') {
        Show("The program was not installed on this computer, uninstall failed", 32513);
        return;
    }
    // The registration and the link go first, so that even a folder removed
    // by hand leaves the program unregistered. An entry that stays (no right
    // to change it) means nothing is undone.
    if (RegDeleteEntry(HKEY_LOCAL_MACHINE, nullptr, key) != 0) {
        Show("The uninstall entry could not be removed, uninstall failed. You may lack the rights to change it.",
             32513);
        return;
    }
    DeleteFolderShortcut(CSIDL_STARTUP, productName);

    char installFolder[256];
    if (!install_text::FolderFromUninstallCommand(command, installFolder, sizeof installFolder) ||
        GetFileAttributesA(installFolder) == INVALID_FILE_ATTRIBUTES) {
        Show("The installation folder could not be found", 32515);
        return;
    }
    Show("Uninstall completed. Please close the application and remove the files manually", 32516);
    ShellExecuteA(nullptr, "open", installFolder, nullptr, nullptr, SW_SHOWNORMAL);
}

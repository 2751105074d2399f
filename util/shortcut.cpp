#include "util/shortcut.h"

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include <cstring>

#include "util/bounded_text.h"
#include "util/folder_path.h"
#include "util/owners.h"
#include "util/special_folder.h"
#include "util/w_file.h"

// Copies an optional text into a zeroed field; false when it did not fit.
static bool FillField(char* field, size_t size, const char* text) {
    return text == nullptr || CopyText(field, size, text);
}

bool FillShortcutSpec(ShortcutSpec* spec,
                      const char* description,
                      const char* target,
                      const char* arguments,
                      const char* workingDirectory,
                      WORD hotkey,
                      const char* iconPath,
                      int iconIndex,
                      int showCommand) {
    memset(spec, 0, sizeof *spec);
    bool fits = FillField(spec->description, sizeof spec->description, description);
    fits &= FillField(spec->target, sizeof spec->target, target);
    fits &= FillField(spec->arguments, sizeof spec->arguments, arguments);
    fits &= FillField(spec->workingDirectory, sizeof spec->workingDirectory, workingDirectory);
    fits &= FillField(spec->iconPath, sizeof spec->iconPath, iconPath);
    spec->hotkey = hotkey;
    spec->iconIndex = iconIndex;
    spec->showCommand = showCommand;
    return fits;
}

int SaveShortcut(const char* linkPath, const ShortcutSpec* spec) {
    WCHAR widePath[MAX_PATH];
    if (MultiByteToWideChar(CP_ACP, 0, linkPath, -1, widePath, MAX_PATH) == 0) {
        return 1;
    }
    ComPtr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr,
                                CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER, IID_IShellLinkA,
                                link.ReceiveVoid()))) {
        return 1;
    }
    link->SetPath(spec->target);
    link->SetWorkingDirectory(spec->workingDirectory);
    link->SetIconLocation(spec->iconPath, spec->iconIndex);
    link->SetDescription(spec->description);
    link->SetArguments(spec->arguments);
    link->SetHotkey(spec->hotkey);
    link->SetShowCmd(spec->showCommand);
    ComPtr<IPersistFile> file;
    bool saved =
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.ReceiveVoid())) && file->Save(widePath, TRUE) == S_OK;
    return saved ? 0 : 1;
}

int GetSpecialFolderPath(int csidl, char* path) {
    SpecialFolderItems folder(csidl);
    folder.Path(path);
    return folder.Found() ? 0 : 1;
}

// The special folder's path with "\<name>.lnk"; false when the folder has no
// usable path (working below the drive root instead would be a surprise) or
// the link path does not fit.
static bool BuildFolderLinkPath(int csidl, const char* name, char* folder, char* link) {
    if (GetSpecialFolderPath(csidl, folder) != 0 || folder[0] == '\0') {
        return false;
    }
    if (folder[strlen(folder) - 1] != '\\' && !AppendText(folder, kPathSize, "\\")) {
        return false;
    }
    link[0] = '\0';
    return AppendText(link, kPathSize, folder) && AppendText(link, kPathSize, name) &&
           AppendText(link, kPathSize, ".lnk");
}

int CreateFolderShortcut(int csidl, const char* name, const char* target) {
    ShortcutSpec spec;
    if (!FillShortcutSpec(&spec, "", target, nullptr, nullptr, 0, nullptr, 0, SW_SHOW)) {
        return 1;
    }
    char folder[kPathSize];
    char link[kPathSize];
    // The shell locates only folders that exist; a user may well have deleted
    // an empty Startup folder, so it is created while being located.
    if (!BuildFolderLinkPath(csidl | CSIDL_FLAG_CREATE, name, folder, link)) {
        return 1;
    }
    CreateFolderPath(folder);
    return SaveShortcut(link, &spec);
}

void DeleteFolderShortcut(int csidl, const char* name) {
    char folder[kPathSize];
    char link[kPathSize];
    if (BuildFolderLinkPath(csidl, name, folder, link)) {
        DeleteFileA(link);
    }
}

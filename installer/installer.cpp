#include "installer/installer.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdlib>

#include "installer/install_text.h"
#include "markup_dialog/markup_dialog.h"
#include "util/bounded_text.h"
#include "util/dll_search.h"
#include "util/find_no_case.h"
#include "util/folder_path.h"
#include "util/registry.h"
#include "util/shortcut.h"
#include "util/w_file.h"

namespace {

constexpr int kIconHand = 32513;
constexpr int kIconExclamation = 32515;
constexpr int kIconAsterisk = 32516;
constexpr int kIconOwn = 1005;  // asked of the program's resources, which hold none

constexpr uint32_t kModeRead = 1;
constexpr uint32_t kModeWrite = 2;  // creates the file or empties it

constexpr char kDownloadAddress[] = "https://tapdeck.example.org/download";
constexpr char kIncomplete[] =
    "The installation package is not complete, make sure all the files from the archive are in the installation "
    "folder.\nIf necessary, get the full package at ";
constexpr char kInstallAborted[] = "Install aborted.";
constexpr char kCannotCreateFolder[] = "Could not create the installation folder, Install aborted.";

// A name beside the running executable (">name"), or the product's file with
// `suffix` there.
bool NameBesideModule(const char* productName, const char* suffix, char* out, size_t size) {
    return FormatText(out, size, ">%s%s", productName, suffix);
}

bool OpensForReading(const char* name) {
    WFile file;
    bool opened = file.Open(name, kModeRead) == 0;
    file.Close();
    return opened;
}

// The licence text in a fresh buffer for free(), or null when there is none
// to show: no file, or one too large to hold.
char* ReadLicence() {
    WFile file;
    if (file.Open(">readme.txt", kModeRead) != 0) {
        return nullptr;
    }
    uint64_t size = file.GetSize();
    uint32_t bufferSize = file.lastError == 0 ? install_text::LicenceBufferSize(size) : 0;
    char* text = bufferSize != 0 ? static_cast<char*>(malloc(bufferSize)) : nullptr;
    if (text != nullptr) {
        int got = file.Read(text, bufferSize - 1);
        text[got > 0 ? got : 0] = '\0';
    }
    file.Close();
    return text;
}

}  // namespace

Installer::Installer(const char* productName_,
                     const char* version_,
                     const char* caption_,
                     uint32_t options_,
                     uint32_t offeredOptions_)
    : aborted(0), options(options_), folder(), productName(), caption(), offeredOptions(offeredOptions_), version() {
    CopyText(productName, sizeof productName, productName_);
    CopyText(caption, sizeof caption, caption_);
    CopyText(version, sizeof version, version_);
}

int Installer::Show(const char* message,
                    int iconId,
                    const char* buttons,
                    const char* markup,
                    int* values,
                    char* text,
                    int textSize) const {
    return ShowMarkupDialog(nullptr, message, caption, iconId, buttons, markup, values, text, textSize);
}

void Installer::Abort(const char* message, int iconId) {
    Show(message, iconId);
    aborted = 1;
}

bool Installer::InstalledExecutable(char* path, int size) const {
    char name[64];
    return FormatText(name, sizeof name, "%s.exe", productName) &&
           install_text::JoinPath(folder, name, path, static_cast<size_t>(size));
}

void Installer::RunInstall() {
    RestrictDllSearchToSystem();
    CheckPackage();
    ShowLicence();
    ChooseFolder();
    CopyPackage();
    RegisterUninstall();
    FinishInstall();
}

void Installer::CheckPackage() {
    if (aborted) {
        return;
    }
    char htm[64];
    bool complete = OpensForReading(">readme.txt");
    complete &= NameBesideModule(productName, ".htm", htm, sizeof htm) && OpensForReading(htm);
    char module[kPathSize] = "";
    GetModuleFileNameA(nullptr, module, sizeof module);
    complete &= FindNoCase(module, "\\setup.exe") != nullptr;
    if (!complete) {
        char message[sizeof kIncomplete + sizeof kDownloadAddress];
        FormatText(message, sizeof message, "%s%s", kIncomplete, kDownloadAddress);
        Abort(message, kIconHand);
    }
}

void Installer::ShowLicence() {
    if (aborted) {
        return;
    }
    char* licence = ReadLicence();
    char empty[1] = "";

    // The help page opens in the user's browser beside the dialog.
    char htmName[64];
    char htmPath[kPathSize];
    if (NameBesideModule(productName, ".htm", htmName, sizeof htmName) &&
        WFile::ResolveFileName(htmName, htmPath) == 0) {
        ShellExecuteA(nullptr, "open", htmPath, "", "", SW_SHOWNORMAL);
    }

    int result = Show("Please read the license agreement and press 'Continue' to proceed with the installation.",
                      kIconOwn, "+&Continue installation|-&No, I don't agree",
                      "<E10><C15>I have read and fully agree to this license agreement <F2><=>", nullptr,
                      licence != nullptr ? licence : empty, 0);
    free(licence);
    // Only the Continue button is agreement; a dialog ended without a choice
    // is not.
    if (result != 0) {
        Abort(kInstallAborted, kIconAsterisk);
    }
}

void Installer::ChooseFolder() {
    if (aborted) {
        return;
    }
    char markup[256];
    install_text::BuildOptionsMarkup(offeredOptions, markup, sizeof markup);
    install_text::DefaultInstallFolder(productName, folder, sizeof folder);
    int values = static_cast<int>(options);
    int result = Show("Select a folder and set the requested options.", kIconOwn, "+&Continue|-&Abort installation",
                      markup, &values, folder, sizeof folder);
    options = static_cast<uint32_t>(values);
    if (result != 0) {
        Abort(kInstallAborted, kIconAsterisk);
        return;
    }
    // A folder too long for any path the installation makes is refused
    // before anything exists on disk: later steps would skip that path, or
    // register it cut.
    if (!install_text::InstallationPathsFit(folder, productName, version) || CreateFolderPath(folder) != 0) {
        Abort(kCannotCreateFolder, kIconExclamation);
    }
}

void Installer::CopyPackage() {
    if (aborted) {
        return;
    }
    char module[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, module, sizeof module);
    char sourceFolder[kPathSize];
    install_text::CopyPair plan[install_text::kPackageFiles];
    if (!install_text::FolderOfPath(module, sourceFolder, sizeof sourceFolder) ||
        !install_text::BuildCopyPlan(sourceFolder, folder, productName, plan)) {
        Abort("Could not copy all the files!, Install aborted.", kIconExclamation);
        return;
    }
    for (int i = 0; i < install_text::kPackageFiles; ++i) {
        // The package may already lie in the installation folder: copying a
        // file onto itself would empty it.
        if (i > 0 && install_text::SamePathNoCase(plan[i].source, plan[i].target)) {
            continue;
        }
        if (!CopyOneFile(plan[i].source, plan[i].target)) {
            MessageBoxA(GetActiveWindow(), "Could not copy file", plan[i].source, MB_OK | MB_ICONHAND);
            Abort("Could not copy all the files!, Install aborted.", kIconExclamation);
            return;
        }
    }
}

int Installer::CopyOneFile(const char* source, const char* target) {
    // The copy grows beside the target and takes its place only when whole:
    // a full disk halfway leaves the earlier file as it was.
    char partial[kPathSize];
    WFile in;
    WFile out;
    if (!install_text::PartialCopyPath(target, partial, sizeof partial) || in.Open(source, kModeRead) != 0) {
        return 0;
    }
    if (out.Open(partial, kModeWrite) != 0) {
        in.Close();
        return 0;
    }
    uint32_t size = static_cast<uint32_t>(in.GetSize());
    int copied = in.lastError == 0;
    for (uint32_t i = 0; copied && i < size; ++i) {
        char one;
        // A short read without an error code (the file shrank) is a failure
        // too: the byte would be made up.
        copied = in.Read(&one, 1) == 1 && in.lastError == 0;
        copied = copied && out.Write(&one, 1) == 1 && out.lastError == 0;
    }
    in.Close();
    if (out.Close() != 0) {
        copied = 0;
    }
    // The system refuses to replace a program that is running.
    if (copied && MoveFileExA(partial, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return 1;
    }
    DeleteFileA(partial);
    return 0;
}

void Installer::RegisterUninstall() {
    if (aborted) {
        return;
    }
    char command[256];
    char key[256] = "";
    char displayName[64];
    // The display name last: it is what marks the program as installed.
    bool registered =
        install_text::BuildUninstallCommand(folder, productName, version, command, sizeof command) &&
        install_text::UninstallKeyPath(productName, key, sizeof key) &&
        install_text::DisplayName(productName, displayName, sizeof displayName) &&
        RegWriteValue(key, HKEY_LOCAL_MACHINE, "UninstallString", REG_SZ, command, lstrlenA(command) + 1) == 0 &&
        RegWriteValue(key, HKEY_LOCAL_MACHINE, "DisplayName", REG_SZ, displayName, lstrlenA(displayName) + 1) == 0;
    if (!registered) {
        // No half entry: a command without its name is an installation that
        // no list of programs shows and no start of the program sees.
        RegDeleteEntry(HKEY_LOCAL_MACHINE, nullptr, key);
        Abort("Could not write the uninstall entry, Install aborted.", kIconExclamation);
    }
}

void Installer::FinishInstall() {
    if (aborted) {
        return;
    }
    char executable[kPathSize];
    if ((options & install_text::kAutostart) && InstalledExecutable(executable, sizeof executable)) {
        CreateFolderShortcut(CSIDL_STARTUP, productName, executable);
    }
}

const char* Installer::GetInstallFolder() const {
    return aborted ? nullptr : folder;
}

void Installer::StartInstalledCopy() {
    char executable[kPathSize];
    if (!aborted && (options & install_text::kRunAfterInstall) && InstalledExecutable(executable, sizeof executable)) {
        ShellExecuteA(nullptr, "open", executable, "", "", SW_SHOWNORMAL);
    }
}

void Installer::ReportComplete() {
    if (!aborted) {
        Show("Installation complete.", kIconAsterisk);
    }
}

bool Installer::IsInstalled() const {
    char key[256];
    char displayName[32];
    if (!install_text::UninstallKeyPath(productName, key, sizeof key) ||
        RegReadValue(key, HKEY_LOCAL_MACHINE, REG_SZ, "DisplayName", displayName, sizeof displayName) != 0) {
        return false;
    }
    return displayName[0] != '\0';
}

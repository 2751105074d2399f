#include "installer/install_text.h"

#include <cstring>

#include "util/bounded_text.h"

namespace install_text {

namespace {

// Copies `length` bytes of `text` as a terminated string.
bool CopyPart(const char* text, size_t length, char* out, size_t size) {
    if (size == 0) {
        return false;
    }
    if (length >= size) {
        out[0] = '\0';
        return false;
    }
    memcpy(out, text, length);
    out[length] = '\0';
    return true;
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool JoinPath(const char* folder, const char* name, char* out, size_t size) {
    size_t length = strlen(folder);
    bool hasSlash = length > 0 && folder[length - 1] == '\\';
    return FormatText(out, size, "%s%s%s", folder, hasSlash ? "" : "\\", name);
}

bool FolderOfPath(const char* path, char* out, size_t size) {
    const char* slash = strrchr(path, '\\');
    if (slash == nullptr) {
        if (size > 0) {
            out[0] = '\0';
        }
        return false;
    }
    size_t length = static_cast<size_t>(slash - path);
    // The backslash of a root stays: "c:" alone would mean the drive's
    // current folder, and "" no folder at all.
    bool root = length == 0 || (length == 2 && path[1] == ':');
    return CopyPart(path, root ? length + 1 : length, out, size);
}

bool BuildUninstallCommand(const char* folder, const char* name, const char* version, char* out, size_t size) {
    size_t length = strlen(folder);
    bool hasSlash = length > 0 && folder[length - 1] == '\\';
    return FormatText(out, size, "\"%s%s%s.exe\" /U %s", folder, hasSlash ? "" : "\\", name, version);
}

bool FolderFromUninstallCommand(const char* command, char* out, size_t size) {
    if (command[0] != '"') {
        return FolderOfPath(command, out, size);
    }
    const char* start = command + 1;
    const char* end = strchr(start, '"');
    char path[256];
    if (end == nullptr || !CopyPart(start, static_cast<size_t>(end - start), path, sizeof path)) {
        if (size > 0) {
            out[0] = '\0';
        }
        return false;
    }
    return FolderOfPath(path, out, size);
}

bool InstallationPathsFit(const char* folder, const char* name, const char* version) {
    char command[256];
    char exe[64];
    char htm[64];
    char readmeLink[64];
    char helpLink[64];
    if (!BuildUninstallCommand(folder, name, version, command, sizeof command) ||
        !FormatText(exe, sizeof exe, "%s.exe.tmp", name) || !FormatText(htm, sizeof htm, "%s.htm.tmp", name) ||
        !FormatText(readmeLink, sizeof readmeLink, "0\\%s.lnk", kReadmeLinkText) ||
        !FormatText(helpLink, sizeof helpLink, "0\\%s.lnk", kHelpLinkText)) {
        return false;
    }
    // The launcher's own: the item file of folder 0 and the one that replaces it.
    const char* const paths[] = {exe, "readme.txt.tmp", htm, readmeLink, helpLink, "0\\.tapdeck.new"};
    for (const char* path : paths) {
        char full[256];
        if (!JoinPath(folder, path, full, sizeof full)) {
            return false;
        }
    }
    return true;
}

bool PartialCopyPath(const char* target, char* out, size_t size) {
    return FormatText(out, size, "%s.tmp", target);
}

bool UninstallKeyPath(const char* name, char* out, size_t size) {
    return FormatText(out, size, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\%s", name);
}

bool DisplayName(const char* name, char* out, size_t size) {
    return FormatText(out, size, "%s (Remove only)", name);
}

bool DefaultInstallFolder(const char* name, char* out, size_t size) {
    return FormatText(out, size, "c:\\program files\\zuvware\\%s", name);
}

bool BuildOptionsMarkup(uint32_t offeredOptions, char* out, size_t size) {
    return FormatText(out, size, "%s%s%s%s<=>", "<B128>Select the installation folder|Folder|*._||",
                      (offeredOptions & kAutostart) ? "<C0>Automatically execute on startup" : "",
                      (offeredOptions & kDesktopLink) ? "<C2>Add link on desktop" : "",
                      (offeredOptions & kRunAfterInstall) ? "<C1>Execute after installation" : "");
}

bool BuildCopyPlan(const char* sourceFolder,
                   const char* installFolder,
                   const char* name,
                   CopyPair plan[kPackageFiles]) {
    char exe[64];
    char htm[64];
    if (!FormatText(exe, sizeof exe, "%s.exe", name) || !FormatText(htm, sizeof htm, "%s.htm", name)) {
        return false;
    }
    const char* sources[kPackageFiles] = {"setup.exe", "readme.txt", htm};
    const char* targets[kPackageFiles] = {exe, "readme.txt", htm};
    for (int i = 0; i < kPackageFiles; ++i) {
        if (!JoinPath(sourceFolder, sources[i], plan[i].source, sizeof plan[i].source) ||
            !JoinPath(installFolder, targets[i], plan[i].target, sizeof plan[i].target)) {
            return false;
        }
    }
    return true;
}

bool SamePathNoCase(const char* a, const char* b) {
    for (; *a != '\0' && Lower(*a) == Lower(*b); ++a, ++b) {
    }
    return *a == *b;
}

uint32_t LicenceBufferSize(uint64_t fileSize) {
    return fileSize > kMaxLicenceSize ? 0 : static_cast<uint32_t>(fileSize) + 1;
}

}  // namespace install_text

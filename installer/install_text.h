#pragma once
// The texts and paths of an installation, apart from the Windows calls that
// use them. Every builder writes into a buffer of `size` bytes and returns
// false, leaving the buffer empty, when the result would not fit: a cut path
// names another file, and a cut command another program.

#include <cstddef>
#include <cstdint>

namespace install_text {

// Option bits: the check-box word of the options dialog.
constexpr uint32_t kAutostart = 1;
constexpr uint32_t kRunAfterInstall = 2;
constexpr uint32_t kDesktopLink = 4;

// The licence is read whole into memory; anything larger is not a licence.
constexpr uint64_t kMaxLicenceSize = 1024 * 1024;

// `folder` and `name` joined by one backslash, none added after a drive root
// such as "c:\".
bool JoinPath(const char* folder, const char* name, char* out, size_t size);

// The folder part of a full path: everything before the last backslash, the
// backslash kept when it is the one of a drive root. False without a
// backslash.
bool FolderOfPath(const char* path, char* out, size_t size);

// The registered uninstall command: the executable's path in quotes, so that
// blanks in the folder cannot make the system start "c:\program.exe" instead,
// then " /U " and the version.
bool BuildUninstallCommand(const char* folder, const char* name, const char* version, char* out, size_t size);

// The installation folder named by an uninstall command, quoted as we write
// it or unquoted as an earlier version wrote it. False when the command names
// no folder (no backslash at all, or an unclosed quote).
bool FolderFromUninstallCommand(const char* command, char* out, size_t size);

bool UninstallKeyPath(const char* name, char* out, size_t size);
bool DisplayName(const char* name, char* out, size_t size);
bool DefaultInstallFolder(const char* name, char* out, size_t size);

// The two explanatory shortcuts of folder 0, named after their texts, which
// are also the tips of folder 0's icon.
constexpr char kReadmeLinkText[] = "Left-click to open Right-click for menu";
constexpr char kHelpLinkText[] = "Click right-button - Open folder 0 - to access the links";

// Whether every path the installation makes in `folder` fits 256 bytes: the
// registered command, the copies and the names they grow under, folder 0
// with its two shortcuts and its item file.
bool InstallationPathsFit(const char* folder, const char* name, const char* version);

// The name a copy grows under beside its target: the target's path and ".tmp".
bool PartialCopyPath(const char* target, char* out, size_t size);

// The options dialog's control markup: the folder field, then a check box for
// each offered option in the order autostart, desktop link, run after
// installation, then the separator.
bool BuildOptionsMarkup(uint32_t offeredOptions, char* out, size_t size);

// Source and target of each file of the package, in copying order: the
// executable under the product's name, the licence, the help page.
constexpr int kPackageFiles = 3;
struct CopyPair {
    char source[256];
    char target[256];
};
bool BuildCopyPlan(const char* sourceFolder, const char* installFolder, const char* name, CopyPair plan[kPackageFiles]);

// Paths compared as the file system does, without regard to ASCII case.
bool SamePathNoCase(const char* a, const char* b);

// How many bytes to allocate for a licence file of `fileSize` bytes (data and
// terminator), or 0 when it is too large to hold.
uint32_t LicenceBufferSize(uint64_t fileSize);

}  // namespace install_text

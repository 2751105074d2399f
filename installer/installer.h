#pragma once
// The object of one installation or uninstallation. The first step that fails
// or is refused sets `aborted`, and every later step then does nothing; what
// earlier steps made stays in place.
//
// The whole installation, as its caller runs it:
//     Installer installer("Tapdeck", "1.10", "Tapdeck Installer", 3, 3);
//     installer.RunInstall();
//     ... prepare folder 0 in installer.GetInstallFolder() unless it is null ...
//     installer.StartInstalledCopy();
//     installer.ReportComplete();
// The installed copy is started only after folder 0 exists: started earlier,
// it would race the preparation and could report the folder missing.

#include <cstdint>

class Installer {
public:
    Installer(const char* productName,
              const char* version,
              const char* caption,
              uint32_t options,
              uint32_t offeredOptions);

    // CheckPackage, ShowLicence, ChooseFolder, CopyPackage, RegisterUninstall
    // and FinishInstall, in this order.
    void RunInstall();
    // The installation folder, or null once aborted.
    const char* GetInstallFolder() const;
    // Starts the installed executable when "Execute after installation" was
    // ticked and nothing was aborted.
    void StartInstalledCopy();
    void ReportComplete();
    // An uninstall entry with a non-empty display name exists.
    bool IsInstalled() const;
    // Removes the uninstall entry and the autostart link, and tells the user
    // the outcome.
    void Uninstall();

    // 1 copied, 0 failed. One byte a call, as the package is small.
    static int CopyOneFile(const char* source, const char* target);

    void CheckPackage();
    void ShowLicence();
    void ChooseFolder();
    void CopyPackage();
    void RegisterUninstall();
    void FinishInstall();

    int32_t aborted;
    uint32_t options;  // install_text::kAutostart, kRunAfterInstall, kDesktopLink
    char folder[256];
    char productName[32];
    char caption[64];
    uint32_t offeredOptions;
    char version[8];

private:
    int Show(const char* message,
             int iconId,
             const char* buttons = "+&OK",
             const char* markup = nullptr,
             int* values = nullptr,
             char* text = nullptr,
             int textSize = 0) const;
    void Abort(const char* message, int iconId);
    bool InstalledExecutable(char* path, int size) const;
};

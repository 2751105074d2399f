#include "installer/install_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace install_text;

// Each folder is built into a command and cut back; commands without a folder
// are only cut. An empty command: refused; an empty cut: no folder named.
TEST(InstallText, CommandOptionsPathsAndLicenceSize) {
    const std::string dflt = "c:\\program files\\zuvware\\Tapdeck", fits = "c:\\" + std::string(230, 'f');
    // clang-format off
    const struct { std::string folder, command, cut; const char* name; } rows[] = {
        {dflt, "\"" + dflt + "\\Tapdeck.exe\" /U 1.10", dflt, "default folder with blanks, quoted"},
        {"", dflt + "\\Tapdeck.exe /U 1.10", dflt, "unquoted, as an earlier version wrote it"},
        {"c:\\", "\"c:\\Tapdeck.exe\" /U 1.10", "c:\\", "drive root"}, {"", "c:\\Tapdeck.exe /U 1.10", "c:\\", "unquoted drive root"},
        {"d:\\apps\\", "\"d:\\apps\\Tapdeck.exe\" /U 1.10", "d:\\apps", "trailing backslash"}, {"", "Tapdeck.exe /U 1.10", "", "no backslash"},
        {"", "\"c:\\dir\\Tapdeck.exe /U 1.10", "", "unclosed quote"}, {"", "\"a\\b\\c\" x\\y", "a\\b", "backslash after the quotes ignored"},
        {fits, "\"" + fits + "\\Tapdeck.exe\" /U 1.10", fits, "longest folder that fits 256 bytes"}, {fits + "f", "", "", "one too long"}};
    // clang-format on
    for (const auto& row : rows) {
        char built[256] = "", cut[256] = "";
        bool made =
            !row.folder.empty() && BuildUninstallCommand(row.folder.c_str(), "Tapdeck", "1.10", built, sizeof built);
        bool found = FolderFromUninstallCommand(row.folder.empty() ? row.command.c_str() : built, cut, sizeof cut);
        EXPECT_EQ(std::string(row.folder.empty() ? row.command : built) + "|" + cut + std::to_string(made) +
                      std::to_string(found),
                  row.command + "|" + row.cut + std::to_string(!row.folder.empty() && !row.command.empty()) +
                      std::to_string(!row.cut.empty()))
            << row.name;
    }
    // The options markup, unknown bits ignored.
    char markup[256];
    BuildOptionsMarkup(kAutostart | kRunAfterInstall | kDesktopLink | 0x100, markup, sizeof markup);
    EXPECT_STREQ(markup,
                 "<B128>Select the installation folder|Folder|*._||<C0>Automatically execute on startup"
                 "<C2>Add link on desktop<C1>Execute after installation<=>");
    // Paths the same in another case, a prefix is not; the largest licence, one too large, and one small only in its
    // low 32 bits.
    EXPECT_EQ(std::to_string(SamePathNoCase("C:\\P\\Readme.TXT", "c:\\p\\readme.txt")) +
                  std::to_string(SamePathNoCase("c:\\a\\readme.tx", "c:\\a\\readme.txt")) + " " +
                  std::to_string(LicenceBufferSize(kMaxLicenceSize)) + " " +
                  std::to_string(LicenceBufferSize(kMaxLicenceSize + 1)) + " " +
                  std::to_string(LicenceBufferSize(0x100000010ull)),
              "10 1048577 0 0");
}

// The longest path the installation makes is folder 0's help shortcut,
// 63 characters below the folder.
TEST(InstallText, EveryInstalledPathFitsOrTheFolderIsRefused) {
    const std::string longest = "c:\\" + std::string(189, 'f');
    EXPECT_TRUE(InstallationPathsFit("c:\\program files\\zuvware\\Tapdeck", "Tapdeck", "1.10"));
    EXPECT_TRUE(InstallationPathsFit(longest.c_str(), "Tapdeck", "1.10"));
    EXPECT_FALSE(InstallationPathsFit((longest + "f").c_str(), "Tapdeck", "1.10"));
    char partial[16];
    EXPECT_TRUE(PartialCopyPath("c:\\a\\x.exe", partial, sizeof partial));
    EXPECT_STREQ(partial, "c:\\a\\x.exe.tmp");
}

}  // namespace

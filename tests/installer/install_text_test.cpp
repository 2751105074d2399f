#include "installer/install_text.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace {

using namespace install_text;

const std::string kDefault = "c:\\program files\\zuvware\\Tapdeck";

// Each folder is built into the registered command and read back out of it.
TEST(InstallText, UninstallCommandNamesItsFolder) {
    const std::string longest = "c:\\" + std::string(230, 'f');  // the command just fits 256 bytes
    const std::tuple<const char*, std::string, std::string, std::string> rows[] = {
        {"blanks, so quoted", kDefault, "\"" + kDefault + "\\Tapdeck.exe\" /U 1.10", kDefault},
        {"a drive root", "c:\\", "\"c:\\Tapdeck.exe\" /U 1.10", "c:\\"},
        {"a final backslash", "d:\\apps\\", "\"d:\\apps\\Tapdeck.exe\" /U 1.10", "d:\\apps"},
        {"the longest folder", longest, "\"" + longest + "\\Tapdeck.exe\" /U 1.10", longest},
    };
    for (const auto& [name, folder, expected, readBack] : rows) {
        char command[256] = "";
        char back[256] = "";
        ASSERT_TRUE(BuildUninstallCommand(folder.c_str(), "Tapdeck", "1.10", command, sizeof command)) << name;
        EXPECT_EQ(command, expected) << name;
        ASSERT_TRUE(FolderFromUninstallCommand(command, back, sizeof back)) << name;
        EXPECT_EQ(back, readBack) << name;
    }
    char command[256];
    EXPECT_FALSE(BuildUninstallCommand((longest + "f").c_str(), "Tapdeck", "1.10", command, sizeof command));
}

// Commands as they stand in the registry, also as an earlier version wrote them.
TEST(InstallText, FolderReadFromAnyCommand) {
    const std::tuple<const char*, std::string, const char*> rows[] = {
        {"unquoted", kDefault + "\\Tapdeck.exe /U 1.10", "c:\\program files\\zuvware\\Tapdeck"},
        {"no backslash", "Tapdeck.exe /U 1.10", nullptr},
        {"an unclosed quote", "\"c:\\dir\\Tapdeck.exe /U 1.10", nullptr},
        {"a backslash after the quotes", "\"a\\b\\c\" x\\y", "a\\b"},
    };
    for (const auto& [name, command, expected] : rows) {
        char folder[256] = "";
        EXPECT_EQ(FolderFromUninstallCommand(command.c_str(), folder, sizeof folder), expected != nullptr) << name;
        EXPECT_STREQ(folder, expected != nullptr ? expected : "") << name;
    }
}

TEST(InstallText, OptionsMarkupInTheBoxesOrder) {
    char markup[256];
    BuildOptionsMarkup(kAutostart | kRunAfterInstall | kDesktopLink | 0x100, markup, sizeof markup);  // 0x100: none
    EXPECT_STREQ(markup,
                 "<B128>Select the installation folder|Folder|*._||<C0>Automatically execute on startup"
                 "<C2>Add link on desktop<C1>Execute after installation<=>");
}

TEST(InstallText, PathsCompareWithoutCase) {
    EXPECT_TRUE(SamePathNoCase("C:\\AZ\\Readme.TXT", "c:\\az\\readme.txt"));  // both ends of the alphabet
    EXPECT_FALSE(SamePathNoCase("c:\\a\\readme.tx", "c:\\a\\readme.txt"));
}

TEST(InstallText, LicenceBufferHoldsTheTextAndItsEnd) {
    EXPECT_EQ(LicenceBufferSize(kMaxLicenceSize), kMaxLicenceSize + 1);
    EXPECT_EQ(LicenceBufferSize(kMaxLicenceSize + 1), 0u);
    EXPECT_EQ(LicenceBufferSize(0x100000010ull), 0u);  // small only in its low 32 bits
}

// The longest path the installation makes is folder 0's help shortcut,
// 63 characters below the folder.
TEST(InstallText, EveryInstalledPathFitsOrTheFolderIsRefused) {
    const std::string longest = "c:\\" + std::string(189, 'f');
    EXPECT_TRUE(InstallationPathsFit(kDefault.c_str(), "Tapdeck", "1.10"));
    EXPECT_TRUE(InstallationPathsFit(longest.c_str(), "Tapdeck", "1.10"));
    EXPECT_FALSE(InstallationPathsFit((longest + "f").c_str(), "Tapdeck", "1.10"));
    char partial[16];
    EXPECT_TRUE(PartialCopyPath("c:\\a\\x.exe", partial, sizeof partial));
    EXPECT_STREQ(partial, "c:\\a\\x.exe.tmp");
}

}  // namespace

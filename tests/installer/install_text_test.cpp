#include "installer/install_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace install_text;

std::string Long(size_t length) {
    std::string folder = "c:\\";
    return folder + std::string(length - folder.size(), 'f');
}

TEST(InstallText, UninstallCommandIsQuotedAndMustFit) {
    // The quoted command adds 22 bytes to a folder for "Tapdeck" and "1.10":
    // a folder of 233 characters is the longest that fits 256 bytes.
    struct Case {
        std::string folder;
        const char* expected;  // null: refused
        const char* name;
    } cases[] = {
        {"c:\\program files\\zuvware\\Tapdeck", "\"c:\\program files\\zuvware\\Tapdeck\\Tapdeck.exe\" /U 1.10",
         "default folder with blanks"},
        {"c:\\", "\"c:\\Tapdeck.exe\" /U 1.10", "drive root"},
        {"d:\\apps\\", "\"d:\\apps\\Tapdeck.exe\" /U 1.10", "trailing backslash"},
        {Long(233), "", "longest that fits"},
        {Long(234), nullptr, "one too long"},
        {Long(255), nullptr, "full folder buffer"},
    };
    for (const Case& c : cases) {
        char command[256] = "x";
        bool built = BuildUninstallCommand(c.folder.c_str(), "Tapdeck", "1.10", command, sizeof command);
        EXPECT_EQ(built, c.expected != nullptr) << c.name;
        if (c.expected == nullptr) {
            EXPECT_STREQ(command, "") << c.name;
        } else if (c.expected[0] != '\0') {
            EXPECT_STREQ(command, c.expected) << c.name;
        }
    }
}

TEST(InstallText, FolderFromUninstallCommand) {
    struct Case {
        const char* command;
        const char* folder;  // null: no folder
        const char* name;
    } cases[] = {
        {"\"c:\\program files\\zuvware\\Tapdeck\\Tapdeck.exe\" /U 1.10", "c:\\program files\\zuvware\\Tapdeck",
         "quoted"},
        {"c:\\program files\\zuvware\\Tapdeck\\Tapdeck.exe /U 1.10", "c:\\program files\\zuvware\\Tapdeck",
         "unquoted, as earlier versions wrote it"},
        {"\"c:\\Tapdeck.exe\" /U 1.10", "c:\\", "quoted drive root"},
        {"c:\\Tapdeck.exe /U 1.10", "c:\\", "unquoted drive root"},
        {"\"\\\\server\\share\\x\\Tapdeck.exe\" /U 1.10", "\\\\server\\share\\x", "network path"},
        {"\\Tapdeck.exe /U 1.10", "\\", "root of the current drive"},
        {"Tapdeck.exe /U 1.10", nullptr, "no backslash"},
        {"\"Tapdeck.exe\" /U 1.10", nullptr, "quoted, no backslash"},
        {"\"c:\\dir\\Tapdeck.exe /U 1.10", nullptr, "unclosed quote"},
        {"\"\"", nullptr, "empty quotes"},
        {"\"a\\b\\c\\d\\e\" x\\y", "a\\b\\c\\d", "backslash after the quotes ignored"},
    };
    for (const Case& c : cases) {
        char folder[256] = "x";
        bool found = FolderFromUninstallCommand(c.command, folder, sizeof folder);
        EXPECT_EQ(found, c.folder != nullptr) << c.name;
        EXPECT_STREQ(folder, c.folder != nullptr ? c.folder : "") << c.name;
    }
}

TEST(InstallText, OptionsMarkupFollowsTheOfferedOptions) {
    const std::string head = "<B128>Select the installation folder|Folder|*._||";
    const std::string autostart = "<C0>Automatically execute on startup";
    const std::string desktop = "<C2>Add link on desktop";
    const std::string run = "<C1>Execute after installation";
    struct Case {
        uint32_t offered;
        std::string tail;
    } cases[] = {
        {0, ""},
        {kAutostart, autostart},
        {kRunAfterInstall, run},
        {kAutostart | kRunAfterInstall, autostart + run},  // what the launcher offers
        {kAutostart | kRunAfterInstall | kDesktopLink, autostart + desktop + run},
        {kDesktopLink | 0x100, desktop},  // bits without a box add nothing
    };
    for (const Case& c : cases) {
        char markup[256];
        ASSERT_TRUE(BuildOptionsMarkup(c.offered, markup, sizeof markup)) << c.offered;
        EXPECT_EQ(markup, head + c.tail + "<=>") << "offered " << c.offered;
    }
}

TEST(InstallText, PathsOfThePackage) {
    struct Folder {
        const char* path;
        const char* folder;  // null: none
    } folders[] = {
        {"c:\\downloads\\setup.exe", "c:\\downloads"},
        {"c:\\setup.exe", "c:\\"},
        {"setup.exe", nullptr},
        {"\\\\server\\share\\setup.exe", "\\\\server\\share"},
    };
    for (const Folder& f : folders) {
        char folder[256] = "x";
        EXPECT_EQ(FolderOfPath(f.path, folder, sizeof folder), f.folder != nullptr) << f.path;
        EXPECT_STREQ(folder, f.folder != nullptr ? f.folder : "") << f.path;
    }

    CopyPair plan[kPackageFiles];
    ASSERT_TRUE(BuildCopyPlan("c:\\", "c:\\program files\\zuvware\\Tapdeck", "Tapdeck", plan));
    const char* expected[kPackageFiles][2] = {
        {"c:\\setup.exe", "c:\\program files\\zuvware\\Tapdeck\\Tapdeck.exe"},
        {"c:\\readme.txt", "c:\\program files\\zuvware\\Tapdeck\\readme.txt"},
        {"c:\\Tapdeck.htm", "c:\\program files\\zuvware\\Tapdeck\\Tapdeck.htm"},
    };
    for (int i = 0; i < kPackageFiles; ++i) {
        EXPECT_STREQ(plan[i].source, expected[i][0]) << i;
        EXPECT_STREQ(plan[i].target, expected[i][1]) << i;
    }
    EXPECT_FALSE(BuildCopyPlan(Long(250).c_str(), "c:\\x", "Tapdeck", plan));
}

TEST(InstallText, SamePathNoCase) {
    struct Case {
        const char* a;
        const char* b;
        bool same;
    } cases[] = {
        {"C:\\Program Files\\Zuvware\\Tapdeck\\readme.txt", "c:\\program files\\zuvware\\tapdeck\\README.TXT", true},
        {"c:\\a\\readme.txt", "c:\\a\\readme.tx", false},
        {"c:\\a\\readme.tx", "c:\\a\\readme.txt", false},
        {"c:\\a|b", "c:\\a\\b", false},  // only letters fold
        {"", "", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SamePathNoCase(c.a, c.b), c.same) << c.a << " / " << c.b;
    }
}

TEST(InstallText, LicenceBufferIsBounded) {
    struct Case {
        uint64_t fileSize;
        uint32_t buffer;
    } cases[] = {
        {0, 1},
        {4000, 4001},
        {kMaxLicenceSize, kMaxLicenceSize + 1},
        {kMaxLicenceSize + 1, 0},
        {0xFFFFFFFFu, 0},     // would wrap to 0 bytes with the terminator added
        {0x100000010ull, 0},  // low 32 bits small, the file is not
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LicenceBufferSize(c.fileSize), c.buffer) << c.fileSize;
    }
}

}  // namespace

#include "util/registry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// A key of the test's own below HKLM\SOFTWARE, removed before and after.
class RegistryTest : public ::testing::Test {
protected:
    static constexpr const char* kKey = "SOFTWARE\\TapdeckTests\\Scratch";
    static constexpr const char* kParent = "SOFTWARE\\TapdeckTests";

    void SetUp() override { RemoveKeys(); }
    void TearDown() override { RemoveKeys(); }

    static void RemoveKeys() {
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kKey);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kParent);
    }

    static bool KeyExists(const char* path) {
        HKEY key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }

    static void WriteString(const char* name, const std::string& value) {
        ASSERT_EQ(
            RegWriteValue(kKey, HKEY_LOCAL_MACHINE, name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1)),
            0);
    }
};

TEST_F(RegistryTest, WriteCreatesTheKeyAndReadReturnsTheString) {
    WriteString("DisplayName", "Tapdeck 1.0");
    EXPECT_TRUE(KeyExists(kKey));
    char buffer[64];
    EXPECT_EQ(RegReadValue(kKey, HKEY_LOCAL_MACHINE, REG_SZ, "DisplayName", buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "Tapdeck 1.0");

    // Through an opened key as root, with an empty sub-key.
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_READ | KEY_WRITE, &key), ERROR_SUCCESS);
    EXPECT_EQ(RegReadValue("", key, REG_SZ, "DisplayName", buffer, sizeof buffer), 0);
    EXPECT_EQ(RegReadValue(nullptr, key, REG_SZ, "DisplayName", buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "Tapdeck 1.0");
    DWORD number = 7;
    EXPECT_EQ(RegWriteValue(nullptr, key, "Count", REG_DWORD, &number, sizeof number), 0);
    // The root given by the caller is still usable: it was not closed.
    DWORD readBack = 0;
    EXPECT_EQ(RegReadValue(nullptr, key, REG_DWORD, "Count", &readBack, sizeof readBack), 0);
    EXPECT_EQ(readBack, 7u);
    RegCloseKey(key);
}

TEST_F(RegistryTest, ReadFailuresAreToldApartAndLeaveAnEmptyString) {
    WriteString("Forty", std::string(39, 'x'));  // 40 bytes with the terminator
    char buffer[32];
    memset(buffer, 'z', sizeof buffer);
    EXPECT_EQ(RegReadValue(kKey, HKEY_LOCAL_MACHINE, REG_SZ, "Forty", buffer, sizeof buffer), 2);
    EXPECT_STREQ(buffer, "");

    DWORD number = 0;
    EXPECT_EQ(RegReadValue(kKey, HKEY_LOCAL_MACHINE, REG_DWORD, "Forty", &number, sizeof number), 3);
    char big[64];
    EXPECT_EQ(RegReadValue(kKey, HKEY_LOCAL_MACHINE, REG_EXPAND_SZ, "Forty", big, sizeof big), 3);
    EXPECT_STREQ(big, "");

    EXPECT_EQ(RegReadValue(kKey, HKEY_LOCAL_MACHINE, REG_SZ, "Missing", buffer, sizeof buffer), 2);
    EXPECT_EQ(
        RegReadValue("SOFTWARE\\TapdeckTests\\Absent", HKEY_LOCAL_MACHINE, REG_SZ, "Forty", buffer, sizeof buffer), 1);
}

TEST_F(RegistryTest, StringsStoredWithoutTerminatorComeBackTerminated) {
    // Four bytes without a terminator: there is room for one in 8 bytes, not in 4.
    ASSERT_EQ(RegWriteValue(kKey, HKEY_LOCAL_MACHINE, "Bare", REG_SZ, "abcd", 4), 0);
    char buffer[8];
    memset(buffer, 'z', sizeof buffer);
    EXPECT_EQ(RegReadValue(kKey, HKEY_LOCAL_MACHINE, REG_SZ, "Bare", buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "abcd");
    char exact[4];
    memset(exact, 'z', sizeof exact);
    EXPECT_EQ(RegReadValue(kKey, HKEY_LOCAL_MACHINE, REG_SZ, "Bare", exact, sizeof exact), 2);
    EXPECT_EQ(exact[0], '\0');

    ASSERT_EQ(RegWriteValue(kKey, HKEY_LOCAL_MACHINE, "Empty", REG_SZ, "", 0), 0);
    memset(buffer, 'z', sizeof buffer);
    EXPECT_EQ(RegReadValue(kKey, HKEY_LOCAL_MACHINE, REG_SZ, "Empty", buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "");
}

TEST_F(RegistryTest, DeleteTakesAValueOrTheWholeKey) {
    WriteString("DisplayName", "Tapdeck");
    WriteString("UninstallString", "x /U 1");
    EXPECT_EQ(RegDeleteEntry(HKEY_LOCAL_MACHINE, "DisplayName", kKey), 0);
    char buffer[32];
    EXPECT_EQ(RegReadValue(kKey, HKEY_LOCAL_MACHINE, REG_SZ, "DisplayName", buffer, sizeof buffer), 2);
    EXPECT_EQ(RegReadValue(kKey, HKEY_LOCAL_MACHINE, REG_SZ, "UninstallString", buffer, sizeof buffer), 0);
    EXPECT_EQ(RegDeleteEntry(HKEY_LOCAL_MACHINE, "DisplayName", kKey), 1);

    EXPECT_EQ(RegDeleteEntry(HKEY_LOCAL_MACHINE, "", kKey), 0);
    EXPECT_FALSE(KeyExists(kKey));
    EXPECT_TRUE(KeyExists(kParent));
    EXPECT_EQ(RegDeleteEntry(HKEY_LOCAL_MACHINE, nullptr, kKey), 1);     // already gone
    EXPECT_EQ(RegDeleteEntry(HKEY_LOCAL_MACHINE, nullptr, nullptr), 1);  // never a root key
}

}  // namespace
